#pragma once

// Extents of the landscape's terrain frame, shared with the airspace code.
// Only x_scn_mx, y_scn_mx (the frame's width and height, set by the
// conversion from utm_init) and xmax, ymax (the map window) receive values in
// the program; the others stay zero.
struct Trn001 {
    float x_scn_mx = 0.0f;
    float y_scn_mx = 0.0f;
    float xmin = 0.0f;
    float xmax = 0.0f;
    float ymin = 0.0f;
    float ymax = 0.0f;
    float zmin = 0.0f;
    float zmax = 0.0f;
    float zmoy = 0.0f;
    float xmin_r = 0.0f;
    float xmax_r = 0.0f;
    float ymin_r = 0.0f;
    float ymax_r = 0.0f;
    float distmax = 0.0f;
    float rew = 0.0f;  // east-west grid step
    float rns = 0.0f;  // north-south grid step
    float dxy = 0.0f;
    float latmin = 0.0f;
    float latmax = 0.0f;
    float lonmin = 0.0f;
    float lonmax = 0.0f;
    float dlatlon = 0.0f;
    int ni_scn = 0;
    int nj_scn = 0;
    int ni_00 = 0;
    int nj_00 = 0;
    int i_00 = 0;
    int j_00 = 0;
    int ni_trn = 0;
    int nj_trn = 0;
};
extern Trn001 trn001;
void reset_trn001();
