#pragma once

// Condor's pilot settings: three values of the section "[Options]" of the
// "Setup.ini" in a pilot's folder.

#include <string_view>

struct Rdstng00 {
    float tau_int = 0.0f;  // averaging time in seconds: ("AveragerTimeConstant" + 1) x 5
    int nunit_cndr = 0;    // "Units": 0 metric, above 0 imperial
    int altsttng = 0;      // "AltimeterSetting" as written
};
extern Rdstng00 rdstng00;
void reset_rdstng00();

// Lines of the file are cut at this many characters.
inline constexpr std::size_t kSettingsLineLength = 120;
// Keys and values are cut at this many characters.
inline constexpr std::size_t kSettingsFieldLength = 80;

// Reads "Units", "AltimeterSetting" and "AveragerTimeConstant" from the lines
// after the line "[Options]" (also from later sections) into rdstng00; a key
// missing, blank or not an integer leaves its member as it was. With qdebug the
// path and the open status go to the log. Result 0 when the file was read to
// its end, else the (positive) status of the failed open or read.
int read_settings(std::string_view fich, bool qdebug);
