#pragma once

#include <cstddef>
#include <cstdint>

// What the main program keeps for its own run, from the start-up to the end of
// the conversion.
struct RunState {
    // The wall clock at start (whole epoch seconds): wait mode takes only a
    // flight plan written after it.
    std::int64_t t_start = 0;
    // Show the Condor 1 flight-plan warning; the settings file may switch it off.
    bool qwrnc1 = true;
    // The settings file existed when the start-up looked for it.
    bool qex = false;
    // The version number that wrote the settings file, and its verbose
    // switch, as the settings reader found them (its AAT switch is
    // tarvex01.qaat_ini, which the forms' save buttons write back too).
    int file_version = 0;
    bool file_verbose = false;
    // Modification time of the settings file (epoch seconds, -1 when missing),
    // for the matching of the turnpoints against the landscape.
    std::int64_t settings_date = -1;
    // Length of the task summary file name as the settings file left it: a
    // summary file is written when it is above 0.
    std::size_t summary_name_length = 0;
};
