#include "airspace/airspace_window.h"

#include <algorithm>
#include <cmath>

#include "airspace/airspace_trace.h"
#include "foundation/terrain_extents.h"
#include "airspace/plane_geometry.h"
#include "foundation/fortran_format.h"
#include "foundation/reach_settings.h"

namespace {

// Window used when the map extents are unknown: 10,000 km on both axes.
constexpr float kWholeWorldWindow = 1.0e7f;

void trace_window() {
    if (airspace_trace_enabled()) {
        airspace_trace(fortran_write("('AS min max',4(1X,F12.1))",
                                     {as0002.as_xmin, as0002.as_xmax, as0002.as_ymin, as0002.as_ymax}));
    }
}

bool in_window(float x, float y) {
    return x >= as0002.as_xmin && x <= as0002.as_xmax && y >= as0002.as_ymin && y <= as0002.as_ymax;
}

}  // namespace

int rect_index(float v, float origin, float step, int count) {
    int index = 1;
    if (step > 0.0f) {
        const float cells = (v - origin) / step;
        index = cells >= static_cast<float>(kRectSlots) ? kRectSlots + 1 : static_cast<int>(std::max(cells, -1.0f)) + 1;
    }
    return std::max(1, std::min(count, index));
}

void init_airspace_map() {
    if (pelrn00.qnav || as0003.qshow_unreach_as) {
        init_airspace_map_1(trn001.xmin_r, trn001.xmax_r, trn001.ymin_r, trn001.ymax_r);
        return;
    }
    if (trn001.xmax - trn001.xmin < 1.0f) {
        init_airspace_map_1(0.0f, kWholeWorldWindow, 0.0f, kWholeWorldWindow);
        return;
    }
    init_airspace_map_1(trn001.xmin, trn001.xmax, trn001.ymin, trn001.ymax);
}

void init_airspace_map_1(float x1, float x2, float y1, float y2) {
    as0002.as_xmin = x1;
    as0002.as_xmax = x2;
    as0002.as_ymin = y1;
    as0002.as_ymax = y2;
    trace_window();
}

bool in_map(int nz, std::span<const AirspaceZone> zon, std::span<const PlanePoint> pp, bool qglob) {
    const int n = nz - 1;
    if (n < 0 || n >= static_cast<int>(zon.size())) {
        return false;
    }
    const int first = zon[n].first;
    const int last = zon[n].last;
    if (first >= last || first < 0 || last >= static_cast<int>(pp.size())) {
        return false;
    }
    float xmin = 1.0e10f;
    float xmax = -1.0e10f;
    float ymin = 1.0e10f;
    float ymax = -1.0e10f;
    for (int k = first; k <= last; ++k) {
        const float x = pp[k].x;
        const float y = pp[k].y;
        xmin = std::min(xmin, x);
        xmax = std::max(xmax, x);
        ymin = std::min(ymin, y);
        ymax = std::max(ymax, y);
        if (in_window(x, y) && (qglob || as0003.qshow_unreach_as || in_reach_rect(x, y))) {
            return true;
        }
    }
    // The box and the window overlap: this holds when a corner of either
    // lies inside the other, and also for a zone that crosses the window
    // like a band, none of whose points or corners lies inside it.
    return xmin <= as0002.as_xmax && xmax >= as0002.as_xmin && ymin <= as0002.as_ymax && ymax >= as0002.as_ymin;
}

bool in_reach_rect(float x, float y) {
    const int i = rect_index(x, trn002.xorg_rect, trn002.dx_rect, trn002.nx_rect);
    const int j = rect_index(y, trn002.yorg_rect, trn002.dy_rect, trn002.ny_rect);
    return is_in_rect(i, j);
}
