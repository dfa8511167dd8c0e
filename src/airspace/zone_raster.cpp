#include "airspace/zone_raster.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_trace.h"
#include "airspace/plane_geometry.h"
#include "foundation/dms_text.h"
#include "foundation/fortran_format.h"
#include "foundation/utm_frame.h"

float node_x(const ZoneGrid& grid, int i) { return grid.xmin + static_cast<float>(i - 1) * grid.dx; }

float node_y(const ZoneGrid& grid, int j) { return grid.ymin + static_cast<float>(j - 1) * grid.dy; }

namespace {

// Inside flags of one row of nodes, column i at element i - 1.
using NodeRow = std::vector<char>;

// A cell that more than one ring segment (or a ring point) reaches, while
// the outline is being marked.
constexpr std::int32_t kManySegments = -2;

// The margin by which a cell is widened when the outline is marked: a
// sixty-fourth of the cell, and a few float steps of the largest coordinate
// of the grid (the rounding of the cell's corners and of the cell a point is
// looked up in), and a millimetre.
constexpr double kMarginOfCell = 1.0 / 64.0;
constexpr double kMarginOfCoordinate = 1.0e-6;
constexpr double kLeastMargin = 1.0e-3;

int segment_count(std::span<const PlanePoint> ring) { return ring.size() >= 2 ? static_cast<int>(ring.size()) - 1 : 0; }

void fill_row_per_node(std::span<const PlanePoint> ring, const ZoneGrid& grid, int j, NodeRow& row) {
    const float y = node_y(grid, j);
    const int np = static_cast<int>(ring.size());
    for (int i = 1; i <= grid.nnxx + 1; ++i) {
        row[static_cast<std::size_t>(i - 1)] = wn_poly(PlanePoint{node_x(grid, i), y}, ring, np) != 0 ? 1 : 0;
    }
}

// The winding numbers of a row of nodes, edge by edge: an edge that wn_poly
// would count for some node of the row (upward: starts at or below the row,
// ends above it; downward: the reverse) counts for every node with the same
// sign of the left-of-line test. Along the row that test is monotone (node x
// grows, and every rounding step of the test is monotone), so those nodes
// are the first t of the row, found by bisection; `delta` collects +1 / -1
// at the start and after the end of each run.
void fill_row_scanline(std::span<const PlanePoint> ring, const ZoneGrid& grid, int j, NodeRow& row,
                       std::vector<int>& delta) {
    const float y = node_y(grid, j);
    const int nodes = grid.nnxx + 1;
    delta.assign(static_cast<std::size_t>(nodes) + 1, 0);
    const int edges = segment_count(ring);
    for (int k = 0; k < edges; ++k) {
        const PlanePoint& v1 = ring[static_cast<std::size_t>(k)];
        const PlanePoint& v2 = ring[static_cast<std::size_t>(k) + 1];
        int count = 0;
        if (v1.y <= y) {
            if (v2.y > y) {
                count = 1;
            }
        } else if (v2.y <= y) {
            count = -1;
        }
        if (count == 0) {
            continue;
        }
        int lo = 0;
        int hi = nodes;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            const float side = isleft(PlanePoint{node_x(grid, mid), y}, v1, v2);
            if (count > 0 ? side > 0.0f : side < 0.0f) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        delta[0] += count;
        delta[static_cast<std::size_t>(lo)] -= count;
    }
    int wn = 0;
    for (int i = 0; i < nodes; ++i) {
        wn += delta[static_cast<std::size_t>(i)];
        row[static_cast<std::size_t>(i)] = wn != 0 ? 1 : 0;
    }
}

// Cells from..to of one axis (none when from > to).
struct Span {
    int from = 1;
    int to = 0;
};

// The cells of one axis whose extent, widened by `margin`, meets [lo, hi].
// `node` gives the nodes 1..cells + 1 of the axis, `step` its cell size (0:
// every node on the box's edge).
template <class Node>
Span cells_meeting(double lo, double hi, double margin, int cells, float step, Node node) {
    Span span;
    if (step > 0.0f) {
        // A first guess a cell wider on each side, then the exact test.
        const double origin = node(1);
        const auto cell_at = [&](double v) {
            return static_cast<int>(std::clamp(std::floor((v - origin) / step), -2.0, cells + 2.0)) + 1;
        };
        span.from = std::max(cell_at(lo - margin) - 1, 1);
        span.to = std::min(cell_at(hi + margin) + 1, cells);
    } else {
        span.from = 1;
        span.to = cells;
    }
    while (span.from <= span.to && static_cast<double>(node(span.from + 1)) + margin < lo) {
        ++span.from;
    }
    while (span.to >= span.from && static_cast<double>(node(span.to)) - margin > hi) {
        --span.to;
    }
    return span;
}

// What the outline marks in `seg`, cell (i, j) at (j - 1) nnxx + i - 1: the
// model's index of the only ring segment that reaches the cell widened by
// the margin, kManySegments when more than one does or a ring point lies in
// it, kNoSegment when none does.
void mark_outline(std::span<const PlanePoint> ring, int first, const ZoneGrid& grid, std::span<std::int32_t> seg) {
    std::fill(seg.begin(), seg.end(), kNoSegment);
    const double largest_x = std::max(std::fabs(node_x(grid, 1)), std::fabs(node_x(grid, grid.nnxx + 1)));
    const double largest_y = std::max(std::fabs(node_y(grid, 1)), std::fabs(node_y(grid, grid.nnyy + 1)));
    const double mx = kMarginOfCell * grid.dx + kMarginOfCoordinate * largest_x + kLeastMargin;
    const double my = kMarginOfCell * grid.dy + kMarginOfCoordinate * largest_y + kLeastMargin;
    const auto x_of = [&grid](int i) { return node_x(grid, i); };
    const auto y_of = [&grid](int j) { return node_y(grid, j); };
    const auto mark = [&](const Span& columns, int j, std::int32_t value) {
        const std::size_t row = static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(grid.nnxx);
        for (int i = columns.from; i <= columns.to; ++i) {
            std::int32_t& cell = seg[row + static_cast<std::size_t>(i - 1)];
            cell = cell == kNoSegment || cell == value ? value : kManySegments;
        }
    };
    const int nseg = segment_count(ring);
    for (int s = 0; s < nseg; ++s) {
        const PlanePoint& a = ring[static_cast<std::size_t>(s)];
        const PlanePoint& b = ring[static_cast<std::size_t>(s) + 1];
        const double ax = a.x;
        const double ay = a.y;
        const double bx = b.x;
        const double by = b.y;
        const Span rows = cells_meeting(std::min(ay, by), std::max(ay, by), my, grid.nnyy, grid.dy, y_of);
        for (int j = rows.from; j <= rows.to; ++j) {
            // The part of the segment within the row widened by the margin.
            double xa = ax;
            double xb = bx;
            if (ay != by) {
                const double t0 = std::clamp((y_of(j) - my - ay) / (by - ay), 0.0, 1.0);
                const double t1 = std::clamp((y_of(j + 1) + my - ay) / (by - ay), 0.0, 1.0);
                xa = ax + t0 * (bx - ax);
                xb = ax + t1 * (bx - ax);
            }
            mark(cells_meeting(std::min(xa, xb), std::max(xa, xb), mx, grid.nnxx, grid.dx, x_of), j, first + s);
        }
    }
    // The cells round a ring point, where two segments meet (or an open
    // ring ends): the ring decides there.
    for (const PlanePoint& p : ring) {
        const Span rows = cells_meeting(p.y, p.y, my, grid.nnyy, grid.dy, y_of);
        const Span columns = cells_meeting(p.x, p.x, mx, grid.nnxx, grid.dx, x_of);
        for (int j = rows.from; j <= rows.to; ++j) {
            mark(columns, j, kManySegments);
        }
    }
}

std::string position_text(const PlanePoint& p) {
    float lat = 0.0f;
    float lon = 0.0f;
    xytolatlon(p.x, p.y, lat, lon);
    std::string clat;
    std::string clon;
    dms_oa(lat, 1, clat);
    dms_oa(lon, 2, clon);
    return clat + " " + clon;
}

// Trace of a cell whose corners differ though no ring segment reaches it (a
// rounding of the corners' tests): the cell, its first corner, and the ring
// point nearest to it (larger of |dx| and |dy|).
void trace_unmatched(int zone, int i, int j, std::span<const PlanePoint> ring, int first, const PlanePoint& corner,
                     int cell_code) {
    if (!airspace_trace_enabled()) {
        return;
    }
    int nearest = -1;
    float best = 1.0e10f;
    for (int s = 0; s < segment_count(ring); ++s) {
        const PlanePoint& p = ring[static_cast<std::size_t>(s)];
        const float d = std::max(std::fabs(p.x - corner.x), std::fabs(p.y - corner.y));
        if (d < best) {
            best = d;
            nearest = s;
        }
    }
    airspace_trace(fortran_write("(3(1X,I6),2(1X,F12.1),1X,A,2(1X,I6))",
                                 {zone, i, j, corner.x, corner.y, position_text(corner), cell_code, kNoSegment}));
    const PlanePoint p = nearest >= 0 ? ring[static_cast<std::size_t>(nearest)] : PlanePoint{};
    airspace_trace(fortran_write("(38(1H*),1X,I8,3(1X,F12.1))", {nearest >= 0 ? first + nearest : -1, p.x, p.y, best}));
}

}  // namespace

