#pragma once

// Grid access of the terrain code: the cell of a position, heights by cell and
// by bilinear interpolation, the highest corner of a cell, the terrain
// gradient, the 11 x 11 local maximum, the wind factor of a glide direction
// and the position behind a reach-grid connection code.
//
// Positions are metres of the grid frame (terrain_grid.h) unless said. A
// position off the grid is answered by value, never by an error: cell -999
// from rechxy and rechxy_i, height -999999 from z_ground_p, height -9999 with
// cells -333 from get_alt. The routines that take cell indices expect cells of
// the grid (from rechxy or rechxy_i); any other index ends the run
// (cell_table.h). Positions too large for a cell index (beyond a billion
// cells, or not finite) count as off the grid.

#include "terrain/terrain_grid.h"

// The cell holding (xx, yy): ii = int(xx * dxy_c_inv) - i_00 + 2, jj likewise
// with j_00. Result 1 when 1 <= ii <= ni_00 and 1 <= jj <= nj_00; otherwise
// ii = jj = -999 and 0.
int rechxy(float xx, float yy, int& ii, int& jj);

// The cell whose centre lies at or below (xx, yy) on both axes, with the
// fractions of the position beyond that centre: e = (xx + 45) * dxy_c_inv,
// ii = int(e) - i_00 + 1, tx = e - int(e), the same along y. The fractions
// are always returned (0 for a position too large for a cell index). Result 1
// when the 2 x 2 interpolation stencil fits (1 <= ii < ni_00,
// 1 <= jj < nj_00); otherwise ii = jj = -999 and 0.
int rechxy_i(float xx, float yy, int& ii, int& jj, float& tx, float& ty);

// zp(ii, jj); the position is not used.
float z_ground(float xx, float yy, int ii, int jj, const CellTable<float>& zp);

// Bilinear height in the stencil of cell (ii, jj) at the fractions tx, ty.
float z_ground_i(int ii, int jj, float tx, float ty, const CellTable<float>& zp);

// Bilinear height at (xx, yy) into zg, and true; false (zg untouched) when
// the stencil does not fit.
bool ground_height(float xx, float yy, const CellTable<float>& zp, float& zg);

// Bilinear height at (xx, yy); -999999 when the stencil does not fit.
float z_ground_p(float xx, float yy, const CellTable<float>& zp);

// The highest of the four cells (ii, jj), (ii+1, jj), (ii+1, jj+1), (ii, jj+1).
float z_ground_m(int ii, int jj, const CellTable<float>& zp);

// Height at the landscape-frame position (xx, yy) on altitude.zp. The cell of
// the grid-frame position (x_scn_mx - xx, yy), as rechxy finds it, is written
// to ii, jj. Off the grid: ii = jj = -333 and -9999. Otherwise, when ii or jj
// was below -1000000 on entry (a flat request), the cell's own height; else
// the bilinear height (-999999 in the last column or row).
float get_alt(float xx, float yy, int& ii, int& jj);

// Terrain gradient in the stencil of cell (ii, jj) at the fractions tx, ty:
// the height differences along x divided by trn001.rew, interpolated along y,
// and along y divided by trn001.rns, interpolated along x (a step not set
// counts as 90 m). gn = its length; gx, gy its unit direction (0 when gn is 0).
void grad(int ii, int jj, float tx, float ty, const CellTable<float>& zp, float& gx, float& gy, float& gn);

// altitude.zp_mx5(i, j) = the highest altitude.zp over the cells i-5..i+5 x
// j-5..j+5 that lie on the grid, and never below 0.
void alt_voisinage();

// Wind factor of a glide along the unit direction (dxu, dyu):
// v = |vtrans (dxu, dyu) - (wnd_x, wnd_y)| (record loca00); vtrans / v, or
// 1000000 when v is 0 or the factor would exceed 1000000 (the glider makes no
// headway). The height lost over a ground distance d is d x fcalc_inv x factor.
float fmod_f(float dxu, float dyu);

// The wind factor of a glide along the unit direction (dxu, dyu) as the
// glide routines take it: fmod_f with pelrn00.qwind, 1 without.
float wind_factor(float dxu, float dyu);

// Largest wind factor: the glider makes no headway.
inline constexpr float kNoHeadway = 1000000.0f;

// The position behind the connection code lc_00 of a reach-grid cell: the
// start point (x00, y00, z00) for 0; otherwise the centre and arrival altitude
// ppp_rch(ic, jc) of the cell numbered lc_00 = ic + (jc - 1) x nrcdim1. A code
// that names no cell of the nrcdim1 x nrcdim2 grid writes the decoding on the
// console and ends the run.
void get_xyz(int lc_00, float x00, float y00, float z00, int nrcdim1, int nrcdim2,
             const CellTable<GlidePoint>& ppp_rch, float& xx_00, float& yy_00, float& zz_00);

// The reach-grid cell (ic, jc) named by a connection code k (not 0):
// jc = (k - 1) / nrcdim1 + 1, ic = k - nrcdim1 (jc - 1). False (ic, jc
// unchanged) when nrcdim1 is below 1 or the cell lies outside 1..nrcdim1 x
// 1..nrcdim2.
bool decode_reach_cell(int k, int nrcdim1, int nrcdim2, int& ic, int& jc);
