#pragma once

// The LK8000 aircraft file (.acf): the glider's LK8000 profile, built from the
// task's glider and three values of the glider's plane file (.xcp, the
// key="value" file XCSoar writes): "Handicap", "DumpTime" and "MaxSpeed".
// The file declares itself UTF-8 and is written so.

#include <optional>
#include <string_view>

// The three values of a plane file; a key the file lacks has no value.
struct PlaneFileValues {
    std::optional<int> handicap;     // "Handicap", a whole number
    std::optional<int> dump_time;    // "DumpTime", seconds, to the nearest whole second
    std::optional<float> max_speed;  // "MaxSpeed", m/s
};

// Reads the plane file polfil: lines cut at 128 characters, split at their
// first "=" (else ":"), keys compared exactly; values may be in double quotes.
// A value that cannot be read ends the reading, keeping what was read before.
// False when the file cannot be opened.
bool read_plane_file(std::string_view polfil, PlaneFileValues& values);

// Writes the aircraft file outfi_0 for the glider ggg (the name its polar
// files bear) from the plane file polfil and the glider record ggg001.
// iosf: 1 when the plane file cannot be opened (a warning is shown and
// logged, no aircraft file is written); otherwise the status of writing the
// aircraft file (0 written; a whole write, whose failure is shown, logged and
// noted as a file not written). A key the plane file lacks leaves its line out,
// so LK8000 keeps its own value for it.
void write_acf(std::string_view outfi_0, std::string_view polfil, std::string_view ggg, int& iosf);
