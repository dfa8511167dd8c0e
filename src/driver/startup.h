#pragma once

#include "driver/run_state.h"

// The start-up of the main program: everything it does before it looks for
// its input.

// The program version number (4400).
void vers_num(int& num);

// Every option and shared member at its start value: the option records, the
// message switches (French as the system's language says), the installation
// record (Condor 1 folder "XXXXX"), the airspace switches, the task model and
// the conversion form's field numbers.
void set_startup_defaults();

// The start-up, in order: the clock at start, a new log "Tarvex.log" in the
// current folder, the defaults and the version, the command line (read first
// so that "-help", "-line", "-en" and "-fr" act from the first message), the
// Condor installations (none: error, logged, exit code 3), the active version,
// the command line again, the settings file (settings_file_startup), the
// language, the target root folders, the command line a last time (it
// overrides the settings file), wait mode switching the forms off, the silent
// rewrite of an older settings file, the file's verbose and AAT switches, the
// flight-plans path completed, and the console kept or hidden.
void start_up(RunState& run);

// Resolves "%INST%\Tarvex.ini" into inifile and notes whether it exists
// (run.qex); a missing file is written from the current options (after the
// setup form when the forms are on; a file that cannot be written ends the run
// with exit code 3 once the failure is told). Notes its date, then reads it until it
// is acceptable: complete, and written by a version whose thousands and
// hundreds are those of nvers or newer. An unacceptable file needs the setup
// form: without the forms the run ends with the "needs updating" warning,
// shown and not logged (exit code 3); a cancelled setup form ends the run
// (exit code 0).
void settings_file_startup(RunState& run);

// Rewrites the settings file with no question when it existed at start and an
// older minor version wrote it (its version / 10 below nvers / 10), with the
// file's own AAT switch. A failed rewrite is told and the run goes on with the
// settings read (the conversion then ends with exit code 1).
void rewrite_older_settings(const RunState& run);
