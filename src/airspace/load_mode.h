#pragma once

#include <span>
#include <string_view>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

// The reader's load mode (as0003.qwriteas off): the zones that are not
// disabled and touch the working window are kept in memory with their limits
// and display names, the task's penalty zones are added as class-P zones, and
// the whole is copied into the module tables (airspace/airspace_mod.h) and,
// for a positive mode flag, rastered (airspace/airspace_grid.h). The terrain
// code reads that model.

// Limits of kept zone nzon - 1 (as0001.as_lim rows 1-6): the box of its
// points clipped to the working window, floor decode_alt_as(asl) and ceiling
// decode_alt_as(ash) in metres (negative above ground). `asn`, its built
// name, goes to the trace with the box.
void copy_as1(std::span<const AirspaceZone> zon, std::span<const PlanePoint> pp, int nzon, std::string_view asn,
              std::string_view asl, std::string_view ash);

// Adds the task's penalty zones (rd_fpl_0.nb_pz, rd_fpl_1.pza and pzp) after
// the nbzon zones held: each becomes a class-P zone of its four corners and a
// closing point, with its box (not clipped), floor and ceiling, and is kept
// when it touches the window (in_map, point test by reachability rectangle);
// its name "PZ #i : [floor-ceiling unit] : penalty p" uses the display
// altitude unit (tarvex01.fmulalt, tarvex_c.cunitalt). A zone with a corner
// farther than 100,000 km from the frame's origin is left out with a warning;
// when the zone or point table is full the rest are left out with a warning.
// nbzon, npt and lmax1 (the longest name) are updated. Result 1 when at
// least one zone is held afterwards, else 0.
int convert_pz(int& nbzon, std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int& npt, int& lmax1);

// True unless (xx, yy) lies in the box (bounds included) of a zone of class G
// or GSEC of the model; true when no zone is held.
bool notinderog(float xx, float yy);

// Removes the points of zone nz, from its first point to npt - 1, that lie
// less than 50 m (larger of |dx| and |dy|) from the point before them; later
// points move down and npt shrinks. The zone table is not changed (meant for
// the zone being read, whose last point is not set yet). Traces the points
// before and after.
void check_dup(int nz, std::span<const AirspaceZone> zon, std::span<PlanePoint> pp, int& npt);

// Selects or deselects class i (0..19) for the terrain code's tests.
void set_class_sel(int i, bool j);

// Makes zone i of the model active or inactive.
void set_as_act(int i, bool j);

// The default pens of the classes and no brushes (every brush value -1).
void init_airspace_col(AirspacePens& sp, AirspaceBrushes& sb);

// Steps of read_airspace.

// Start of every read, in either mode: the model of an earlier load is
// released (every module table, the limits, nb_zon = 0).
void release_airspace_model();

// Start of a load: room in as_lim for `capacity` zones. With nav >= 1 the
// raster's budget must be valid (raster_budget_valid, reported): false
// otherwise, and nothing is to be read.
bool begin_airspace_load(int nav, int capacity);

// A zone the load keeps, number nzon - 1: its limits (copy_as1) and its name
// in the airspace-name table.
void keep_loaded_zone(std::span<const AirspaceZone> zon, std::span<const PlanePoint> pp, int nzon,
                      std::string_view asn, std::string_view asl, std::string_view ash);

// End of a load of nzon zones (their points end before npt; points of a
// zone left unfinished at a limit are not taken): the penalty zones are added
// when nav is not 0, then the model is copied into the module tables and,
// with nav >= 1, rastered (unless as0003.qraster_by_caller leaves that to
// the caller). nbzon = the zones of the model. Result 1 when it
// holds at least one zone, else 0. `ordinal` (the file's last zone number)
// and `start` (elapsed_time at the read's start) go to the trace.
int end_airspace_load(int nav, int& nbzon, std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int nzon, int npt,
                      int ordinal, float start);
