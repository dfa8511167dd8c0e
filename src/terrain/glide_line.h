#pragma once

// Glide lines over the terrain grid: whether a glider at a point and altitude
// glides straight to a target without coming too close to the ground (and,
// with as0003.qcheckas_trj, without entering airspace), how much altitude it
// lacks for that, how a glide path bends round crests, and the route store
// that keeps a path free of points a straight glide makes unnecessary.
//
// Positions are metres of the grid frame (terrain_grid.h), altitudes metres.
// Flying a ground distance L along the unit direction m costs
// L x loca00.fcalc_inv x f of altitude, f = fmod_f(m) with pelrn00.qwind, 1
// without (the glide loss).

#include <vector>

#include "terrain/terrain_grid.h"

// Targets this close (metres) are examined directly: 1.2 steps of 90 m.
inline constexpr float kLastStepDistance = 108.00001f;

// The glide loss of flying from (x1, y1) to (x2, y2).
float glide_loss(float x1, float y1, float x2, float y2);

// Straight glide from (xx0, yy0, zz0) towards (xxta, yyta) over zp, in steps
// of 90 m growing up to 540 m while the glider stays high above the ground.
// The clearance wanted is loca00.sfty_g (1.5 sfty_g when qhit is false),
// tapering to 0 on a 1:10 slope over the last 10 (sfty_g - sfty_h) metres
// when qhit is set. Result true when the line is clear down to the target.
// zg, dhg: ground height and height above it at the last point examined;
// a point off the grid ends the line at once with false, zg = -999999 and dhg
// as it was, the start untouched. Otherwise, when qhit is false the end point
// is moved back 90 m towards the start (dhg raised by the glide loss of 90 m),
// and when qupd is set it is written back into xx0, yy0, zz0.
bool ligne_droite(bool qupd, bool qhit, float& xx0, float& yy0, float& zz0, float xxta, float yyta,
                  const CellTable<float>& zp, float& zg, float& dhg);

// Slides the point (xx0, yy0, zz0) downhill, losing height by the glide loss
// of the direction it slides (its wind factor that of -gradient),
// until it stands more than sfty above the ground, has moved 21 times, lies
// more than 1000 m from where it started, finds flat ground or leaves the
// grid. Each move goes against the terrain gradient by dhg / |gradient|,
// held within [0.5, 1.5] x trn001.dxy. dhg: the last height above the ground
// (-999999 when the start lies off the grid); nslope: the moves made.
void slope(float& xx0, float& yy0, float& zz0, float sfty, const CellTable<float>& zp, float& dhg, int& nslope);

// Extra altitude the start (x0, y0, z0) needs for a straight glide to
// (xta, yta) arriving about sfty_h above the ground (bisection, at most 21
// lines): dhmismin when even that much more does not clear the line.
float get_miss_hei(float x0, float y0, float z0, float xta, float yta, float dhmismin);

// Appends the point (xx, yy, zz) to the route ppp (points 1..nndd, element 0
// unused; the vector grows as needed). Nothing is stored when the route has
// two points or more and the new one lies within 5 m of the last in both x
// and y. Otherwise the trailing points that a clear straight glide from an
// earlier point to the new one makes unnecessary are dropped first, and then
// the new point's altitude becomes the last kept point's altitude minus the
// glide loss to it.
void store_pos(int& nndd, std::vector<GlidePoint>& ppp, float xx, float yy, float& zz);

// Most passes of ligne_crb_crete.
inline constexpr int kMostCrestPasses = 333;

// Glide path from (xx, yy, zz) towards the target (xxta, yyta), to arrive at
// altitude zzta or above, bending round crests: straight lines while they
// clear, a slide off the slope where the path comes too close to the ground,
// and a sideways step along the contour line where a crest blocks it. The
// path is built in ppp / nndd through store_pos (nndd >= 1 on entry: the
// start). On return xx, yy, zz is where the path ends, zg and dhg the ground
// and the height above it under its last point, ddh the altitude to spare on
// arrival by a straight glide from there; qblock is set when 333 passes did
// not get there. Result true when the target was reached (not blocked, above
// the ground, within 108 m of the target).
bool ligne_crb_crete(float& xx, float& yy, float& zz, std::vector<GlidePoint>& ppp, int& nndd, float xxta,
                     float yyta, float zzta, const CellTable<float>& zp, float& zg, float& dhg, float& ddh,
                     bool& qblock);
