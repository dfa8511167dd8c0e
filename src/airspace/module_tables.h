#pragma once

#include <span>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

// Copies the zones held by a load-mode read into the module tables of the
// in-memory model (airspace/airspace_mod.h): the points of zones 0 .. nzon -
// 1 (points 0 .. npt - 1), each zone's class, first point and point count,
// its name from the airspace-name table cut at lmax1 characters, and the
// flags at their start values (active, not near, not in, derogation for
// classes G and GSEC). Sets nbzon and as0001.nb_zon to nzon.
//
// The caller's points come back mirrored into the terrain grid's frame
// (x = trn001.x_scn_mx - x); the model keeps the landscape frame.
//
// A table that cannot be created is logged by name and, after all have been
// tried, reported ("Memory allocation error - see logfile"); the run then
// stops (exit code 1).
void copy_to_local(int& nbzon, std::span<const AirspaceZone> zon, std::span<PlanePoint> pp, int npt, int nzon,
                   int lmax1);
