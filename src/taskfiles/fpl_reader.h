#pragma once

#include <string_view>

#include "platform/files.h"

// The Condor flight-plan reader (.fpl of Condor 1, 2 and 3): fills the task
// model (task_model.h) from a plan's key=value lines.
//
// - Sections: "[Task]", "[Weather]", "[Plane]" and "[Version]" set which
//   section the following lines belong to; "[WeatherZoneN]" makes N the
//   current weather zone; any other header leaves the section as it was.
//   "Condor version" and "Landscape" count in any section.
// - Turnpoint keys ("TPName3=...", "TPRadius3=..."), penalty-zone keys
//   ("PZCount", "PZPos<corner>X<zone>=", "PZBase<zone>=", ...,
//   "DisabledAirspaces=4,17,30") and the task options count in any section;
//   weather keys only in a weather section, plane keys only in [Plane].
// - Numbers are read list-directed: a value that does not read as a number of
//   the member's kind leaves the member as it was, and nothing is derived
//   from it; the key of a turnpoint, penalty-zone or option value that does
//   not read, and each penalty-zone corner given, are noted in rd_fpl_keys
//   for the checks of task_checks.h.
// - A zone's angle (TPAngle) past a full turn is read modulo a turn (450 is
//   90, 720 a cylinder), and so is a window's azimuth (TPAzimuth) in whole
//   degrees, its sign kept: a value beyond a turn still means a direction.
// - An index beyond its table (turnpoint above 30, corner above 3, penalty
//   zone above 10, weather zone or polygon point above 16, disabled airspace
//   outside 0..8192, description line beyond 16) stores nothing and leaves a
//   console trace line.
// - A "Count" above kMaxTaskPoints in [Task] ends the reading there, the
//   count kept in nb_wp. Such a plan cannot be converted; the caller refuses
//   it (input_fault of driver/fpl_preread.h): the conversion with its
//   message, the conversion form by marking its input, the form open.
// - "Text=" starts the description; the lines after it, up to the first empty
//   one, are its lines 2.., and the reading ends there.
// - A plan embedded in another text is read from its lines that begin
//   "LCONFPL" (without those 7 characters); a line beginning
//   "LCONFlightInfo" ends the reading.
//
// Lines are read into a buffer of 132 characters (a longer line is cut), except
// in a Condor 3 plan from "PZCount" to "DisabledAirspaces", where the buffer
// holds max(132, 5 x the airspaces of the landscape + 17) characters.

// The most points a plan's task holds, the takeoff included (Count): the
// task model's tables, whatever the target.
inline constexpr int kMaxTaskPoints = 31;

// Reads the plan from `stream` (closed on return). With `fresh` the task model
// is cleared first (init_read_fpl, init_glider, init_wp), and at the end a
// Condor 2 plan gets its one weather zone "Base" and the legs are computed
// (compute_dist); without it the lines are read on top of the current model.
// fpl_000 receives the stream's path. qverb writes the "Condor_version=" and
// "Number of legs=" lines; qfr, the run's message language, chooses no text
// of the reader now (what makes a plan unusable is told by its caller).
// nl = the non-empty lines processed (description lines not counted).
// ios = -1 when the file ran out, 0 when the reading stopped at a
// "LCONFlightInfo" line, the empty line after a description or a Count
// above kMaxTaskPoints, the read status when reading a line failed.
void read_fpl(TextFileReader stream, bool fresh, bool qverb, bool qfr, int& nl, int& ios);

// The number of lines of the airspace file `aspfile` that begin "AC"; 0 with
// an error message (French with cmndta001.qfr, on the console with
// cmndta001.qline) when it cannot be opened.
int get_airspace_size(std::string_view aspfile);
