#pragma once

// The steps of one get_reach_p call (reach_passes.h), each in a file of its
// own: the new computation with its candidate marking, the first pass and
// the second pass. For get_reach_p only.

#include <string>

#include "terrain/reach_passes.h"

// The start of a new computation at the landscape-frame (x0, y0), altitude
// z0, time t0: clears the arrays, places the window (shifted along the track
// with qdecentr), marks the candidates, sets the candidate box of rch001 and
// the airspace short list (qnav). ngri: the step of the call; s_tim: its
// time mark.
void new_reach_computation(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int ngri,
                           float x0, float y0, float z0, float t0, float& xdcnt, float& ydcnt, float s_tim);

// The first pass at step ngri; nex = the cells it reached.
void reach_first_pass(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex,
                      int ngri);

// The second pass at step ngri with its confirmation; nex = the cells it
// reached. x0 .. t0 (landscape frame) go into the fault report.
void reach_second_pass(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex,
                       int ngri, float x0, float y0, float z0, float t0);

// The threads of the parallel regions: pelrn00.num_threads held within
// 1 .. min(available, 32).
int reach_threads();

// A trace line of the passes, when the trace is on.
void reach_trace(const std::string& line);
