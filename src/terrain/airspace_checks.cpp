// Point tests against the in-memory airspace: check_as_wn, check_as_gr,
// near_as and in_as_2d.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "airspace/airspace_trace.h"
#include "airspace/load_mode.h"
#include "airspace/plane_geometry.h"
#include "foundation/gui_hooks.h"
#include "foundation/message_records.h"
#include "foundation/terrain_extents.h"
#include "terrain/airspace_proximity.h"
#include "terrain/airspace_zones.h"
#include "terrain/reach_records.h"

namespace {

// Distances near_as starts from when no zone is near, metres.
constexpr float kNoVerticalGap = 10000.0f;
constexpr float kNoHorizontalGap = 100000.0f;
// Relative size of a left-of-line value below which its sign is not trusted
// (the rounding of its two products is some 1e-7 of their size).
constexpr float kUnsureSide = 1.0e-5f;

// The zones a point test found, at most 256, and whether one of them is a
// derogation zone (kept even when the list is full).
struct FoundZones {
    std::array<int, kMostFoundZones> zones{};
    int count = 0;
    bool derogation = false;

    void add(int nz) {
        if (count < kMostFoundZones) {
            zones[static_cast<std::size_t>(count++)] = nz;
        }
        derogation = derogation || derogation_class(zone_class(nz));
    }
};

void trace_found(std::string_view routine, bool result, const FoundZones& found) {
    if (!airspace_trace_enabled()) {
        return;
    }
    std::string line = " " + std::string(routine) + (result ? " T " : " F ") + std::to_string(found.count);
    for (int k = 0; k < found.count; ++k) {
        line += " " + std::to_string(found.zones[static_cast<std::size_t>(k)]);
    }
    airspace_trace(line);
}

// Whether (xx, yy) lies inside zone nz by its coverage raster. A cell that
// the zone's outline does not reach answers at once, outside or inside. In a
// cell that one segment alone crosses the point is inside when it lies on
// the side of the segment where the cell's inside corner (its code) lies, by
// the left-of-line test the winding number makes; a point or corner so near
// the segment's line that the test's rounding could name either side, a
// cell that holds an end of the segment, and every other cell the outline
// reaches (code 5, several segments or a ring point) are answered by the
// ring's winding number, as is a zone without a raster.
bool raster_inside(int nz, float xx, float yy) {
    const AirspaceMod& mod = airspace_mod;
    if (static_cast<std::size_t>(nz) >= mod.as_gr_dim.size()) {
        return in_zone_ring(nz, xx, yy);
    }
    const AirspaceGridDim& dim = mod.as_gr_dim[static_cast<std::size_t>(nz)];
    const AirspaceLimits& lim = zone_limits(nz);
    const auto cell_of = [](float offset, float size, int cells) {
        if (!(size > 0.0f) || cells < 1) {
            return 1;
        }
        const float e = std::clamp(offset / size, 0.0f, static_cast<float>(cells));
        return std::clamp(static_cast<int>(e) + 1, 1, cells);
    };
    const int column = cell_of(xx - lim[kLimXmin], lim[kLimDx], dim.nnxx);
    const int row = cell_of(yy - lim[kLimYmin], lim[kLimDy], dim.nnyy);
    const long long cell = column + static_cast<long long>(row - 1) * dim.nnxx + dim.offset;
    if (cell < 1 || cell >= static_cast<long long>(mod.as_gr.code.size()) ||
        cell >= static_cast<long long>(mod.as_gr.seg.size())) {
        return in_zone_ring(nz, xx, yy);
    }
    const int code = mod.as_gr.code[static_cast<std::size_t>(cell)];
    if (code == kCellOutside) {
        return false;
    }
    if (code == kCellInside) {
        return true;
    }
    // Corner offsets of codes 1..4, in cells.
    static constexpr std::array<int, 5> kCornerX = {0, 0, 1, 1, 0};
    static constexpr std::array<int, 5> kCornerY = {0, 0, 0, 1, 1};
    const std::int32_t seg = mod.as_gr.seg[static_cast<std::size_t>(cell)];
    if (code < 1 || code > 4 || seg < 0 || static_cast<std::size_t>(seg) + 1 >= mod.as_pp.size()) {
        return in_zone_ring(nz, xx, yy);
    }
    // The corner where the raster's node lies: xmin + (i - 1) dx, as the
    // raster builder placed it.
    const auto node = [](float origin, int k, float size) { return origin + static_cast<float>(k - 1) * size; };
    const float x0 = node(lim[kLimXmin], column, lim[kLimDx]);
    const float y0 = node(lim[kLimYmin], row, lim[kLimDy]);
    const PlanePoint corner{node(lim[kLimXmin], column + kCornerX[static_cast<std::size_t>(code)], lim[kLimDx]),
                            node(lim[kLimYmin], row + kCornerY[static_cast<std::size_t>(code)], lim[kLimDy])};
    const PlanePoint& p1 = mod.as_pp[static_cast<std::size_t>(seg)];
    const PlanePoint& p2 = mod.as_pp[static_cast<std::size_t>(seg) + 1];
    const auto in_cell = [&](const PlanePoint& p) {
        return p.x >= x0 && p.x <= x0 + lim[kLimDx] && p.y >= y0 && p.y <= y0 + lim[kLimDy];
    };
    // The side of the segment's line, 0 when rounding could name either.
    const auto side = [&](const PlanePoint& p) {
        const float value = isleft(p, p1, p2);
        const float scale =
            std::fabs(p2.x - p1.x) * std::fabs(p.y - p1.y) + std::fabs(p.x - p1.x) * std::fabs(p2.y - p1.y);
        return std::fabs(value) <= kUnsureSide * scale ? 0 : value > 0.0f ? 1 : -1;
    };
    const int corner_side = side(corner);
    const int point_side = side(PlanePoint{xx, yy});
    if (in_cell(p1) || in_cell(p2) || corner_side == 0 || point_side == 0) {
        return in_zone_ring(nz, xx, yy);
    }
    return point_side == corner_side;
}

}  // namespace

