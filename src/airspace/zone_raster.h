#pragma once

#include <cstdint>
#include <span>

#include "foundation/geometry.h"

// The coverage raster of one zone: which cells of a regular grid over the
// zone's box lie wholly outside the zone, wholly inside it, or on its border,
// and how a border cell is decided. Cell codes and numbering as in
// airspace/airspace_mod.h.
//
// Every cell that the zone's outline reaches is a border cell, so that a
// point is answered as the ring's winding number answers it whatever the
// cell size: a thin spike or a notch narrower than a cell, which may pass
// between the corners of a cell, makes it a border cell too. The outline is
// marked segment by segment, each cell widened by a small margin (a 64th of
// the cell and a few float steps of the coordinates), so that rounding can
// neither hide a segment from a cell nor put a point into a cell it lies
// just outside. A cell that no segment reaches takes the code of its
// corners, all outside or all inside (a node is inside when the winding
// number of the ring round it, wn_poly, is not zero). A cell that one
// segment alone crosses, its corners on both sides of it, keeps that segment
// and its highest-numbered inside corner: the side of the segment decides.
// Every other border cell (two segments or more, a ring point, or one
// segment that leaves the corners alike) is left to the ring. A cell whose
// corners differ though no segment reaches it (which rounding alone could
// cause) is traced and left to the ring as well.

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
    // One wn_poly per node: the reference.
    per_node,
    // One pass per node row: each ring edge that the row crosses counts
    // towards the winding number of all the nodes on its inner side, found
    // by a binary search on the same left-of-line test wn_poly makes (that
    // test is monotone along the row in floating point too, so the counts
    // are exactly those of wn_poly).
    scanline,
};

// What one zone's raster holds, for the trace.
struct ZoneRasterCounts {
    int border_cells = 0;
    int unmatched_cells = 0;  // cells whose corners differ though no segment reaches them
};

// Builds the raster of one zone. `ring` is the zone's closed ring, `first`
// the index of its first point in the model's point table (the segment
// indices stored are first + s), `zone` the zone's number for diagnostics.
// `code` and `seg` hold the zone's nnxx * nnyy cells, cell (i, j) at
// (j - 1) nnxx + i - 1.
ZoneRasterCounts raster_zone(int zone, std::span<const PlanePoint> ring, int first, const ZoneGrid& grid,
                             NodeFill fill, std::span<std::int8_t> code, std::span<std::int32_t> seg);
