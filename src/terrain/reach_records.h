#pragma once

// The records of the terrain reachability code: the reach window, the
// airspace short list, the last reach position and the connection codes of
// the reach grid. Its glide settings, switches and the recorded flight track
// (loca00, pelrn00, loca02, pelloran_mod) are shared with the map-overlap
// check and live in foundation/reach_settings.h; nothing in the program sets
// them, a caller of the terrain code does.

#include <array>
#include <vector>

#include "foundation/reach_settings.h"
#include "terrain/cell_table.h"

// The reach window (written by the reachability passes). Positions are metres
// of the grid frame.
struct Rch001 {
    float s_tim_0 = 0.0f;  // time mark of the last new computation, s
    float xrch_min = 0.0f;  // extent of the candidate box, from the outer edge
    float xrch_max = 0.0f;  // of its first cell to the outer edge of its last
    float yrch_min = 0.0f;
    float yrch_max = 0.0f;
    int irch_1 = 0;  // terrain cell of reach-grid cell (1, 1)
    int jrch_1 = 0;
    int ii_0 = 0;
    int jj_0 = 0;
    int irch_min = 0;  // reach-grid bounds of the candidate box
    int irch_max = 0;
    int jrch_min = 0;
    int jrch_max = 0;
};
extern Rch001 rch001;
void reset_rch001();

// The terrain cell (i, j) under reach cell (ii, jj): (irch_1 + ii - 1,
// jrch_1 + jj - 1); false (i, j unchanged) when it lies off the terrain grid
// (trn001's ni_00 x nj_00 cells, and the cells altitude.zp holds).
bool reach_terrain_cell(int ii, int jj, int& i, int& j);

// Reset by each pass, read by nothing. Elements 1..2 (0 unused).
struct Rch002 {
    std::array<float, 3> x_best{};
    std::array<int, 3> nb_best{};
    int ncoin = 0;
};
extern Rch002 rch002;
void reset_rch002();

// The airspace short list of a reach computation (nav_airspace): room for
// every zone of the model, so that no zone is left out of it.
struct Rch003 {
    std::vector<int> as_shortlist;  // zone numbers from element 1 (element 0 unused)
    int as_nb_shortlist = 0;
};
extern Rch003 rch003;
void reset_rch003();

// The last reach position (landscape frame, metres; times in seconds).
struct Posi00 {
    float x_rch = 0.0f;
    float y_rch = 0.0f;
    float z_rch = 0.0f;
    float t_rch = 0.0f;
    float nav_tim = 0.0f;  // time mark of the last reach run
};
extern Posi00 posi00;
void reset_posi00();

// Connection codes of the reach-grid cells (nrcdim1 x nrcdim2): -999 before a
// new computation, 0 reached by a straight glide from the start point, k >= 1
// reached by a glide from the cell whose number is k = ii + (jj - 1) x nrcdim1
// (get_xyz decodes it).
struct ReachableMod {
    CellTable<int> l_connect;
};
extern ReachableMod reachable_mod;
void reset_reachable_mod();

// Every record of the terrain code, the heights and the shared settings
// (reset_reach_settings) included.
void reset_terrain_records();
