#include "airspace/zone_raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_trace.h"
#include "airspace/plane_geometry.h"
#include "foundation/dms_text.h"
#include "foundation/fortran_format.h"
#include "foundation/log.h"
#include "foundation/utm_frame.h"

float node_x(const ZoneGrid& grid, int i) { return grid.xmin + static_cast<float>(i - 1) * grid.dx; }

float node_y(const ZoneGrid& grid, int j) { return grid.ymin + static_cast<float>(j - 1) * grid.dy; }

namespace {

// Inside flags of one row of nodes, column i at element i - 1.
using NodeRow = std::vector<char>;

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

// For each cell row j, the ring segments whose y extent reaches the row's
// band [node_y(j), node_y(j + 1)], in ring order (the row's list is
// segments[start[j - 1] .. start[j])). A segment outside the band cannot meet
// an edge of a cell of the row: seg_intersect rejects it by its extents.
struct RowSegments {
    std::vector<int> start;
    std::vector<int> segments;

    std::span<const int> of(int j) const {
        const auto from = static_cast<std::size_t>(start[static_cast<std::size_t>(j - 1)]);
        const auto to = static_cast<std::size_t>(start[static_cast<std::size_t>(j)]);
        return std::span<const int>(segments).subspan(from, to - from);
    }
};

// The first of rows 1..rows for which `beyond` is false, rows + 1 when there
// is none; `beyond` must hold for a leading run of rows only.
template <class Beyond>
int first_row_not(int rows, Beyond beyond) {
    int lo = 1;
    int hi = rows + 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (beyond(mid)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

void bucket_segments(std::span<const PlanePoint> ring, const ZoneGrid& grid, RowSegments& rows) {
    const int nrows = grid.nnyy;
    const int nseg = segment_count(ring);
    std::vector<std::array<int, 2>> spans(static_cast<std::size_t>(nseg));
    rows.start.assign(static_cast<std::size_t>(nrows) + 1, 0);
    for (int s = 0; s < nseg; ++s) {
        const float ya = ring[static_cast<std::size_t>(s)].y;
        const float yb = ring[static_cast<std::size_t>(s) + 1].y;
        const float lo = std::min(ya, yb);
        const float hi = std::max(ya, yb);
        const int j1 = first_row_not(nrows, [&](int j) { return node_y(grid, j + 1) < lo; });
        const int j2 = first_row_not(nrows, [&](int j) { return node_y(grid, j) <= hi; }) - 1;
        spans[static_cast<std::size_t>(s)] = {j1, j2};
        for (int j = j1; j <= j2; ++j) {
            ++rows.start[static_cast<std::size_t>(j)];
        }
    }
    for (int j = 1; j <= nrows; ++j) {
        rows.start[static_cast<std::size_t>(j)] += rows.start[static_cast<std::size_t>(j - 1)];
    }
    rows.segments.assign(static_cast<std::size_t>(rows.start[static_cast<std::size_t>(nrows)]), 0);
    std::vector<int> fill(rows.start.begin(), rows.start.end() - 1);
    for (int s = 0; s < nseg; ++s) {
        const auto [j1, j2] = spans[static_cast<std::size_t>(s)];
        for (int j = j1; j <= j2; ++j) {
            rows.segments[static_cast<std::size_t>(fill[static_cast<std::size_t>(j - 1)]++)] = s;
        }
    }
}

bool meets(std::span<const PlanePoint> ring, int s, const PlanePoint& a, const PlanePoint& b) {
    const PlanePoint& p = ring[static_cast<std::size_t>(s)];
    const PlanePoint& q = ring[static_cast<std::size_t>(s) + 1];
    return seg_intersect(p.x, p.y, q.x, q.y, a.x, a.y, b.x, b.y);
}

// The first ring segment, in ring order, that meets the cell edge a-b; -1
// when none does.
int first_crossing(std::span<const PlanePoint> ring, const PlanePoint& a, const PlanePoint& b) {
    const int nseg = segment_count(ring);
    for (int s = 0; s < nseg; ++s) {
        if (meets(ring, s, a, b)) {
            return s;
        }
    }
    return -1;
}

int first_crossing_of(std::span<const PlanePoint> ring, std::span<const int> candidates, const PlanePoint& a,
                      const PlanePoint& b) {
    for (const int s : candidates) {
        if (meets(ring, s, a, b)) {
            return s;
        }
    }
    return -1;
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

// Trace of a border cell where no ring segment meets a crossed edge: the
// cell, the corner, and the ring point nearest to it (larger of |dx| and |dy|).
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
    const int nodes = grid.nnxx + 1;
    NodeRow lower(static_cast<std::size_t>(nodes));
    NodeRow upper(static_cast<std::size_t>(nodes));
    std::vector<int> delta;
    RowSegments rows;
    const bool scanline = fill == NodeFill::scanline;
    if (scanline) {
        bucket_segments(ring, grid, rows);
    }
    const auto fill_row = [&](int j, NodeRow& row) {
        if (scanline) {
            fill_row_scanline(ring, grid, j, row, delta);
        } else {
            fill_row_per_node(ring, grid, j, row);
        }
    };
    fill_row(1, lower);
    for (int j = 1; j <= grid.nnyy; ++j) {
        fill_row(j + 1, upper);
        const float y0 = node_y(grid, j);
        const float y1 = node_y(grid, j + 1);
        const std::span<const int> candidates = scanline ? rows.of(j) : std::span<const int>{};
        const char* const low = lower.data();
        const char* const up = upper.data();
        const std::size_t row = static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(grid.nnxx);
        for (int i = 1; i <= grid.nnxx; ++i) {
            // Corners 1 to 4 as bits 0 to 3.
            const auto c = static_cast<std::size_t>(i - 1);
            const unsigned corners = static_cast<unsigned>(low[c]) | static_cast<unsigned>(low[c + 1]) << 1 |
                                     static_cast<unsigned>(up[c + 1]) << 2 | static_cast<unsigned>(up[c]) << 3;
            const std::size_t k = row + c;
            seg[k] = kNoSegment;
            if (corners == 0 || corners == 15) {
                code[k] = corners == 0 ? kCellOutside : kCellInside;
                continue;
            }
            const std::array<bool, 4> inside = {(corners & 1) != 0, (corners & 2) != 0, (corners & 4) != 0,
                                                (corners & 8) != 0};
            ++counts.border_cells;
            const int highest = corners >= 8 ? 4 : corners >= 4 ? 3 : corners >= 2 ? 2 : 1;
            code[k] = static_cast<std::int8_t>(highest);
            const float x0 = node_x(grid, i);
            const float x1 = node_x(grid, i + 1);
            const std::array<PlanePoint, 4> corner = {PlanePoint{x0, y0}, PlanePoint{x1, y0}, PlanePoint{x1, y1},
                                                      PlanePoint{x0, y1}};
            std::array<int, 4> found{};
            int nfound = 0;
            int last_found_edge = 0;
            int last_walked_edge = 0;
            for (int e = 0; e < 4; ++e) {
                const int e2 = (e + 1) % 4;
                if (inside[static_cast<std::size_t>(e)] == inside[static_cast<std::size_t>(e2)]) {
                    continue;
                }
                last_walked_edge = e;
                const PlanePoint& a = corner[static_cast<std::size_t>(e)];
                const PlanePoint& b = corner[static_cast<std::size_t>(e2)];
                const int s = scanline ? first_crossing_of(ring, candidates, a, b) : first_crossing(ring, a, b);
                if (s >= 0) {
                    found[static_cast<std::size_t>(nfound++)] = s;
                    last_found_edge = e;
                }
            }
            if (nfound == 0) {
                ++counts.unmatched_cells;
                trace_unmatched(zone, i, j, ring, first, corner[static_cast<std::size_t>(last_walked_edge)],
                                highest);
                continue;
            }
            int chosen = found[0];
            if (nfound >= 3) {
                chosen = *std::min_element(found.begin(), found.begin() + nfound);
                if (std::abs(found[0] - found[1]) > 1) {
                    log_message_f("3 SEGMENTS OR MORE ???" +
                                  position_text(corner[static_cast<std::size_t>(last_found_edge)]));
                }
            }
            seg[k] = first + chosen;
        }
        std::swap(lower, upper);
    }
    return counts;
}
