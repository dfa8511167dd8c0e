#pragma once

#include <cstdint>
#include <span>

#include "foundation/geometry.h"

// The coverage raster of one zone: which cells of a regular grid over the
// zone's box lie wholly outside the zone, wholly inside it or on its border,
// and for a border cell which ring segment crosses it. Cell codes and
// numbering as in airspace/airspace_mod.h.
//
// A grid node is inside when the winding number of the zone's ring round it
// is not zero (wn_poly). A cell with some corners inside and some outside is
// a border cell: its code is its highest-numbered inside corner, and for each
// of its edges e = 1..4 whose corners differ the ring's segments are walked in
// order to the first that meets the edge (seg_intersect, segment first, cell
// edge second). The cell keeps the segment of its lowest-numbered such edge;
// with three or four edges met, the smallest segment index (two segments met
// that are not neighbours in the ring are logged with the position of the
// last edge's first corner). A border cell where no segment was found keeps
// -1 and is traced.

// The grid of one zone: its lower-left node, its cell size and its cells
// along x and y (at least 1 each). A cell size of 0 (a zone of no width or no
// height) puts every node of that axis on the box's edge.
struct ZoneGrid {
    float xmin = 0.0f;
    float ymin = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
    int nnxx = 0;
    int nnyy = 0;
};

// Node positions, column i = 1..nnxx + 1 and row j = 1..nnyy + 1: xmin +
// (i - 1) dx, ymin + (j - 1) dy.
float node_x(const ZoneGrid& grid, int i);
float node_y(const ZoneGrid& grid, int j);

// How the inside nodes are found. Both give the same raster on every input.
enum class NodeFill {
    // One wn_poly per node, and every ring segment walked for each crossed
    // cell edge: the reference.
    per_node,
    // One pass per node row: each ring edge that the row crosses counts
    // towards the winding number of all the nodes on its inner side, found
    // by a binary search on the same left-of-line test wn_poly makes (that
    // test is monotone along the row in floating point too, so the counts
    // are exactly those of wn_poly); the segments walked for a cell are only
    // those whose y extent reaches the cell's row, in ring order
    // (seg_intersect rejects all the others by their extents).
    scanline,
};

// What one zone's raster holds, for the trace.
struct ZoneRasterCounts {
    int border_cells = 0;
    int unmatched_cells = 0;  // border cells where no crossing segment was found
};

// Builds the raster of one zone. `ring` is the zone's closed ring, `first`
// the index of its first point in the model's point table (the segment
// indices stored are first + s), `zone` the zone's number for diagnostics.
// `code` and `seg` hold the zone's nnxx * nnyy cells, cell (i, j) at
// (j - 1) nnxx + i - 1.
ZoneRasterCounts raster_zone(int zone, std::span<const PlanePoint> ring, int first, const ZoneGrid& grid,
                             NodeFill fill, std::span<std::int8_t> code, std::span<std::int32_t> seg);