bool check_as_wn(float xx, float yy, float zz, bool qfast, bool qnav, int& k_typ) {
    k_typ = kNoZoneFound;
    float zg = 0.0f;
    if (!ground_at(xx, yy, zg)) {
        return true;
    }
    FoundZones found;
    bool result = true;
    const int zones = model_zones();
    for (int nz = 0; nz < zones; ++nz) {
        if (!zone_selected(nz) || !zone_active(nz) || !in_zone_box(nz, xx, yy)) {
            continue;
        }
        const AirspaceLimits& lim = zone_limits(nz);
        if (effective_limit(lim[kLimFloor], zg) > zz || zz > effective_limit(lim[kLimCeiling], zg) ||
            !in_zone_ring(nz, xx, yy)) {
            continue;
        }
        if (qfast && !derogation_class(zone_class(nz))) {
            trace_found("check_as_wn", false, found);
            return false;
        }
        if (!qfast) {
            result = false;
        }
        found.add(nz);
    }
    trace_found("check_as_wn", result, found);
    if (found.derogation) {
        return true;
    }
    for (int k = 0; k < found.count; ++k) {
        const int nz = found.zones[static_cast<std::size_t>(k)];
        k_typ = k == 0 ? nz : -(k + 1);
        if (peldbg00.qdbg_l_0 && airspace_trace_enabled()) {
            airspace_trace(" trig_as " + std::to_string(nz) + " " + std::to_string(zone_class(nz)) + " " +
                           std::to_string(k_typ));
        }
        if (!qnav) {
            trig_as(nz, 1);
        }
    }
    return result;
}

bool check_as_gr(float xx, float yy, float zz, bool qfast, bool /*qtrj*/, int& k_typ, int /*kt*/) {
    k_typ = kNoZoneFound;
    const int listed =
        std::clamp(rch003.as_nb_shortlist, 0, std::max(static_cast<int>(rch003.as_shortlist.size()) - 1, 0));
    if (listed < 1) {
        return true;
    }
    const int zones = model_zones();
    FoundZones found;
    bool result = true;
    bool have_ground = false;
    float zg = 0.0f;
    for (int e = 1; e <= listed; ++e) {
        const int nz = rch003.as_shortlist[static_cast<std::size_t>(e)];
        if (nz < 0 || nz >= zones || airspace_mod.as_in[static_cast<std::size_t>(nz)] || !in_zone_box(nz, xx, yy)) {
            continue;
        }
        const AirspaceLimits& lim = zone_limits(nz);
        if (!have_ground && (lim[kLimFloor] < 0.0f || lim[kLimCeiling] < 0.0f)) {
            if (!ground_at(xx, yy, zg)) {
                return found.derogation || result;
            }
            have_ground = true;
        }
        if (effective_limit(lim[kLimFloor], zg) > zz || zz > effective_limit(lim[kLimCeiling], zg) ||
            !raster_inside(nz, xx, yy)) {
            continue;
        }
        if (qfast && !derogation_class(zone_class(nz))) {
            return false;
        }
        result = false;
        found.add(nz);
    }
    return found.derogation || result;
}

