#pragma once

#include <array>
#include <vector>

// Settings and the recorded flight track that the terrain-reachability code
// and the map-overlap check read: glide settings, switches and the track.
// Nothing in the program fills them; a caller of that code sets them first.
// Positions are metres of the landscape's local frame, heights metres.

// Glide settings.
struct Loca00 {
    float sfty_g = 0.0f;     // safety height over ground, m
    float sfty_h = 0.0f;     // arrival height over a target, m
    float fcalc = 0.0f;      // glide ratio: distance flown per metre of height
    float fcalc_inv = 0.0f;  // its inverse: height lost per metre flown in calm air
    float vfmax = 0.0f;      // speed threshold, m/s
    float vtrans = 0.0f;     // air speed of the glide, m/s
    float wnd_x = 0.0f;      // wind vector in the grid frame, m/s
    float wnd_y = 0.0f;
};

// Switches of the reachability code and of the map-overlap check.
struct Pelrn00 {
    int max_gri = 0;        // coarsest reach step, cells
    int min_gri = 0;        // finest reach step, cells
    int ngri_cur = 0;       // step of the running computation
    int num_threads = 0;
    int nrcdim0 = 0;        // reach grid size, cells of 90 m
    int maxtaskmargin = 0;  // largest margin round the task, km
    bool qdecentr = false;  // shift the reach window forward
    bool qwind = false;     // apply the wind factor
    bool qnav = false;      // navigation: a task instead of a recorded track
    bool qrefgri = false;   // refine after the first result
    bool qrefining = false; // a refinement is running
};

// Switches of a batch run and of map generation.
struct Pelrn02 {
    bool qbatch = false;   // no user at hand: messages on the console
    bool qgenmap = false;  // generate a map: the reach extents are the whole frame
    bool qgentrn = false;  // generate a terrain: likewise
};

// Number of points of the recorded track.
struct Loca02 {
    int ntot = 0;
};

// One recorded track point: time (s), x, y (m), altitude (m).
using TrackPoint = std::array<float, 4>;

// The recorded track, points 1..ntot (element 0 unused).
struct PelloranMod {
    std::vector<TrackPoint> ppsec;
};

extern Loca00 loca00;
extern Pelrn00 pelrn00;
extern Pelrn02 pelrn02;
extern Loca02 loca02;
extern PelloranMod pelloran_mod;

void reset_loca00();
void reset_pelrn00();
void reset_pelrn02();
void reset_loca02();
void reset_pelloran_mod();
// All five.
void reset_reach_settings();
