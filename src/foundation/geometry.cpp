#include "foundation/geometry.h"

#include "foundation/number_text.h"
#include "platform/console.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The routines compute in double, where the squares of any two finite floats
// fit, and hand back floats; a result beyond the float range is held at its
// edge rather than overflowing.
float to_float(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

double length(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

double distance(double x1, double y1, double x2, double y2) { return length(x2 - x1, y2 - y1); }

void set_no_line(float& a, float& b, float& c) {
    a = kNoLine;
    b = kNoLine;
    c = kNoLine;
}

// c of the line a·x + b·y + c = 0 through (x1, y1), from the stored a and b.
float line_offset(float x1, float y1, float a, float b) {
    return to_float(-(static_cast<double>(x1) * a + static_cast<double>(y1) * b));
}

// Angles this many degrees or more from the window are first brought near it
// by a remainder, so that the whole-turn loops of modang stay short and end
// even where adding 360 no longer changes a float.
constexpr double kModangLoopSpan = 3600.0;

// Writes one number of a trace line.
std::string trace_number(double value) { return f2b(to_float(value), "(1PE16.9)"); }

}  // namespace

float point_distance(float x1, float y1, float x2, float y2) { return to_float(distance(x1, y1, x2, y2)); }

int equa_droite(float x1, float y1, float x2, float y2, float& a, float& b, float& c) {
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    const double d = length(dx, dy);
    if (d <= kDegenerateLength) {
        set_no_line(a, b, c);
        return 0;
    }
    a = static_cast<float>(dy / d);
    b = static_cast<float>(-dx / d);
    c = line_offset(x1, y1, a, b);
    return 1;
}

void droite_perp(float x1, float y1, float x2, float y2, float& a, float& b, float& c) {
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    const double d = length(dx, dy);
    if (d <= kDegenerateLength) {
        set_no_line(a, b, c);
        return;
    }
    a = static_cast<float>(dx / d);
    b = static_cast<float>(dy / d);
    c = line_offset(x1, y1, a, b);
}

float dist_droite(float x1, float y1, float x2, float y2, float xx, float yy) {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    if (equa_droite(x1, y1, x2, y2, a, b, c) == 0) {
        return to_float(distance(x1, y1, xx, yy));
    }
    return to_float(std::fabs(static_cast<double>(xx) * a + static_cast<double>(yy) * b + c));
}

float dist_segment(float x1, float y1, float x2, float y2, float xx, float yy) {
    const double d = distance(x1, y1, x2, y2);
    if (d <= kDegenerateLength) {
        return to_float(distance(x1, y1, xx, yy));
    }
    // Unit normal of the segment's line, which reads a·x + b·y = c.
    const double a = (static_cast<double>(y2) - y1) / d;
    const double b = -(static_cast<double>(x2) - x1) / d;
    const double c = x1 * a + y1 * b;
    const double offset = xx * a + yy * b - c;  // signed distance to the line
    double foot_x = xx;
    double foot_y = y1;
    if (std::fabs(a) >= 1e-8) {
        foot_x = xx - offset * a;
        foot_y = yy - offset * b;
    }
    const double mid_x = 0.5 * (static_cast<double>(x1) + x2);
    const double mid_y = 0.5 * (static_cast<double>(y1) + y2);
    if (distance(foot_x, foot_y, mid_x, mid_y) < 0.5 * d) {
        return to_float(std::fabs(offset));
    }
    return to_float(std::min(distance(x1, y1, xx, yy), distance(x2, y2, xx, yy)));
}

float dist_poly(const PlanePoint& pp, std::span<const PlanePoint> pol, int np) {
    const int count = std::min(np, static_cast<int>(std::min<std::size_t>(pol.size(), kMaxPolylinePoints)));
    float best = kNoPolyline;
    for (int i = 1; i < count; ++i) {
        const PlanePoint& p1 = pol[static_cast<std::size_t>(i - 1)];
        const PlanePoint& p2 = pol[static_cast<std::size_t>(i)];
        best = std::min(best, dist_segment(p1.x, p1.y, p2.x, p2.y, pp.x, pp.y));
    }
    return best;
}

float modang(float aa, float amin) {
    if (!std::isfinite(aa) || !std::isfinite(amin)) {
        return aa;
    }
    float value = aa;
    const double span = static_cast<double>(aa) - amin;
    if (std::fabs(span) >= kModangLoopSpan) {
        // Whole turns off, landing where the loops below would: an exact
        // multiple above the window ends on its upper end.
        double rest = std::fmod(span, 360.0);
        if (span > 0.0 && rest == 0.0) {
            rest = 360.0;
        }
        value = to_float(amin + rest);
    }
    while (value < amin) {
        value += 360.0f;
    }
    while (value > amin + 360.0f) {
        value -= 360.0f;
    }
    return value;
}

bool f_eq(float a, float b) {
    const double diff = std::fabs(static_cast<double>(a) - b);
    const double larger = std::max(std::fabs(static_cast<double>(a)), std::fabs(static_cast<double>(b)));
    const double relative = larger > 0.0 ? diff / larger : diff;
    console_line("f_eq " + trace_number(a) + " " + trace_number(b) + " " + trace_number(diff) + " " +
                 trace_number(relative));
    return relative < 1e-6;
}
