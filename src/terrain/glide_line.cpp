#include "terrain/glide_line.h"

#include <algorithm>
#include <cmath>

#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "airspace/load_mode.h"
#include "foundation/fortran_format.h"
#include "foundation/geometry.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/airspace_proximity.h"
#include "terrain/grid_access.h"

namespace {

// Directions closer than this to no direction at all get no wind factor.
constexpr float kNoDirection = 1.0e-6f;
// Step limits of the straight glide, metres.
constexpr float kShortestStep = 90.0f;
constexpr float kLowStep = 180.0f;
constexpr float kLongestStep = 540.0f;
constexpr float kLevelLimit = 1000.0f;    // limit when the clearance does not change
constexpr float kFallingLimit = 10000.0f;  // limit when the clearance grows
// Limits of slope.
constexpr int kMostSlopeMoves = 20;
constexpr float kFarthestSlide = 1000.0f;
// Bisections of get_miss_hei, and the height window it ends in.
constexpr int kMostBisections = 21;
constexpr float kCloseHeights = 10.0f;
constexpr float kArrivalBand = 1.1f;
// Points of a route this close in x and y are one point, metres.
constexpr float kSameRoutePoint = 5.0f;

// The next step length of the straight glide after one of length s, at a
// clearance dz that was dz0 a step earlier, for the clearance wanted sfty.
float next_step(float s, float dz, float dz0, float sfty) {
    if (dz < 2.0f * sfty) {
        return kShortestStep;
    }
    const float rate = (dz - dz0) / (s + 0.001f);
    const float gap = 2.0f * sfty - dz;
    // The distance until the clearance falls to 2 sfty at that rate. A rate
    // so small that the distance would exceed the longest step ends at the
    // same step as no rate at all, so that case needs no division.
    float limit = kLevelLimit;
    if (std::fabs(rate) * kLongestStep >= std::fabs(gap) && rate != 0.0f) {
        limit = gap / rate;
    }
    if (limit < 0.0f) {
        limit = kFallingLimit;
    }
    if (dz < 3.0f * sfty) {
        limit = std::min(limit, kLowStep);
    }
    limit = std::clamp(limit, kShortestStep, kLongestStep);
    if (peldbg00.qdbg_l_1 && airspace_trace_enabled()) {
        airspace_trace(fortran_write("(5(1X,F12.3))", {dz0, dz, s, rate, limit}));
    }
    return std::min(s + kShortestStep, limit);
}

}  // namespace

float glide_loss(float x1, float y1, float x2, float y2) {
    const float d = point_distance(x1, y1, x2, y2);
    const float f = d > 0.0f ? wind_factor((x2 - x1) / d, (y2 - y1) / d) : 1.0f;
    return f * d * loca00.fcalc_inv;
}

bool ligne_droite(bool qupd, bool qhit, float& xx0, float& yy0, float& zz0, float xxta, float yyta,
                  const CellTable<float>& zp, float& zg, float& dhg) {
    const float sfty_g = loca00.sfty_g;
    const float sfty = qhit ? sfty_g : 1.5f * sfty_g;
    const bool taper = qhit && sfty_g > loca00.sfty_h;
    float xx = xx0;
    float yy = yy0;
    float zz = zz0;
    float dd = point_distance(xx, yy, xxta, yyta);
    float ux = 0.0f;
    float uy = 0.0f;
    float f = 1.0f;
    if (dd > kNoDirection) {
        ux = (xx - xxta) / dd;
        uy = (yy - yyta) / dd;
        f = wind_factor(-ux, -uy);
    }
    float dz0 = zz - z_ground_p(xx, yy, zp);
    float s = kShortestStep;
    bool first = true;
    bool last = false;
    bool clear = false;
    for (;;) {
        const float ground = z_ground_p(xx, yy, zp);
        zg = ground;
        if (ground == kOffGridHeight) {
            return false;
        }
        dhg = zz - ground;
        float dhmin = sfty;
        if (taper && dd < 10.0f * (sfty_g - loca00.sfty_h)) {
            dhmin = 0.1f * dd;
        }
        if (as0003.qcheckas_trj) {
            int k_typ = kNoZoneFound;
            if (!check_as_wn(xx, yy, zz, notinderog(xx, yy), pelrn00.qnav, k_typ)) {
                break;
            }
        }
        if (dhg <= dhmin) {
            break;
        }
        if (last) {
            clear = true;
            break;
        }
        if (dd <= kLastStepDistance) {
            xx = xxta;
            yy = yyta;
            zz -= f * dd * loca00.fcalc_inv;
            dd = 0.0f;
            last = true;
            continue;
        }
        if (!first) {
            const float dz = zz - ground;
            s = next_step(s, dz, dz0, sfty);
            dz0 = dz;
        }
        xx -= s * ux;
        yy -= s * uy;
        zz -= f * s * loca00.fcalc_inv;
        dd -= s;
        first = false;
    }
    if (!qhit) {
        xx += kShortestStep * ux;
        yy += kShortestStep * uy;
        const float back = f * kShortestStep * loca00.fcalc_inv;
        zz += back;
        dhg += back;
    }
    if (qupd) {
        xx0 = xx;
        yy0 = yy;
        zz0 = zz;
    }
    return clear;
}

