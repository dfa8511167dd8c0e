// ligne_crb_crete: a glide path towards a target that bends round crests.

#include <algorithm>
#include <cmath>

#include "airspace/airspace_trace.h"
#include "foundation/fortran_format.h"
#include "foundation/geometry.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/glide_line.h"
#include "terrain/grid_access.h"

namespace {

// A straight attempt that gets this far keeps its end point, metres.
constexpr float kUsefulAdvance = 1000.0f;
// The anchor moves on once the path is this far from it, metres.
constexpr float kAnchorDistance = 250.0f;
// Contour probes: k x 90 m for k = -5..5; the sideways step.
constexpr int kProbeReach = 5;
constexpr float kSideStep = 270.0f;

void trace_debug(bool on, const std::string& line) {
    if (on && airspace_trace_enabled()) {
        airspace_trace(line);
    }
}

float wind_towards(float x, float y, float xt, float yt, float dist) {
    if (!(dist > 0.0f) || !pelrn00.qwind) {
        return 1.0f;
    }
    return fmod_f((xt - x) / dist, (yt - y) / dist);
}

// A point of the grid: its cell and the fractions beyond the cell's centre
// (as rechxy_i gives them), and the terrain gradient there.
struct GradientPoint {
    int ii = 0;
    int jj = 0;
    float tx = 0.0f;
    float ty = 0.0f;
    float gx = 0.0f;
    float gy = 0.0f;
};

// The gradient point at (x, y); false when it lies off the grid.
bool gradient_at(float x, float y, const CellTable<float>& zp, GradientPoint& p) {
    if (rechxy_i(x, y, p.ii, p.jj, p.tx, p.ty) == 0) {
        return false;
    }
    float gn = 0.0f;
    grad(p.ii, p.jj, p.tx, p.ty, zp, p.gx, p.gy, gn);
    return true;
}

// The sideways step at a blocked point (xx, yy) at altitude zz, from the
// gradients along the contour line through it; false (the routine returns
// false) when the point or a probe lies off the grid; `none` when no probe
// stands clear of the ground.
bool crest_offset(float xx, float yy, float zz, float xxta, float yyta, const CellTable<float>& zp, float& ox,
                  float& oy, bool& none) {
    GradientPoint at;
    if (!gradient_at(xx, yy, zp, at)) {
        return false;
    }
    float sx = 0.0f;
    float sy = 0.0f;
    int counted = 0;
    for (int k = -kProbeReach; k <= kProbeReach; ++k) {
        const float px = xx + static_cast<float>(k) * dxy_c * at.gy;
        const float py = yy - static_cast<float>(k) * dxy_c * at.gx;
        GradientPoint probe;
        if (!gradient_at(px, py, zp, probe)) {
            return false;
        }
        if (zz - z_ground_i(probe.ii, probe.jj, probe.tx, probe.ty, zp) >= loca00.sfty_g) {
            sx += probe.gx;
            sy += probe.gy;
            ++counted;
        }
    }
    none = counted == 0;
    if (none) {
        return true;
    }
    const float mx = sx / static_cast<float>(counted);
    const float my = sy / static_cast<float>(counted);
    const float mn = std::sqrt(mx * mx + my * my);
    const float gmx = mn > 0.0f ? mx / mn : 0.0f;
    const float gmy = mn > 0.0f ? my / mn : 0.0f;
    const float dist = point_distance(xx, yy, xxta, yyta);
    const float ux = dist > 0.0f ? (xx - xxta) / dist : 0.0f;
    const float uy = dist > 0.0f ? (yy - yyta) / dist : 0.0f;
    const float side = gmy * ux - gmx * uy;
    if (side > 0.0f) {
        ox = -gmy * kSideStep;
        oy = gmx * kSideStep;
    } else if (side < 0.0f) {
        ox = gmy * kSideStep;
        oy = -gmx * kSideStep;
    } else {
        ox = -ux * dxy_c;
        oy = -uy * dxy_c;
    }
    return true;
}

}  // namespace

