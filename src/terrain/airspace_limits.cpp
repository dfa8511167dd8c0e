// The airspace short list of a reach computation (nav_airspace), the vertical
// limits over a point (as_v_lim) and the segment test (posscrossas).

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "airspace/airspace_trace.h"
#include "foundation/fortran_format.h"
#include "foundation/geometry.h"
#include "foundation/reach_settings.h"
#include "foundation/fixed_text.h"
#include "terrain/airspace_proximity.h"
#include "terrain/airspace_zones.h"
#include "terrain/grid_access.h"
#include "terrain/reach_records.h"
#include "terrain/terrain_grid.h"

namespace {

void trace(const std::string& line) {
    if (airspace_trace_enabled()) {
        airspace_trace(line);
    }
}

std::string zone_name(int nz) {
    const auto k = static_cast<std::size_t>(nz);
    return k < airspace_mod.as_nm.size() ? trim_right(airspace_mod.as_nm[k]) : std::string();
}

// A range of altitudes, [lo, hi]; open once a zone gave it.
struct Block {
    float lo = kNoAirspaceLimit;
    float hi = kNoAirspaceLimit;
    bool open = false;

    bool overlaps(float f, float c) const { return open && f <= hi && c >= lo; }
    void widen(float f, float c) {
        lo = std::min(lo, f);
        hi = std::max(hi, c);
    }
    void set(float f, float c) {
        lo = f;
        hi = c;
        open = true;
    }
};

}  // namespace

void nav_airspace(float xr, float yr, float zr) {
    trace(fortran_write("(' nav_airspace',3(1X,F12.1))", {xr, yr, zr}));
    const Rch001& w = rch001;
    const auto in_window = [&w](float x, float y) {
        return w.xrch_min <= x && x <= w.xrch_max && w.yrch_min <= y && y <= w.yrch_max;
    };
    // The altitude a glide from the position reaches over (x, y).
    const auto arrival = [&](float x, float y) {
        const float d = point_distance(xr, yr, x, y);
        const float f = pelrn00.qwind && d > 0.0f ? fmod_f((x - xr) / d, (y - yr) / d) : 1.0f;
        return zr - d * loca00.fcalc_inv * f;
    };
    const int zones = model_zones();
    std::vector<int>& list = rch003.as_shortlist;
    if (list.size() < static_cast<std::size_t>(zones) + 1) {
        list.resize(static_cast<std::size_t>(zones) + 1);
    }
    int count = 0;
    for (int nz = 0; nz < zones; ++nz) {
        const AirspaceLimits& lim = zone_limits(nz);
        const float floor = lim[kLimFloor];
        // Not taken: a zone whose floor lies above the glider, or whose box
        // lies beside the reach window.
        if (floor > zr || lim[kLimXmin] > w.xrch_max || lim[kLimXmax] < w.xrch_min || lim[kLimYmin] > w.yrch_max ||
            lim[kLimYmax] < w.yrch_min) {
            continue;
        }
        const std::array<PlanePoint, 4> corners = {
            PlanePoint{lim[kLimXmin], lim[kLimYmin]}, PlanePoint{lim[kLimXmax], lim[kLimYmin]},
            PlanePoint{lim[kLimXmax], lim[kLimYmax]}, PlanePoint{lim[kLimXmin], lim[kLimYmax]}};
        bool any = false;
        for (const PlanePoint& q : corners) {
            any = any || in_window(q.x, q.y);
        }
        // Without a corner in the window the box crosses it, or holds it:
        // the zone is taken.
        bool taken = !any;
        if (any) {
            trace(" " + zone_name(nz));
            std::array<float, 4> at_corner{};
            for (std::size_t c = 0; c < corners.size(); ++c) {
                const PlanePoint& q = corners[c];
                at_corner[c] = kNoAirspaceLimit;
                if (in_window(q.x, q.y)) {
                    at_corner[c] = arrival(q.x, q.y);
                    taken = taken || at_corner[c] >= floor;
                }
            }
            // The part of the box within the window nearest to the glider,
            // which no corner may be (the glider under a zone whose corners
            // lie far off).
            const float x_lo = std::max(lim[kLimXmin], w.xrch_min);
            const float x_hi = std::min(lim[kLimXmax], w.xrch_max);
            const float y_lo = std::max(lim[kLimYmin], w.yrch_min);
            const float y_hi = std::min(lim[kLimYmax], w.yrch_max);
            const float xn = std::min(std::max(xr, x_lo), x_hi);
            const float yn = std::min(std::max(yr, y_lo), y_hi);
            taken = taken || arrival(xn, yn) >= floor;
            trace(fortran_write("(4(1X,F10.1),1X,L1)",
                                {at_corner[0], at_corner[1], at_corner[2], at_corner[3], taken}));
        }
        if (taken) {
            list[static_cast<std::size_t>(++count)] = nz;
            trace(" " + std::to_string(nz) + " " + zone_name(nz));
        }
    }
    rch003.as_nb_shortlist = count;
    trace(" nav_airspace " + std::to_string(count) + " " + std::to_string(rch003.as_nb_shortlist) + " " +
          std::to_string(as0001.nb_zon));
    airspace_trace_flush();
}

