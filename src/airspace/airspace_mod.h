#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/geometry.h"

// The in-memory airspace model that the terrain code queries, filled by the
// reader's load mode: every kept zone's ring and flags (copy_to_local) and
// its coverage raster (airspace_grid). Each load re-creates the tables.
//
// Tables are indexed from 0 by zone number (0 .. nb_zon - 1) or point number,
// except the raster, whose cells are numbered from 1 (element 0 unused).
// Positions are metres of the landscape's local frame (x grows to the west).
// The zone limits (box, floor, ceiling, cell sizes, centre, half diagonal)
// are as0001.as_lim (airspace/airspace_records.h).

// A zone's ring in as_pp: its class (0..19), the index of its first point and
// its number of points (the last repeats the first).
struct AirspaceRing {
    int typ = 0;
    int first = 0;
    int count = 0;
};

// A zone's raster: the cells of all earlier zones (its offset in as_gr), the
// cells along x (columns) and along y (rows).
struct AirspaceGridDim {
    int offset = 0;
    int nnxx = 0;
    int nnyy = 0;
};

// Raster cells. Cell (i, j) of a zone, i = 1..nnxx, j = 1..nnyy, covers
// [xmin + (i-1) dx, xmin + i dx] x [ymin + (j-1) dy, ymin + j dy] and is
// cell k = offset + (j-1) nnxx + i. Its corners are numbered 1 (i, j),
// 2 (i+1, j), 3 (i+1, j+1), 4 (i, j+1), i.e. the offsets (0, 0), (1, 0),
// (1, 1), (0, 1) in cells; edge e runs from corner e to corner e + 1 (edge 4
// back to corner 1).
//
// code[k]: 0 the zone's outline does not reach the cell and no corner lies
// inside: the cell is outside; -1 the outline does not reach it and all four
// corners lie inside: the cell is inside; 1..4 one ring segment alone
// crosses the cell: the number of the highest-numbered corner that lies
// inside, a point being inside when it lies on that corner's side of the
// segment; 5 (kCellRing) any other cell the outline reaches: the ring's
// winding number decides. airspace/zone_raster.h tells how the cells are
// found.
// seg[k]: for codes 1..4, the as_pp index of the first point of the segment
// (it runs to the next point); -1 for the other cells.
inline constexpr std::int8_t kCellOutside = 0;
inline constexpr std::int8_t kCellInside = -1;
inline constexpr std::int8_t kCellRing = 5;
inline constexpr std::int32_t kNoSegment = -1;
// Spare cells after the last zone's.
inline constexpr int kSpareCells = 128;

struct AirspaceRaster {
    std::vector<std::int8_t> code;  // [cell 1 .. cells + 128]
    std::vector<std::int32_t> seg;  // [cell 1 .. cells + 128]
};

struct AirspaceMod {
    std::vector<PlanePoint> as_pp;           // ring points of all zones, one zone after another
    std::vector<AirspaceRing> as_nb;         // per zone
    std::vector<float> as_dt;                // per zone, for the terrain code; 0 at load
    std::vector<bool> as_act;                // zone active; true at load
    std::vector<bool> as_near;               // near flag of the proximity test; false at load
    std::vector<bool> as_in;                 // inside flag of the proximity test; false at load
    std::vector<bool> as_is_derog;           // class G (6) or GSEC (10)
    std::vector<std::string> as_nm;          // display names, blank-padded to one length
    std::vector<AirspaceGridDim> as_gr_dim;  // per zone
    AirspaceRaster as_gr;
    std::vector<bool> as_inreachrect;        // per zone; reserved, not filled
    // [kt][zone]: zones a segment may cross, per caller's slot kt; created and
    // filled by the terrain code, not here.
    std::vector<std::vector<bool>> as_possible;
};

extern AirspaceMod airspace_mod;
// Releases every table.
void reset_airspace_mod();
