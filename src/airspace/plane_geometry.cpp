#include "airspace/plane_geometry.h"

#include <algorithm>
#include <array>
#include <string>

#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "foundation/fortran_format.h"

float isleft(const PlanePoint& pp, const PlanePoint& p1, const PlanePoint& p2) {
    return (p2.x - p1.x) * (pp.y - p1.y) - (pp.x - p1.x) * (p2.y - p1.y);
}

float equal_part(float extent, int parts) {
    return static_cast<float>(static_cast<double>(extent) / static_cast<double>(static_cast<float>(parts)));
}

int wn_poly(const PlanePoint& pp, std::span<const PlanePoint> pol, int np) {
    const int count = std::min<long long>(np, static_cast<long long>(pol.size()));
    if (count < 2) {
        return 0;
    }
    int wn = 0;
    for (int k = 0; k + 1 < count; ++k) {
        const PlanePoint& v1 = pol[k];
        const PlanePoint& v2 = pol[k + 1];
        if (v1.y <= pp.y) {
            if (v2.y > pp.y && isleft(pp, v1, v2) > 0.0f) {
                ++wn;
            }
        } else if (v2.y <= pp.y && isleft(pp, v1, v2) < 0.0f) {
            --wn;
        }
    }
    return wn;
}

namespace {

// The extent test of one axis: false when the extents of A and B are apart.
bool extents_meet(float a1, float a2, float b1, float b2) {
    const float alo = (a2 - a1 < 0.0f) ? a2 : a1;
    const float ahi = (a2 - a1 < 0.0f) ? a1 : a2;
    if (b1 - b2 > 0.0f) {
        return !(b2 > ahi || b1 < alo);
    }
    return !(b1 > ahi || b2 < alo);
}

// d within [0, f] when f > 0, within [f, 0] when f < 0.
bool within(float d, float f) { return f > 0.0f ? (d >= 0.0f && d <= f) : (d >= f && d <= 0.0f); }

}  // namespace

bool seg_intersect(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    if (!extents_meet(x1, x2, x3, x4) || !extents_meet(y1, y2, y3, y4)) {
        return false;
    }
    const float ax = x2 - x1;
    const float bx = x3 - x4;
    const float ay = y2 - y1;
    const float by = y3 - y4;
    const float f = ay * bx - ax * by;
    if (f == 0.0f) {
        return false;
    }
    const float cx = x1 - x3;
    const float cy = y1 - y3;
    const float d = by * cx - bx * cy;
    if (!within(d, f)) {
        return false;
    }
    const float e = ax * cy - ay * cx;
    return within(e, f);
}

float get_min_dist(float x, float y) {
    constexpr float kFineTolerance = 16.0f;
    if (!as0003.qcoarsedist) {
        return kFineTolerance;
    }
    struct Band {
        float margin;
        float tolerance;
    };
    constexpr std::array<Band, 6> bands = {{{0.0f, 16.0f},
                                            {20000.0f, 100.0f},
                                            {40000.0f, 316.23f},
                                            {60000.0f, 1000.0f},
                                            {80000.0f, 3162.3f},
                                            {100000.0f, 10000.0f}}};
    for (const Band& band : bands) {
        if (x >= as0002.as_xmin - band.margin && x <= as0002.as_xmax + band.margin &&
            y >= as0002.as_ymin - band.margin && y <= as0002.as_ymax + band.margin) {
            return band.tolerance;
        }
    }
    return 31623.0f;
}

bool is_in_rect(int i, int j) {
    if (i < 1 || i > kRectSlots || j < 1 || j > kRectSlots) {
        return false;
    }
    return trn002.qrect[i][j];
}

void crop(float xx1, float xx2, float yy1, float yy2, float xmx, float ymx, bool& qcrop_e, bool& qcrop_w,
          bool& qcrop_s, bool& qcrop_n) {
    if (airspace_trace_enabled()) {
        airspace_trace("CROP");
        airspace_trace(fortran_write("(6(1X,1PE14.7))", {xx1, xx2, yy1, yy2, xmx, ymx}));
    }
    qcrop_e = xx1 < 0.0f;
    qcrop_w = xx2 > xmx;
    qcrop_s = yy1 < 0.0f;
    qcrop_n = yy2 > ymx;
}
