#pragma once

#include "foundation/path_length.h"
#include "foundation/task_rule_limits.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The program's command line: options introduced by "-" and up to two file
// names, the input (a Condor flight plan .fpl or a SeeYou task .cup) and the
// output task file.

// The usage line shown after "Usage :" and the program's path.
inline constexpr std::string_view kUsageText =
    "[-help] [-v] [-line] [-auto] [-silent] [-xcs/-lk8/-cup/-json] [-FAI] [-nosc] [-chkwp] [-nomxalt] "
    "[-nogui] [-aat|-aat:TIME] [-AATmanst] [-manst] [-fma:ALT] [-en/-fr] [flight_plan.fpl|task.cup] "
    "[task.tsk]";

// Each option is taken into a field of this many characters; a file name is
// taken whole and must fit a path field.
inline constexpr std::size_t kArgumentLength = kPathLength;

// Keeps the process's arguments (UTF-8, as main received them, the program's
// path first) for get_arguments. File names are taken into the program's
// Windows form (a host path such as "/home/me/Race1.fpl" becomes
// "Z:\home\me\Race1.fpl"), options and the program's path into cp1252.
void set_command_line(const std::vector<std::string>& args);

// The program's path as typed (argument 0, at most 132 characters); blank
// when there are no arguments.
std::string program_path_argument();

// Reads the whole command line into the option records; every call applies
// every option again. Options are matched by their leading characters, in a
// fixed order, case-sensitively ("-verbose" is "-v", "-AATmanst" wins over
// "-aat"). The first file name goes to infile, the second to outfile; a bare
// input name that names no file in the current folder is looked for in the
// flight-plans folder (flight_plans_path.h).
//
// "-help" or "-h" writes the usage and ends the run (exit code 0); an unknown
// option (the three lines "<arg> : Unrecognized option", "Usage :" and the
// usage) or a third file name ("*** More than 2 filenames ***") ends it with
// exit code 2. These lines go to the console; the first one also goes to
// standard error, in the run's language. A file name, in its
// Windows form and with the flight-plans folder for a bare input name, that
// does not fit a path field ends the run with exit code 2 too, told as an
// error and logged (foundation/path_length.h), in the language the options
// ask for.
//
// A value of "-fma:", "-mxspd:" or "-aat:" that is not a number within its
// range (foundation/task_rule_limits.h; units in any letter case: "-fma:1500FT")
// is ignored, and noted for warn_ignored_values.
void get_arguments();

// True when the command line holds "-auto" (the settings file's "AutoLoad=1"
// sets the same option).
bool auto_load_on_command_line();

// Tells (warning, logged) each value the last get_arguments ignored:
// "*** -fma:20000 : value ignored (a number from 0 to 10000 m) ***".
void warn_ignored_values();
