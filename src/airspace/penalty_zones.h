#pragma once

#include <string_view>

class FileWriter;

// The task's penalty zones as class-P airspaces in OpenAir text: a banner and,
// per zone, its number and penalty, floor and ceiling in feet and its four
// corners.

// Writes the banner and the zones into an open airspace output (after the
// filtered copy of a Condor 3 plan's landscape airspace).
void write_pz_zones(FileWriter& out);

// Writes `oafile` whole with the notice header and the zones: the airspace
// output of a plan that brings no landscape airspace. `iosoa` is the status of
// the open, the writes and the close (0 written); a failure is shown, logged
// and noted as a file not written, and the file keeps its old bytes.
void write_pz(std::string_view oafile, int& iosoa);
