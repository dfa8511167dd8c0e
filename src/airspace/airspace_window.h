#pragma once

#include <span>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

// The working window of the airspace selection (as0002) and the test whether
// a zone touches it.

// Sets the window from the map extents of the landscape frame (trn001), or
// from its reach extents in navigation mode (pelrn00.qnav) or when
// as0003.qshow_unreach_as is on; extents narrower than 1 m give the square
// 0..10,000 km. Writes "AS min max" to the trace.
void init_airspace_map();

// Sets the window to x1..x2 by y1..y2 and writes "AS min max" to the trace.
void init_airspace_map_1(float x1, float x2, float y1, float y2);

// True when zone nz - 1 touches the window (bounds included): its bounding
// box and the window overlap, their x intervals and their y intervals both.
// That holds when one of its points or a corner of its box lies inside the
// window, when a corner of the window lies inside its box, and for a zone
// crossing the window like a band; a box that overlaps the window though the
// outline does not (an L round a corner of it) counts too, keeping too much
// being safe. A point inside the window ends the scan of the points early
// (with qglob or as0003.qshow_unreach_as any point, else one in a flagged
// reachability rectangle). A zone of fewer than two points, or one whose
// points lie outside the table, never touches it.
bool in_map(int nz, std::span<const AirspaceZone> zon, std::span<const PlanePoint> pp, bool qglob);

// Whether (x, y) lies in a flagged reachability rectangle (trn002), the
// rectangles indexed from the origin they were built on.
bool in_reach_rect(float x, float y);

// Reachability rectangle of a coordinate: (v - origin) / step cut toward
// zero, plus 1, held within 1..count. No step (nothing set up the rectangles)
// gives 1.
int rect_index(float v, float origin, float step, int count);
