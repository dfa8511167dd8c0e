#include "airspace/zone_geometry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "airspace/airspace_trace.h"
#include "airspace/plane_geometry.h"
#include "foundation/fortran_format.h"

namespace {

// At least this many segments per arc or circle.
constexpr int kMinArcSegments = 8;
// Arcs get about one point per this many metres.
constexpr float kArcStep = 1000.0f;
// Most segments one arc may ask for; beyond it the table fills first anyway.
constexpr double kMaxArcSegments = 1.0e7;

int table_size(std::span<const PlanePoint> pp) {
    return static_cast<int>(std::min<std::size_t>(pp.size(), 0x7fffffff));
}

// Nearest whole number (halves away from zero) of a segment count, at least
// the minimum and at most the cap.
int segment_count(double wanted) {
    const double capped = std::min(std::max(std::round(wanted), 0.0), kMaxArcSegments);
    return std::max(kMinArcSegments, static_cast<int>(capped));
}

void trace_dropped(int previous, float xx, float yy, const PlanePoint& before, float distance, float tolerance) {
    airspace_trace(fortran_write("(I6,' Duplicate point',6(1X,F12.1))",
                                 {previous, xx, before.x, yy, before.y, distance, tolerance}));
}

}  // namespace

bool add_point(float xx, float yy, int& npt, std::span<PlanePoint> pp, bool qnew) {
    const int size = table_size(pp);
    if (npt < 0 || npt > size) {
        return false;
    }
    bool store = npt == 0 || qnew;
    if (!store) {
        const PlanePoint& before = pp[npt - 1];
        const float distance = std::max(std::fabs(xx - before.x), std::fabs(yy - before.y));
        const float tolerance = get_min_dist(xx, yy);
        store = distance > tolerance;
        if (!store && airspace_trace_enabled()) {
            trace_dropped(npt - 1, xx, yy, before, distance, tolerance);
        }
    }
    if (!store) {
        return true;
    }
    if (npt >= size) {
        return false;
    }
    pp[npt] = PlanePoint{xx, yy};
    ++npt;
    return true;
}

bool check_close(int nz, std::span<const AirspaceZone> zon, std::span<PlanePoint> pp, int& npt) {
    if (nz < 0 || nz >= static_cast<int>(zon.size()) || npt > table_size(pp)) {
        return true;
    }
    const int i1 = zon[nz].first;
    const int i2 = npt - 1;
    if (i1 < 0 || i2 - i1 <= 1) {
        return true;
    }
    const float distance = std::max(std::fabs(pp[i2].x - pp[i1].x), std::fabs(pp[i2].y - pp[i1].y));
    if (distance <= kRingSnapDistance) {
        pp[i2] = pp[i1];
        return true;
    }
    if (npt >= table_size(pp)) {
        return false;
    }
    pp[npt] = pp[i1];
    ++npt;
    return true;
}

namespace {

// The sweep of an arc: its first angle, the step between its points and its
// number of segments.
struct ArcSweep {
    float t1 = 0.0f;
    float step = 0.0f;
    int segments = 0;
};

ArcSweep arc_sweep(const ArcCentre& centre, float r, float t1, float t2) {
    float sign = 1.0f;
    if (centre.clockwise) {
        if (t2 < t1) {
            t2 += kAirspaceTwoPi;
        }
    } else {
        if (t2 > t1) {
            t1 += kAirspaceTwoPi;
        }
        sign = -1.0f;
    }
    const float dt = std::fabs(t1 - t2);
    const int n = segment_count(static_cast<double>(r) * dt / kArcStep);
    return ArcSweep{t1, sign * dt / static_cast<float>(n), n};
}

}  // namespace

int arc_segments(const ArcCentre& centre, float r, float t1, float t2) {
    return arc_sweep(centre, r, t1, t2).segments;
}

int circle_segments(float r) { return segment_count(static_cast<double>(r) * kAirspaceTwoPi / kArcStep); }

bool add_arc_points(const ArcCentre& centre, float r, float t1, float t2, int first_of_zone, int& npt,
                    std::span<PlanePoint> pp) {
    const ArcSweep sweep = arc_sweep(centre, r, t1, t2);
    for (int i = 0; i <= sweep.segments; ++i) {
        const float t = sweep.t1 + static_cast<float>(i) * sweep.step;
        if (!add_point(centre.xcen + r * std::cos(t), centre.ycen + r * std::sin(t), npt, pp, npt == first_of_zone)) {
            return false;
        }
    }
    return true;
}

bool add_circle_points(const ArcCentre& centre, float r, int first_of_zone, int& npt, std::span<PlanePoint> pp) {
    const int n = circle_segments(r);
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(i) * kAirspaceTwoPi / static_cast<float>(n);
        if (!add_point(centre.xcen + r * std::cos(t), centre.ycen + r * std::sin(t), npt, pp, npt == first_of_zone)) {
            return false;
        }
    }
    return true;
}

int widen_airway(int first, float width, int& npt, std::span<PlanePoint> pp) {
    if (first < 0 || npt - first != 2 || npt > table_size(pp)) {
        return 0;
    }
    const PlanePoint p1 = pp[first];
    const PlanePoint p2 = pp[first + 1];
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    droite_perp(p1.x, p1.y, p2.x, p2.y, a, b, c);
    if (a == kNoLine) {
        return 0;
    }
    if (npt + 2 > table_size(pp)) {
        return -1;
    }
    const float nx = 0.5f * width * b;
    const float ny = -0.5f * width * a;
    pp[first] = PlanePoint{p1.x + nx, p1.y + ny};
    pp[first + 1] = PlanePoint{p2.x + nx, p2.y + ny};
    pp[npt] = PlanePoint{p2.x - nx, p2.y - ny};
    pp[npt + 1] = PlanePoint{p1.x - nx, p1.y - ny};
    npt += 2;
    return 1;
}
