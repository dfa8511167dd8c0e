#pragma once

// The reach driver: a complete reachability computation round a glider
// (reach_passes.h). It chooses the grid step from the time the last
// computation took (halved under 0.3 s down to pelrn00.min_gri, doubled over
// 0.9 s up to max_gri, max_gri for the first; any steps from 1 cell, a
// halved odd step rounding down, and never beyond the two), runs the first
// and second passes on arrays of its own, refines the result while the
// computation is younger than 0.9 s (pelrn00.qrefgri: the step halved, the
// cells between the computed ones filled, both passes again round the
// start) and copies the result into the caller's arrays in parallel. Times
// come from the reach clock (reach_clock.h).

#include "terrain/terrain_grid.h"

// What the driver keeps from one computation to the next.
struct ReachNav {
    int start_gri = 2;    // the step to start with
    float rchtim = 0.0f;  // seconds the last computation took, to its last second pass
    bool qtimed = false;  // a computation has been timed
    int ngri_0 = 0;       // the step refine_reach refines (the coarser step it fills between)
    // The arrays the passes work on, kept from one computation to the next.
    CellTable<GlidePoint> ppp_rch;
    CellTable<int> n_rch;
};
extern ReachNav reach_nav;
void reset_reach_nav();

// A complete computation for the reach grid of nrcdim1 x nrcdim2 cells from
// the landscape-frame start (x0, y0) at altitude z0 and time t0. The caller's
// arrays receive the result (sized to the grid); ngri = the final step, nex
// = the cells the last pass reached, xdcnt, ydcnt = the window's shift. nt0
// is not used. Refused with a message, nothing changed, and false when
// pelrn00.min_gri is below 1 or exceeds max_gri, or when the passes refuse
// the grid or the step.
bool get_reach_p_nav(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch_c, CellTable<int>& n_rch_c, int& nex,
                     int& ngri, float x0, float y0, float z0, float t0, int nt0, float& xdcnt, float& ydcnt);

// Fills the cells between the computed cells after the step went from
// ngri_0 (0: twice ngri, the step halved) to ngri: every cell of step ngri
// (1, 1 + ngri, ...) between two reached cells of the coarse step along a row
// or a column, or inside a square of four, takes the connection of those
// corners and their arrival altitudes weighted by its place between them
// (their mean halfway) when they share one connection, else the best glide
// from the corners' sources (the wind factor in the grid frame, as the
// passes take it) with that source's connection. A cell whose value would
// not clear its own terrain by sfty_g is left to the passes. Filled cells
// get state kReachFilled; nex grows by their count. x0, y0, z0: the start in
// the landscape frame.
void refine_reach(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex, int ngri,
                  float x0, float y0, float z0, int ngri_0 = 0);
