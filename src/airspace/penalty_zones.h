#pragma once

#include <string_view>

// The task's penalty zones as class-P airspaces in OpenAir text.
//
// For a Condor 3 plan (rd_fpl_0.nvcnd = 3) the zones are appended to the
// airspace output, which holds the filtered copy; when that file does not
// exist (the copy could not be written) it is created with the notice header
// first. For other plans the file is created or replaced, header first. Then
// come a banner and, per zone, its number and penalty, floor and ceiling in
// feet and its four corners. `iosoa` is the status of the open and the writes
// (0 written); a failure is shown and logged once the file is closed.
void write_pz(std::string_view oafile, int& iosoa);
