#pragma once

#include <cstdint>

// Which file the run converts.

// The input choice after the start-up. A file named on the command line stays.
// Without one, wait mode, and "-auto" on the command line without the forms
// when the flight-plans path names no .fpl file, end the run as a usage error
// (exit code 2, on the error output): wait mode needs the INPUT for the
// output's name, and "-auto" asks for no dialog.
// Otherwise, wait mode off: the configured flight-plans path (defpath, which
// gets a final "\" when it names a folder) is taken as the input when it names
// a .fpl file and automatic loading or the forms are on; else, without the
// forms, the user picks a flight plan in an open-file dialog starting there
// (none in console mode; a path chosen there that does not fit a path field
// is told and taken as no choice). With the forms, the conversion form runs,
// starting from the named input or the configured path.
void choose_input();

// The input must be there and of a type the program reads: no input ends the
// run with "*** No input file specified ***" on the error output (exit code
// 1, no box, not logged);
// outside wait mode, a file that is neither a flight plan nor a SeeYou task
// (input_kind.h) is refused with its own message (exit code 1). In wait mode
// the named input only has to be there: Condor's own flight plan replaces it.
void check_input();

// Wait mode: waits until Condor rewrites its "Flightplan.fpl" after t_start
// (with Condor 2 and 3 installed, whichever pilot's plan is rewritten first,
// and that version becomes the active one), gives Condor 4 s more to finish
// writing, and makes that plan the input. A plan whose path does not fit a
// path field ends the run before the wait (exit code 3). The waits and the pause go through
// the wait clock of condor_waits.h; after about 12 hours the run ends with
// exit code 4.
void wait_for_input(std::int64_t t_start);
