#pragma once

// The zones of the in-memory airspace model as the terrain code's airspace
// tests see them: how many can be read, a zone's ring, class, flags and
// limits, and its effective floor and ceiling over a ground height.

#include <span>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

// Zones 0 .. n - 1 that every table of the model holds.
int model_zones();

// Zone nz's ring in airspace_mod.as_pp; empty when its indices do not lie in
// the table.
std::span<const PlanePoint> zone_ring(int nz);

// Zone nz's class, and whether it is selected (as0001.qseltyp), active, of a
// derogation class (G, GSEC).
int zone_class(int nz);
bool zone_selected(int nz);
bool zone_active(int nz);
bool derogation_class(int typ);

const AirspaceLimits& zone_limits(int nz);

// (xx, yy) in zone nz's box, bounds included.
bool in_zone_box(int nz, float xx, float yy);

// (xx, yy) inside zone nz's ring: a winding number other than 0.
bool in_zone_ring(int nz, float xx, float yy);

// A floor or ceiling below zero is a height above the ground zg.
inline float effective_limit(float limit, float zg) { return limit < 0.0f ? zg - limit : limit; }

// The ground height at (xx, yy) by bilinear interpolation on altitude.zp;
// false when the 2 x 2 stencil does not fit the grid.
bool ground_at(float xx, float yy, float& zg);
