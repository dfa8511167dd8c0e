#pragma once

// The terrain height grid of the reachability code: square 90 m cells laid
// over the landscape's local frame, and the module `altitude` holding the
// heights.
//
// The reachability code measures x in a mirrored grid frame, xg = x_scn_mx - x
// (record trn001 of foundation/terrain_extents.h), so that xg grows eastward
// from the landscape's west edge; y is the same in both frames. The cell of a
// grid-frame position (xg, y) is ii = int(xg * dxy_c_inv) - i_00 + 2,
// jj = int(y * dxy_c_inv) - j_00 + 2 (int truncating toward zero); cell ii
// spans xg from 90(ii + i_00 - 2) to 90(ii + i_00 - 1), its centre lying 45 m
// inside. trn001 gives the grid's size (ni_00 x nj_00 cells), its origin cell
// (i_00, j_00) and the steps rew, rns, dxy.

#include "terrain/cell_table.h"

// Cell size in metres.
inline constexpr float dxy_c = 90.0f;
// 1/90 as a 32-bit real: every position is multiplied by it, never divided by
// 90, so that all routines find the same cell for the same position.
inline constexpr float dxy_c_inv = 1.0f / 90.0f;
// Half a cell.
inline constexpr float dxy_c_s2 = 45.0f;
// Most parallel stripes of the reachability passes.
inline constexpr int mxthrds = 32;

// The heights the grid routines report for positions off the grid.
inline constexpr int kOffGridCell = -999;          // cell index of rechxy, rechxy_i
inline constexpr float kOffGridHeight = -999999.0f;  // z_ground_p, ligne_droite's zg
inline constexpr int kOffGridAltCell = -333;       // cell index of get_alt
inline constexpr float kOffGridAlt = -9999.0f;     // get_alt
// Callers take any height at or below this as off the grid.
inline constexpr float kOffGridLimit = -100.0f;

// Module `altitude`: zp(ni_00, nj_00), the terrain height in metres above sea
// level of each cell centre, and zp_mx5, the highest terrain within five cells
// of each cell (alt_voisinage). Loaded by read_trn_heights (trn_heights.h) or
// set by the caller together with trn001's grid members.
struct Altitude {
    CellTable<float> zp;
    CellTable<float> zp_mx5;
};
extern Altitude altitude;
void reset_altitude();

// A position of the landscape or grid frame (metres) with an altitude
// (metres): a point of a glide path, of a profile, or a reach-grid cell's
// centre and arrival altitude.
struct GlidePoint {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// trn001.rew, rns or dxy as a grid step: the 90 m cell size while the member
// is not set (0 or less).
float grid_step(float member);
