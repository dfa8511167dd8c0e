#pragma once

#include <span>

#include "foundation/geometry.h"

// Plane tests on points of the local frame (metres, x westward, y northward)
// that the airspace code shares: side of a line, winding number, segment
// intersection, the point-thinning tolerance, the reachability-rectangle
// lookup and the frame-overflow test. None of them allocates or keeps state.
// The conversion's filter mode uses get_min_dist and is_in_rect; isleft,
// wn_poly, seg_intersect and crop wait for the raster build, the map-overlap
// check and the terrain code.
//
// A ring is stored from pol[0]; it is closed explicitly (its last point
// repeats the first) and no routine adds a closing edge of its own.

// Side of pp against the directed line p1 -> p2: positive on the left (in x, y
// axes), zero on the line, negative on the right.
float isleft(const PlanePoint& pp, const PlanePoint& p1, const PlanePoint& p2);

// One of `parts` equal parts of `extent`: the float quotient extent / parts,
// bit for bit (the double quotient of two floats rounds to the same float).
// It is divided in double because the program runs with the invalid-operation
// trap on: where two float divisions sit side by side (a cell's width and
// height), GCC before 14 may pair them in the low half of an SSE register and
// divide the upper half too, which holds whatever an earlier value or stack
// slot left there; a signalling NaN among those bits traps. Two double
// divisions fill the register and divide nothing else.
float equal_part(float extent, int parts);

// Winding number of the first np points of the ring round pp (0 outside),
// with half-open crossing rules: an edge counts upward when it starts at or
// below pp.y and ends above it with pp on its left, downward when it starts
// above and ends at or below with pp on its right. 0 for np < 2. Points
// beyond the end of pol are never read.
int wn_poly(const PlanePoint& pp, std::span<const PlanePoint> pol, int np);

// True when segment A (x1, y1)-(x2, y2) and segment B (x3, y3)-(x4, y4) meet:
// boxes that do not overlap are rejected first; parallel and collinear
// segments never meet; an end point on the other segment counts.
bool seg_intersect(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);

// Point-thinning tolerance for a point at (x, y): 16 m, or with
// as0003.qcoarsedist a value growing with the distance from the working
// window (bands of 20 km: 16, 100, 316.23, 1000, 3162.3, 10000, then 31623 m).
float get_min_dist(float x, float y);

// The flag of reachability rectangle (i, j); false for indices outside 1..50.
bool is_in_rect(int i, int j);

// Which edges of the frame [0, xmx] x [0, ymx] the extent [xx1, xx2] x
// [yy1, yy2] runs over (strictly): east when xx1 < 0, west when xx2 > xmx,
// south when yy1 < 0, north when yy2 > ymx. Writes "CROP" and the inputs to
// the trace.
void crop(float xx1, float xx2, float yy1, float yy2, float xmx, float ymx, bool& qcrop_e, bool& qcrop_w,
          bool& qcrop_s, bool& qcrop_n);