int near_as(float xx, float yy, float zz, float& hdist, float& vdist) {
    float zg = 0.0f;
    if (!ground_at(xx, yy, zg)) {
        return 0;
    }
    vdist = kNoVerticalGap;
    hdist = kNoHorizontalGap;
    trig_as(-1, 0);
    AirspaceMod& mod = airspace_mod;
    std::fill(mod.as_near.begin(), mod.as_near.end(), false);
    std::fill(mod.as_in.begin(), mod.as_in.end(), false);
    const float ver_near = as0002.as_ver_near;
    const float hor_near = as0002.as_hor_near;
    const float ver_wide = ver_near * as0002.as_near_fact;
    const float hor_wide = hor_near * as0002.as_near_fact;
    int count = 0;
    const int zones = model_zones();
    for (int nz = 0; nz < zones; ++nz) {
        if (!zone_selected(nz) || !zone_active(nz) || mod.as_is_derog[static_cast<std::size_t>(nz)]) {
            continue;
        }
        const AirspaceLimits& lim = zone_limits(nz);
        if (xx < lim[kLimXmin] - hor_wide || xx > lim[kLimXmax] + hor_wide || yy < lim[kLimYmin] - hor_wide ||
            yy > lim[kLimYmax] + hor_wide) {
            continue;
        }
        float floor = lim[kLimFloor];
        float ceiling = lim[kLimCeiling];
        if (floor > 0.0f) {
            if (zz < floor - ver_wide) {
                continue;
            }
        } else {
            floor = zg - floor;
        }
        if (ceiling > 0.0f) {
            if (zz > ceiling + ver_wide) {
                continue;
            }
        } else {
            ceiling = zg - ceiling;
        }
        const float dzl = floor - zz;
        const float dzh = zz - ceiling;
        const bool v_inside = dzl < 0.0f && dzh < 0.0f;
        const bool v_near = (dzl >= 0.0f && dzl <= ver_near) || (dzh >= 0.0f && dzh <= ver_near);
        if (v_inside) {
            vdist = 0.0f;
        }
        bool in = false;
        bool near = false;
        float d = 0.0f;
        if (in_zone_ring(nz, xx, yy)) {
            hdist = 0.0f;
            in = v_inside;
            near = v_near && !v_inside;
        } else {
            const std::span<const PlanePoint> ring = zone_ring(nz);
            d = dist_poly(PlanePoint{xx, yy}, ring, static_cast<int>(ring.size()));
            hdist = std::min(hdist, d);
            // Beside the zone at a height inside its band is near it too: a
            // few metres sideways the glider is in it, so that height is the
            // nearest there is, not one to leave out.
            near = (v_inside || v_near) && d <= hor_near;
        }
        bool approaching = false;
        if (dzh >= 0.0f && dzh <= ver_wide) {
            vdist = std::min(vdist, dzh);
            approaching = true;
        } else if (dzl >= 0.0f && dzl <= ver_wide) {
            vdist = std::min(vdist, dzl);
            approaching = true;
        }
        if (in) {
            int k_typ = kNoZoneFound;
            if (!notinderog(xx, yy) && check_as_wn(xx, yy, zz, false, true, k_typ)) {
                // A derogation lifts the infringement: the glider is near the zone.
                near = true;
            } else {
                trig_as(nz, 1);
                mod.as_in[static_cast<std::size_t>(nz)] = true;
                ++count;
            }
        }
        if (near) {
            trig_as(nz, -1);
            mod.as_near[static_cast<std::size_t>(nz)] = true;
            ++count;
        } else if (!in && approaching && d <= hor_wide) {
            trig_as(nz, -2);
        }
    }
    return count;
}

void in_as_2d(float xx, float yy) {
    const float xg = trn001.x_scn_mx - xx;
    const int zones = model_zones();
    for (int nz = 0; nz < zones; ++nz) {
        if (in_zone_box(nz, xg, yy) && in_zone_ring(nz, xg, yy)) {
            trig_as(nz, 100);
        }
    }
}
