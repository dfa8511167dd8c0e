#pragma once

// Orientation of a turnpoint's sector in the XML task files: the bisector of
// the turn at the point, pointing away from the inside of the turn, as a
// compass bearing in degrees.

// Compass bearing, in [0, 360], of a vector of landscape metres (dx, dy), x
// growing to the west: atan2(dx, dy) in degrees, turned into 360 minus it when
// above 0, else its opposite.
float landscape_bearing(float dx, float dy);

// Bisector of the turn at task point n (1 .. nb_wp - 1) of the task model, in
// [0, 360]: with alm the bearing of the leg into the point and alp that of the
// leg out of it, dal = modang(alm - alp - 180, -180) and the bisector is
// modang(alm - dal / 2, 0). A straight-through point thus faces the right-hand
// side of the course. The last point of the task has no leg out of it: its
// bisector is the bearing of the leg into it, so its sector lies beyond the
// point, symmetrical about that leg. An index outside the task gives 0.
float sector_bisector(int n);
