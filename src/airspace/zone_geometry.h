#pragma once

#include <span>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

// Building the ring of one airspace zone in the point table: points thinned
// against their predecessor, arcs and circles as point chains, airways
// widened into rectangles, and the ring closed.
//
// The point table is the caller's; `npt` is the number of points it holds.
// Every store is checked against the table's size: a routine that finds no
// room stores nothing more and returns false, and the caller stops.

// Distance (larger of |dx| and |dy|) beyond which a ring's last point is not
// snapped onto its first but followed by a copy of it.
inline constexpr float kRingSnapDistance = 50.0f;
// Pi and two pi as the arcs use them (4-byte reals).
inline constexpr float kAirspacePi = 3.1415927f;
inline constexpr float kAirspaceTwoPi = 6.2831855f;
// Largest radius or airway width accepted, metres: anything larger is a
// fault of the file.
inline constexpr float kLargestAirspaceRadius = 2.0e7f;

// Stores (xx, yy) at index npt when it is the table's first point, when
// `qnew` is set (the zone's first point), or when it lies farther than the
// thinning tolerance (get_min_dist) from the previous point in x or y; a
// point dropped as too close leaves a trace line. False when the table is
// full (nothing stored).
bool add_point(float xx, float yy, int& npt, std::span<PlanePoint> pp, bool qnew);

// Closes the ring of zone nz, whose points run from zon[nz].first to npt - 1:
// nothing for two points or fewer; a last point within 50 m of the first is
// replaced by it, a farther one is followed by a copy of the first. False
// when that copy finds no room.
bool check_close(int nz, std::span<const AirspaceZone> zon, std::span<PlanePoint> pp, int& npt);

// The state an arc line needs: the centre and the direction.
struct ArcCentre {
    float xcen = 0.0f;
    float ycen = 0.0f;
    bool clockwise = true;  // V D=+ (the default); V D=- runs counter-clockwise
};

// The segments of an arc of radius r (metres) from the angle t1 to t2
// (radians) in the centre's direction, and of a full circle: about one per
// kilometre, at least 8. An arc or a circle has one point more.
int arc_segments(const ArcCentre& centre, float r, float t1, float t2);
int circle_segments(float r);

// Adds the points of an arc of radius r (metres) about the centre, from the
// angle t1 to t2 (radians, t = bearing + 90 degrees), in the centre's
// direction: about one point per kilometre, at least 8 segments, both ends
// included. `first_of_zone` is the zone's first-point index: a point stored
// there is always kept. False when the table is full.
bool add_arc_points(const ArcCentre& centre, float r, float t1, float t2, int first_of_zone, int& npt,
                    std::span<PlanePoint> pp);

// Adds the points of a full circle of radius r (metres) about the centre,
// starting and ending at angle 0. False when the table is full.
bool add_circle_points(const ArcCentre& centre, float r, int first_of_zone, int& npt, std::span<PlanePoint> pp);

// Turns the two points of an airway (from index first, npt = first + 2) into
// the rectangle of width `width` round them: the two points move half the
// width to one side and two points are added on the other side. Result 1
// widened, 0 not widened because the zone does not hold exactly two distinct
// points, -1 no room for the two added points.
int widen_airway(int first, float width, int& npt, std::span<PlanePoint> pp);
