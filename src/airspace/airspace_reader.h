#pragma once

#include <span>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"

class FileWriter;

// The OpenAir airspace reader. It reads as000c.aspfile line by line and turns
// each airspace into a zone of the caller's tables: a class, a display name
// and a closed ring of points in metres of the local frame.
//
// With as0003.qwriteas on (filter mode, the conversion's mode) it decides for
// each zone whether it is kept (not disabled by the task and, with qcropas,
// touching the working window) and writes the filtered copy: the notice
// header, then the file's lines zone by zone, a dropped zone commented out or
// left out (qdeldup); kept zones are listed by number and name in
// as000c.asp_d_file and in "CroppedAirspace.txt" (current folder, appended).
// With qwriteas off (load mode, airspace/load_mode.h) it keeps the zones that
// are not disabled and touch the window (nav < 0: any point inside it; else
// only points whose reachability rectangle is flagged) with their limits and
// names, adds the task's penalty zones when nav is not 0, and copies the
// whole into the in-memory model (airspace/airspace_mod.h), which it rasters
// when nav >= 1. Every read, in either mode, first releases the model of an
// earlier load.
//
// The copy and the list are whole writes (platform/files.h): after a read
// error of the airspace file they are given up and keep their old bytes.
// Every output file that cannot be created or written is reported and noted
// as a file not written (foundation/unwritten_files.h); "CroppedAirspace.txt"
// only grows, and keeps what was appended.
//
// Limits: when the zone table is nearly full (maxzon - 1 zones at an AC line)
// or the point table is full, the reading stops in order: the zone in progress
// is neither kept nor dropped, nothing further is copied, the files are
// closed, and one warning tells how many airspaces were processed. In filter
// mode a zone's slot and points are given back once the zone is decided, so
// the limits bound one zone (a file of any size is read whole); with
// qwriteas off they bound the zones held.
//
// Comments: in the geometry lines (V, DP, DY, DA, DB, DC) only the text
// before a "*" is read; AN names keep theirs, and the copy keeps every line
// whole.
//
// Result: in filter mode 1 when nbzon was at least 1 on entry, else 0
// (nbzon unchanged); with qwriteas off, 1 when the model holds at least one
// zone (nbzon = their count), else 0 with nbzon = 0 (also when nav >= 1 and
// the raster's memory budget as0003.as_maxmeg is not valid: reported, nothing
// read). 0 when no file is named (reported when nav is 0) or it cannot be
// opened (reported), or the copy cannot be created (reported).
int read_airspace(int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon, std::span<AirspaceZone> zon,
                  std::span<PlanePoint> pp, int maxzon, int maxpts);

// read_airspace with the filtered copy (notice header first) written into
// `copy`, a whole write the caller has opened and finishes, so that more can
// follow in the same file (the conversion's penalty zones). The copy is not
// closed; nothing is written to it when no copy is made (see
// filtered_copy_status).
int read_airspace_into(FileWriter& copy, int nav, AirspacePens& sp, AirspaceBrushes& sb, int& nbzon,
                       std::span<AirspaceZone> zon, std::span<PlanePoint> pp, int maxzon, int maxpts);

// What the last read_airspace did with its filtered copy (new_aspfile), since
// its result does not tell (in filter mode it only echoes the zone count given
// in): 0 when the copy was written and closed whole (also when a limit ended
// the reading in order); kFilteredCopyNotWritten when no copy was made (filter
// mode off, no airspace file named, the airspace file or the copy could not be
// opened); otherwise the status of the failed read of the airspace file or of
// the failed write or close of the copy (for read_airspace_into, of its writes
// so far). Every call of read_airspace sets it (as000c.new_aspfile_status).
int filtered_copy_status();

// True when the task disables airspace n of the file (AC lines counted from
// 0). Numbers beyond the task's flags (0..8192) cannot have been named by the
// task: they count as disabled only in list mode (as0003.qlistas), where the
// enabled zones are those listed.
bool airspace_disabled(int n);

// Name of the index file of every kept zone, in the current folder.
inline constexpr const char* kCroppedAirspaceFile = "CroppedAirspace.txt";
