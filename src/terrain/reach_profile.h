#pragma once

// Results of a reachability computation turned into a flight profile and a
// summary: the glide profile from the start to a reached point, following
// the cells each cell was reached from, and the reach heights made heights
// above the ground with the extent of the reached area.
//
// The reach grid: ppp_rch(ii, jj) the centre (landscape frame, metres) and
// reach height of each cell, n_rch(ii, jj) >= 1 where the cell was reached,
// reachable_mod.l_connect the cell each was reached from, rch001 the window;
// reach cell (ii, jj) stands on terrain cell (irch_1 + ii - 1,
// jrch_1 + jj - 1).

#include <array>
#include <string>
#include <vector>

#include "terrain/terrain_grid.h"

// Most points of a profile, the start included.
inline constexpr int kMostProfilePoints = 1000;

// The glide profile from the start (xx0, yy0) at altitude zz0 to the end point
// (xx9, yy9), both in the landscape frame, over the reach grid (whose heights
// are heights above the ground, see to_agl): ppman(1..nman) (element 0
// unused), start first, then the cells the end was reached through, then the
// end, with altitudes above sea level; points a straight clear glide makes
// unnecessary are dropped and the altitudes after them recomputed as glide
// losses. An end cell not reached is replaced by the first reached corner of
// the coarse cell of step pelrn00.ngri_cur holding it. nman = 0 when the start
// lies off the terrain grid; -1 when the end lies off it or off the reach
// grid, was not reached, or its chain of cells is longer than the profile
// holds.
void get_reach_prof(float xx0, float yy0, float zz0, float xx9, float yy9, int nrcdim1, int nrcdim2,
                    const CellTable<GlidePoint>& ppp_rch, const CellTable<int>& n_rch, int& nman,
                    std::vector<GlidePoint>& ppman);

// pmima(r, c), r = 1..2, c = 1..3 (elements 0 unused).
using ReachExtent = std::array<std::array<float, 4>, 3>;

// Turns the positive reach heights of the cells computed at step ngri (every
// ngri-th cell from 1, inside rch001's window and on the terrain grid) into
// heights above the ground. pmima(1, 1..2) and pmima(2, 1..2): the x and y
// extent of those cells (each pair only when some cell gave it), pmima(1, 3):
// the largest distance from the reach position (posi00) to a cell reached
// more than sfty_g above the ground (0 when none). cline: the summary line
// "time,altitude,distance,step,seconds" (the seconds since posi00.nav_tim in a
// column of their own for each step 1, 2, 4 and 8; empty for other steps), in
// French spreadsheet form when cmndta001.qfr is set; it also goes to the trace.
void to_agl(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, int ngri, ReachExtent& pmima,
            std::string& cline);