ZoneRasterCounts raster_zone(int zone, std::span<const PlanePoint> ring, int first, const ZoneGrid& grid,
                             NodeFill fill, std::span<std::int8_t> code, std::span<std::int32_t> seg) {
    ZoneRasterCounts counts;
    mark_outline(ring, first, grid, seg);
    const int nodes = grid.nnxx + 1;
    NodeRow lower(static_cast<std::size_t>(nodes));
    NodeRow upper(static_cast<std::size_t>(nodes));
    std::vector<int> delta;
    const auto fill_row = [&](int j, NodeRow& row) {
        if (fill == NodeFill::scanline) {
            fill_row_scanline(ring, grid, j, row, delta);
        } else {
            fill_row_per_node(ring, grid, j, row);
        }
    };
    fill_row(1, lower);
    for (int j = 1; j <= grid.nnyy; ++j) {
        fill_row(j + 1, upper);
        const char* const low = lower.data();
        const char* const up = upper.data();
        const std::size_t row = static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(grid.nnxx);
        for (int i = 1; i <= grid.nnxx; ++i) {
            // Corners 1 to 4 as bits 0 to 3.
            const auto c = static_cast<std::size_t>(i - 1);
            const unsigned corners = static_cast<unsigned>(low[c]) | static_cast<unsigned>(low[c + 1]) << 1 |
                                     static_cast<unsigned>(up[c + 1]) << 2 | static_cast<unsigned>(up[c]) << 3;
            const std::size_t k = row + c;
            const std::int32_t reached_by = seg[k];
            const bool agree = corners == 0 || corners == 15;
            if (reached_by == kNoSegment && agree) {
                code[k] = corners == 0 ? kCellOutside : kCellInside;
                continue;
            }
            ++counts.border_cells;
            if (reached_by >= 0 && !agree) {
                // Crossed by one segment alone: the side of it decides.
                code[k] = static_cast<std::int8_t>(corners >= 8 ? 4 : corners >= 4 ? 3 : corners >= 2 ? 2 : 1);
                continue;
            }
            if (reached_by == kNoSegment) {
                ++counts.unmatched_cells;
                trace_unmatched(zone, i, j, ring, first, PlanePoint{node_x(grid, i), node_y(grid, j)},
                                kCellRing);
            }
            code[k] = kCellRing;
            seg[k] = kNoSegment;
        }
        std::swap(lower, upper);
    }
    return counts;
}