bool ligne_crb_crete(float& xx, float& yy, float& zz, std::vector<GlidePoint>& ppp, int& nndd, float xxta,
                     float yyta, float zzta, const CellTable<float>& zp, float& zg, float& dhg, float& ddh,
                     bool& qblock) {
    qblock = false;
    const float sfty_g = loca00.sfty_g;
    // The path starts with its start point; a path given without one gets it.
    const int held = ppp.empty() ? 0 : static_cast<int>(ppp.size()) - 1;
    nndd = std::clamp(nndd, 0, held);
    if (nndd < 1) {
        float z_start = zz;
        store_pos(nndd, ppp, xx, yy, z_start);
    }
    float anchor_x = xx;
    float anchor_y = yy;
    float dist = 0.0f;
    bool near_target = false;
    for (int pass = 1;; ++pass) {
        dist = point_distance(xx, yy, xxta, yyta);
        zg = z_ground_p(xx, yy, zp);
        trace_debug(peldbg00.qdbg_l_0 && zg < -1000.0f, "???? ligne_crb_crete");
        dhg = zz - zg;
        const float d9 = point_distance(xx, yy, anchor_x, anchor_y);
        const float f = wind_towards(xx, yy, xxta, yyta, dist);
        ddh = (zz - zzta) - f * dist * loca00.fcalc_inv;
        trace_debug(peldbg00.qdbg_l_1,
                    fortran_write("(I4,20(1X,F8.1))", {pass, xx, yy, zz, zg, dhg, dist, d9, ddh}));
        if (ddh < 0.0f || dist <= kLastStepDistance) {
            near_target = true;
            break;
        }
        bool probe = false;
        if (dhg < sfty_g) {
            const GlidePoint saved{xx, yy, zz};
            float dhs = 0.0f;
            int nslope = 0;
            slope(xx, yy, zz, 2.0f * sfty_g, zp, dhs, nslope);
            if (dhs < sfty_g) {
                xx = saved.x;
                yy = saved.y;
                zz = saved.z;
                trace_debug(peldbg00.qdbg_l_0, "SL FAIL");
                break;
            }
            const GlidePoint last = ppp[static_cast<std::size_t>(nndd)];
            GlidePoint from = last;
            float zgl = 0.0f;
            float dhl = 0.0f;
            if (ligne_droite(false, true, from.x, from.y, from.z, xx, yy, zp, zgl, dhl)) {
                zz = last.z - glide_loss(last.x, last.y, xx, yy);
            } else {
                float z_saved = saved.z;
                store_pos(nndd, ppp, saved.x, saved.y, z_saved);
            }
            store_pos(nndd, ppp, xx, yy, zz);
            probe = nslope >= 1;
        }
        if (!probe) {
            GlidePoint kept{xx, yy, zz};
            if (ligne_droite(true, true, xx, yy, zz, xxta, yyta, zp, zg, dhg)) {
                store_pos(nndd, ppp, kept.x, kept.y, kept.z);
                store_pos(nndd, ppp, xx, yy, zz);
                dist = point_distance(xx, yy, xxta, yyta);
                break;
            }
            if (point_distance(kept.x, kept.y, xx, yy) < kUsefulAdvance) {
                xx = kept.x;
                yy = kept.y;
                zz = kept.z;
                probe = true;
            }
            if (d9 > kAnchorDistance) {
                anchor_x = xx;
                anchor_y = yy;
            }
        }
        if (probe) {
            float ox = 0.0f;
            float oy = 0.0f;
            bool none = false;
            if (!crest_offset(xx, yy, zz, xxta, yyta, zp, ox, oy, none)) {
                return false;
            }
            if (none) {
                break;
            }
            const float to_x = xx + ox;
            const float to_y = yy + oy;
            ligne_droite(true, true, xx, yy, zz, to_x, to_y, zp, zg, dhg);
            store_pos(nndd, ppp, xx, yy, zz);
        }
        if (pass >= kMostCrestPasses) {
            qblock = true;
            break;
        }
    }
    // Finish.
    if (near_target) {
        const GlidePoint& last = ppp[static_cast<std::size_t>(nndd)];
        if (std::max(std::fabs(last.x - xxta), std::fabs(last.y - yyta)) > grid_step(trn001.dxy)) {
            store_pos(nndd, ppp, xx, yy, zz);
        }
    }
    const float dhg_before = dhg;
    if (nndd >= 2) {
        float length = 0.0f;
        for (int k = 2; k <= nndd; ++k) {
            const GlidePoint& a = ppp[static_cast<std::size_t>(k - 1)];
            GlidePoint& b = ppp[static_cast<std::size_t>(k)];
            b.z = a.z - glide_loss(a.x, a.y, b.x, b.y);
            length += point_distance(a.x, a.y, b.x, b.y);
        }
        trace_debug(peldbg00.qdbg_l_0, fortran_write("('LENGTH',1X,F10.1)", {length}));
    }
    const GlidePoint& end = ppp[static_cast<std::size_t>(nndd)];
    zg = z_ground_p(end.x, end.y, zp);
    dhg = end.z - zg;
    trace_debug(peldbg00.qdbg_l_0 && std::fabs(dhg - dhg_before) > 2.0f,
                fortran_write("('DHG ',F8.1,' COR',F8.1,' DIST',F10.1)", {dhg_before, dhg, dist}));
    trace_debug(peldbg00.qdbg_l_0,
                fortran_write("('COURBE',4(1X,F10.1),1X,L1)", {ddh, loca00.sfty_h, dist, dhg, qblock}));
    return !qblock && dhg > 0.0f && dist <= kLastStepDistance;
}
