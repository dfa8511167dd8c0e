#pragma once

#include <span>

// Small computations in the plane of the landscape's local metric frame
// (x, y in metres): lines through two points, distances to a line, a segment
// and a polyline, the normalisation of an angle into a 360-degree window, and a
// relative comparison of two reals.
//
// A line is a·x + b·y + c = 0 with (a, b) a unit vector. Two points 1e-10 or
// less apart give no line: the line routines then return a = b = c = 1e10.
// Every routine works on finite inputs without dividing by zero, making a NaN
// or overflowing.

// A point of the plane, metres.
struct PlanePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// Distance below which (included) two points are taken as one; a 32-bit real
// like the coordinates, so two floats 1e-10f apart count as one point.
inline constexpr float kDegenerateLength = 1e-10f;
// The a, b and c of the line routines when there is no line.
inline constexpr float kNoLine = 1e10f;
// Result of dist_poly for a polyline of fewer than two points.
inline constexpr float kNoPolyline = 1e20f;
// The polylines handed to dist_poly hold at most this many points.
inline constexpr int kMaxPolylinePoints = 498;

// Distance between two points, held at the largest float where it would be
// larger.
float point_distance(float x1, float y1, float x2, float y2);

// The line through (x1, y1) and (x2, y2): a = dy/d, b = -dx/d,
// c = -(x1·a + y1·b). Result 1; for coincident points a = b = c = 1e10 and 0.
int equa_droite(float x1, float y1, float x2, float y2, float& a, float& b, float& c);

// The line through (x1, y1) perpendicular to the segment towards (x2, y2):
// (a, b) is the unit direction of the segment, c = -(x1·a + y1·b) with the
// stored a and b. Coincident points give a = b = c = 1e10.
void droite_perp(float x1, float y1, float x2, float y2, float& a, float& b, float& c);

// Distance from (xx, yy) to the infinite line through the two points; for
// coincident points the distance to (x1, y1).
float dist_droite(float x1, float y1, float x2, float y2, float xx, float yy);

// Distance from (xx, yy) to the segment (x1, y1)-(x2, y2): the perpendicular
// distance when the foot of the perpendicular lies strictly inside the segment,
// else the distance to the nearer end point.
float dist_segment(float x1, float y1, float x2, float y2, float xx, float yy);

// Smallest distance from pp to the segments pol[i-1]-pol[i] of the first np
// points of the polyline (stored from pol[0]); 1e20 when np < 2. Points beyond
// the end of pol are never read.
float dist_poly(const PlanePoint& pp, std::span<const PlanePoint> pol, int np);

// aa plus or minus whole turns so that the result lies in [amin, amin + 360],
// both ends included: 360 is added while the value is below amin, then
// subtracted while it is above amin + 360.
float modang(float aa, float amin);

// True when a and b differ by less than 1e-6 of the larger magnitude (of the
// difference itself when both are 0). Writes a, b, |a - b| and the relative
// difference on the console.
bool f_eq(float a, float b);