void slope(float& xx0, float& yy0, float& zz0, float sfty, const CellTable<float>& zp, float& dhg, int& nslope) {
    dhg = kOffGridHeight;
    nslope = 0;
    const float xs = xx0;
    const float ys = yy0;
    if (peldbg00.qdbg_l_1 && airspace_trace_enabled()) {
        airspace_trace(fortran_write("('SLOPE ',I4,4(1X,F12.2))", {nslope, dhg, sfty, xs, ys}));
    }
    const float dxy = grid_step(trn001.dxy);
    for (;;) {
        int ii = 0;
        int jj = 0;
        float tx = 0.0f;
        float ty = 0.0f;
        if (rechxy_i(xx0, yy0, ii, jj, tx, ty) == 0) {
            break;
        }
        dhg = zz0 - z_ground_i(ii, jj, tx, ty, zp);
        if (dhg > sfty || nslope > kMostSlopeMoves || point_distance(xx0, yy0, xs, ys) > kFarthestSlide) {
            break;
        }
        float gx = 0.0f;
        float gy = 0.0f;
        float gn = 0.0f;
        grad(ii, jj, tx, ty, zp, gx, gy, gn);
        ++nslope;
        if (gn <= kNoDirection) {
            break;
        }
        const float step = std::clamp(dhg / gn, 0.5f * dxy, 1.5f * dxy);
        // The glider moves downhill, against the gradient: its wind factor is
        // that of the direction it flies, -g, as for every glide, so that a
        // headwind shortens the slide; the factor of g, the way uphill,
        // would lengthen it.
        const float f = wind_factor(-gx, -gy);
        xx0 -= step * gx;
        yy0 -= step * gy;
        zz0 -= f * step * loca00.fcalc_inv;
    }
}

float get_miss_hei(float x0, float y0, float z0, float xta, float yta, float dhmismin) {
    const CellTable<float>& zp = altitude.zp;
    const float sfty_h = loca00.sfty_h;
    float z1 = z0;
    float z2 = z0 + dhmismin;
    float zg = 0.0f;
    float dhg = kOffGridHeight;
    {
        float x = x0;
        float y = y0;
        float z = z2;
        if (!ligne_droite(false, true, x, y, z, xta, yta, zp, zg, dhg)) {
            return dhmismin;
        }
    }
    float zm = z0;
    for (int n = 0; n < kMostBisections; ++n) {
        zm = (z1 + z2) / 2.0f;
        float x = x0;
        float y = y0;
        float z = zm;
        dhg = kOffGridHeight;
        ligne_droite(false, true, x, y, z, xta, yta, zp, zg, dhg);
        if ((std::fabs(z2 - z1) < kCloseHeights && dhg >= sfty_h) || (sfty_h <= dhg && dhg <= kArrivalBand * sfty_h)) {
            break;
        }
        if (dhg > kArrivalBand * sfty_h) {
            z2 = zm;
        } else {
            z1 = zm;
        }
    }
    return zm - z0;
}

void store_pos(int& nndd, std::vector<GlidePoint>& ppp, float xx, float yy, float& zz) {
    // Only the points the route holds count.
    const int held = ppp.empty() ? 0 : static_cast<int>(ppp.size()) - 1;
    nndd = std::clamp(nndd, 0, held);
    if (nndd >= 2) {
        const GlidePoint& last = ppp[static_cast<std::size_t>(nndd)];
        if (std::max(std::fabs(xx - last.x), std::fabs(yy - last.y)) <= kSameRoutePoint) {
            return;
        }
        const int before = nndd;
        for (int c = 1; nndd - c >= 1; ++c) {
            GlidePoint p = ppp[static_cast<std::size_t>(nndd - c)];
            float zg = 0.0f;
            float dhg = 0.0f;
            if (!ligne_droite(false, true, p.x, p.y, p.z, xx, yy, altitude.zp, zg, dhg)) {
                nndd -= c - 1;
                break;
            }
            if (nndd - c == 1) {
                nndd = 1;
                break;
            }
        }
        if (nndd < before) {
            const GlidePoint& kept = ppp[static_cast<std::size_t>(nndd)];
            zz = kept.z - glide_loss(kept.x, kept.y, xx, yy);
        }
    }
    ++nndd;
    if (ppp.size() <= static_cast<std::size_t>(nndd)) {
        ppp.resize(static_cast<std::size_t>(nndd) + 1);
    }
    ppp[static_cast<std::size_t>(nndd)] = GlidePoint{xx, yy, zz};
}