void as_v_lim(float xx, float yy, std::array<float, 5>& zlim) {
    zlim = {0.0f, kNoAirspaceLimit, kNoAirspaceLimit, kNoAirspaceLimit, kNoAirspaceLimit};
    float zg = 0.0f;
    if (!ground_at(xx, yy, zg)) {
        return;
    }
    std::array<int, kMostZonesOverPoint> listed{};
    int count = 0;
    const int zones = model_zones();
    for (int nz = 0; nz < zones && count < kMostZonesOverPoint; ++nz) {
        if (zone_selected(nz) && in_zone_box(nz, xx, yy) && in_zone_ring(nz, xx, yy)) {
            listed[static_cast<std::size_t>(count++)] = nz;
        }
    }
    Block band;
    Block lower;
    Block upper;
    for (int k = 0; k < count; ++k) {
        const int nz = listed[static_cast<std::size_t>(k)];
        const AirspaceLimits& lim = zone_limits(nz);
        const float f = effective_limit(lim[kLimFloor], zg);
        const float c = effective_limit(lim[kLimCeiling], zg);
        if (derogation_class(zone_class(nz))) {
            if (band.open) {
                band.widen(f, c);
            } else {
                band.set(f, c);
            }
        } else if (!lower.open) {
            lower.set(f, c);
        } else if (!upper.open) {
            if (lower.overlaps(f, c)) {
                lower.widen(f, c);
            } else if (c < lower.lo) {
                // A zone below the first one opens the lower block, and the
                // first becomes the upper: the lower block is the one below,
                // as zlim names them, whatever order the zones come in.
                upper = lower;
                lower.set(f, c);
            } else {
                upper.set(f, c);
            }
        } else {
            if (lower.overlaps(f, c)) {
                lower.widen(f, c);
            }
            if (upper.overlaps(f, c)) {
                upper.widen(f, c);
            }
            if (lower.overlaps(upper.lo, upper.hi)) {
                lower.widen(upper.lo, upper.hi);
                upper = Block{};
            }
        }
    }
    const float l = lower.lo;
    const float m = lower.hi;
    if (!band.open || band.lo < 0.0f || band.hi < 0.0f) {
        zlim = {0.0f, l, m, upper.lo, upper.hi};
        return;
    }
    const float d1 = band.lo;
    const float d2 = band.hi;
    if (d1 >= m || d2 <= l) {
        zlim = {0.0f, l, m, kDroppedLimit, kDroppedLimit};
    } else if (d1 > l && d2 < m) {
        zlim = {0.0f, l, d1, d2, m};
    } else if (d1 > l) {
        zlim = {0.0f, l, d1, kDroppedLimit, kDroppedLimit};
    } else if (d2 < m) {
        zlim = {0.0f, d2, m, kDroppedLimit, kDroppedLimit};
    } else {
        // The band covers the whole lower block: no airspace is left.
        zlim = {0.0f, kDroppedLimit, kDroppedLimit, kDroppedLimit, kDroppedLimit};
    }
}

bool posscrossas(float /*x1*/, float /*y1*/, float z1, float /*x2*/, float /*y2*/, float z2, float aa, float bb,
                 float cc, int kt) {
    std::vector<bool>* possible = nullptr;
    if (kt >= 0 && static_cast<std::size_t>(kt) < airspace_mod.as_possible.size()) {
        possible = &airspace_mod.as_possible[static_cast<std::size_t>(kt)];
    }
    const auto mark = [possible](int nz, bool value) {
        if (possible != nullptr && static_cast<std::size_t>(nz) < possible->size()) {
            (*possible)[static_cast<std::size_t>(nz)] = value;
        }
    };
    bool any = false;
    const int zones = model_zones();
    for (int nz = 0; nz < zones; ++nz) {
        bool counts = false;
        if (zone_selected(nz) && zone_active(nz)) {
            const AirspaceLimits& lim = zone_limits(nz);
            const float floor = lim[kLimFloor];
            const float ceiling = lim[kLimCeiling];
            const bool below = floor >= 0.0f && floor > z1 && floor > z2;
            const bool above = ceiling >= 0.0f && z1 > ceiling && z2 > ceiling;
            counts = !below && !above &&
                     std::fabs(aa * lim[kLimCentreX] + bb * lim[kLimCentreY] + cc) <= lim[kLimHalfDiagonal];
        }
        mark(nz, counts);
        any = any || counts;
    }
    return any;
}
