#pragma once

// Airspace proximity of the terrain code: whether a point in space lies
// inside the zones of the in-memory airspace model (airspace/airspace_mod.h,
// limits as0001.as_lim), which zones a glider is in or near, which zones
// matter for a reach computation, the vertical limits of the airspace over a
// point and whether a straight segment can cross a zone.
//
// The load mode of the airspace reader builds the model in the landscape
// frame; the terrain code works in the grid frame (terrain_grid.h). It takes
// the model through read_airspace_grid, which loads it and converts it once
// into the grid frame (as_grid_frame), so that a zone found at a latitude and
// longitude by the airspace code is found at the same place here. Positions
// below are metres of the grid frame except for in_as_2d.
//
// Floors and ceilings below zero are heights above the ground of their
// absolute value (at or below zero in near_as): the effective limit is the
// ground height minus the value. Derogation rule: a point inside a zone of
// class G or GSEC infringes none of the other zones it lies in. Found zones
// are signalled through the hook trig_as (foundation/gui_hooks.h).

#include <array>
#include <span>

#include "airspace/airspace_records.h"

// Converts the model a load-mode read has just built into the grid frame:
// every ring point's x becomes trn001.x_scn_mx - x, every zone's box is
// mirrored (its x min and x max swapped), the coverage raster is rebuilt when
// the load built one, and the table airspace_mod.as_possible of posscrossas
// is created (slots 0..32 of zone flags). Call it once per load. Result 1
// converted; 0 when no zone is held or the raster cannot be rebuilt.
int as_grid_frame();

// The terrain code's load of the airspace: read_airspace in load mode
// (as0003.qwriteas is cleared) with the arguments given, then as_grid_frame;
// with nav >= 1 the raster is built once, after the conversion (a raster
// that cannot be built releases the model: result 0, nbzon 0). Result that
// of read_airspace, 0 when the conversion fails.
int read_airspace_grid(int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon, std::span<AirspaceZone> zon,
                       std::span<PlanePoint> pp, int maxzon, int maxpts);

// Most zones a point test records, and most zones over one point in as_v_lim.
inline constexpr int kMostFoundZones = 256;
inline constexpr int kMostZonesOverPoint = 100;
// k_typ of a test that found nothing.
inline constexpr int kNoZoneFound = -999;
// zlim of as_v_lim: no airspace, and a part dropped by a derogation band.
inline constexpr float kNoAirspaceLimit = -999.99f;
inline constexpr float kDroppedLimit = -999.999f;

// Exhaustive test of the point (xx, yy) at altitude zz against every zone
// whose class is selected (as0001.qseltyp) and that is active: box, effective
// floor and ceiling, winding number. True when the point infringes no zone
// (also when it lies off the terrain grid, or inside a G or GSEC zone). With
// qfast the first zone of another class ends the test (false). k_typ: -999,
// the zone number for one zone infringed, -n for n zones. Without qnav each
// zone infringed is signalled with code 1.
bool check_as_wn(float xx, float yy, float zz, bool qfast, bool qnav, int& k_typ);

// Fast test on the short list (rch003) with the coverage raster, skipping the
// zones the glider is in (airspace_mod.as_in). True when the point infringes
// none (also for an empty short list; a point off the terrain grid ends the
// test with the result so far). qtrj and kt are not used.
bool check_as_gr(float xx, float yy, float zz, bool qfast, bool qtrj, int& k_typ, int kt);

// The short list of a reach computation from (xr, yr) at altitude zr: the
// zones whose floor is at or below zr and whose box overlaps the reach window
// (rch001), and that either have no corner of their box in the window (the
// box holds the window or crosses it like a band) or are reached above the
// floor at a corner of the box in the window or at the point of the box
// within the window nearest to the glider. Every zone of the model fits.
void nav_airspace(float xr, float yr, float zr);

// The zones the glider at (xx, yy, zz) is in, near or approaching (classes
// selected, active, no derogation zones), by the proximity distances of as0002
// widened by as_near_fact: signals them (codes 1, -1, -2, after zone -1 with
// code 0), sets airspace_mod.as_in and as_near, and returns how many it is in
// or near. hdist: horizontal distance to the nearest zone outside (0 inside
// one, 100000 none); vdist: the smallest vertical gap of an approached zone
// (0 inside one, 10000 none). 0 off the terrain grid.
int near_as(float xx, float yy, float zz, float& hdist, float& vdist);

// Signals with code 100 every zone whose ring holds the landscape-frame
// position (xx, yy), whatever its class, activity and altitudes.
void in_as_2d(float xx, float yy);

// The vertical limits of the airspace over (xx, yy), zlim(1..4) (element 0
// unused): the lower block's floor and ceiling and the upper block's, from the
// zones of selected classes whose ring holds the point (at most 100),
// -999.99 for a block that none opened; a band of derogation zones is cut out
// of the lower block and the upper block dropped (-999.999). Four -999.99 off
// the terrain grid.
void as_v_lim(float xx, float yy, std::array<float, 5>& zlim);

// Whether the segment from (x1, y1, z1) to (x2, y2, z2), on the line
// aa x + bb y + cc = 0 ((aa, bb) a unit vector), can cross a zone: a zone of a
// selected class, active, not wholly above or below both ends, whose bounding
// circle the line passes through. airspace_mod.as_possible[kt][zone] tells
// for each zone whether it may be crossed (kept for kt 0..32).
bool posscrossas(float x1, float y1, float z1, float x2, float y2, float z2, float aa, float bb, float cc, int kt);
