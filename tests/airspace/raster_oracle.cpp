#include "raster_oracle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <span>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"

namespace airspace_test {

namespace {

constexpr double kClear = 1.0e-3;  // metres

using Ring = std::span<const PlanePoint>;

bool inside_even_odd(double px, double py, Ring ring) {
    bool inside = false;
    for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
        const double xi = ring[k].x;
        const double yi = ring[k].y;
        const double xj = ring[k + 1].x;
        const double yj = ring[k + 1].y;
        if ((yi > py) != (yj > py)) {
            const double x = xi + (py - yi) * (xj - xi) / (yj - yi);
            if (px < x) {
                inside = !inside;
            }
        }
    }
    return inside;
}

double segment_distance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

double ring_distance(double px, double py, Ring ring) {
    double best = 1.0e300;
    for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
        best = std::min(best, segment_distance(px, py, ring[k].x, ring[k].y, ring[k + 1].x, ring[k + 1].y));
    }
    return best;
}

// Whether the segment a-b reaches the rectangle widened by `clear` (Liang-Barsky).
bool segment_reaches(const PlanePoint& a, const PlanePoint& b, double x0, double y0, double x1, double y1,
                     double clear = kClear) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const std::array<double, 4> p = {-dx, dx, -dy, dy};
    const std::array<double, 4> q = {a.x - (x0 - clear), (x1 + clear) - a.x, a.y - (y0 - clear),
                                     (y1 + clear) - a.y};
    double t0 = 0.0;
    double t1 = 1.0;
    for (std::size_t k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    return t0 <= t1;
}

// The segments of the ring that reach the rectangle widened by `clear`, and
// whether a ring point lies in it.
struct Reach {
    int segments = 0;
    int last = -1;  // the last of them, from the ring's first point
    bool point = false;
};

Reach ring_reach(Ring ring, double x0, double y0, double x1, double y1, double clear) {
    Reach reach;
    for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
        if (segment_reaches(ring[k], ring[k + 1], x0, y0, x1, y1, clear)) {
            ++reach.segments;
            reach.last = static_cast<int>(k);
        }
    }
    for (const PlanePoint& p : ring) {
        reach.point = reach.point || (p.x >= x0 - clear && p.x <= x1 + clear && p.y >= y0 - clear && p.y <= y1 + clear);
    }
    return reach;
}

}  // namespace

OracleReport check_raster(int per_zone, unsigned seed) {
    OracleReport report;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const AirspaceMod& mod = airspace_mod;
    for (int nz = 0; nz < as0001.nb_zon; ++nz) {
        const auto z = static_cast<std::size_t>(nz);
        const AirspaceLimits& lim = as0001.as_lim[z];
        const AirspaceGridDim& dim = mod.as_gr_dim[z];
        const AirspaceRing& nb = mod.as_nb[z];
        const Ring ring =
            Ring(mod.as_pp).subspan(static_cast<std::size_t>(nb.first), static_cast<std::size_t>(nb.count));
        for (int s = 0; s < per_zone; ++s) {
            ++report.samples;
            const double x = lim[kLimXmin] + unit(rng) * (static_cast<double>(lim[kLimXmax]) - lim[kLimXmin]);
            const double y = lim[kLimYmin] + unit(rng) * (static_cast<double>(lim[kLimYmax]) - lim[kLimYmin]);
            const auto cell_of = [](double v, float origin, float step, int count) {
                return step > 0.0f ? std::clamp(static_cast<int>((v - origin) / step) + 1, 1, count) : 1;
            };
            const int i = cell_of(x, lim[kLimXmin], lim[kLimDx], dim.nnxx);
            const int j = cell_of(y, lim[kLimYmin], lim[kLimDy], dim.nnyy);
            const float cx0 = lim[kLimXmin] + static_cast<float>(i - 1) * lim[kLimDx];
            const float cx1 = lim[kLimXmin] + static_cast<float>(i) * lim[kLimDx];
            const float cy0 = lim[kLimYmin] + static_cast<float>(j - 1) * lim[kLimDy];
            const float cy1 = lim[kLimYmin] + static_cast<float>(j) * lim[kLimDy];
            const std::array<std::array<double, 2>, 4> corners = {
                {{cx0, cy0}, {cx1, cy0}, {cx1, cy1}, {cx0, cy1}}};
            bool clear = true;
            std::array<bool, 4> in{};
            for (std::size_t c = 0; c < 4; ++c) {
                clear = clear && ring_distance(corners[c][0], corners[c][1], ring) > kClear;
                in[c] = inside_even_odd(corners[c][0], corners[c][1], ring);
            }
            const auto k = static_cast<std::size_t>(dim.offset) +
                           static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(dim.nnxx) +
                           static_cast<std::size_t>(i);
            const int code = mod.as_gr.code[k];
            const int seg = mod.as_gr.seg[k];
            const auto fault = [&](long long& counter, const std::string& what) {
                if (report.mismatches + report.segments_off + report.outline_missed + report.ring_far == 0) {
                    report.first_mismatch = what + ": zone " + std::to_string(nz) + " cell " + std::to_string(i) +
                                            "," + std::to_string(j) + " code " + std::to_string(code);
                }
                ++counter;
            };
            const Reach reach = ring_reach(ring, cx0, cy0, cx1, cy1, kClear);
            if (code > 0) {
                ++report.border_cells;
            }
            if (code == kCellRing) {
                const double near = std::max(lim[kLimDx], lim[kLimDy]) / 32.0 + 1.0;
                const Reach around = ring_reach(ring, cx0, cy0, cx1, cy1, near);
                if (around.segments == 0 && !around.point) {
                    fault(report.ring_far, "ring cell far from the ring");
                }
                continue;
            }
            if (code <= 0 && (reach.segments > 0 || reach.point)) {
                fault(report.outline_missed, "outline missed");
            }
            if (code > 0 && (reach.segments != 1 || reach.point || nb.first + reach.last != seg)) {
                fault(report.segments_off, "segment not alone");
            }
            if (!clear) {
                continue;
            }
            ++report.decided;
            const int inside = static_cast<int>(std::count(in.begin(), in.end(), true));
            int highest = 4;
            while (highest > 1 && !in[static_cast<std::size_t>(highest - 1)]) {
                --highest;
            }
            const int expected = inside == 0 ? 0 : inside == 4 ? -1 : highest;
            if (code != expected) {
                fault(report.mismatches, "expected " + std::to_string(expected));
            }
        }
    }
    return report;
}

bool raster_equals_rebuilt(NodeFill fill) {
    const AirspaceRaster before = airspace_mod.as_gr;
    const std::vector<AirspaceGridDim> dims = airspace_mod.as_gr_dim;
    if (airspace_grid(as0001.nb_zon, fill) != 1) {
        return false;
    }
    const auto same_dim = [](const AirspaceGridDim& a, const AirspaceGridDim& b) {
        return a.offset == b.offset && a.nnxx == b.nnxx && a.nnyy == b.nnyy;
    };
    return std::equal(dims.begin(), dims.end(), airspace_mod.as_gr_dim.begin(), airspace_mod.as_gr_dim.end(),
                      same_dim) &&
           before.code == airspace_mod.as_gr.code && before.seg == airspace_mod.as_gr.seg;
}

}  // namespace airspace_test
