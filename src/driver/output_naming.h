#pragma once

#include <string>
#include <string_view>

// Where the converted task goes: the folder, the file name and the full
// output path outfile, from the input's name, the target ntarg (1 to 5) and
// the options.

// An output path already in outfile (command line or form) is used unchanged;
// otherwise it is built in the target's task folder (LK8000, SeeYou, XCSoar),
// in the active Condor user root's "FlightPlans" for a flight plan made from a
// SeeYou task, or beside the input for JSON, from the input's name (its part
// before ".fpl" or ".cup", any letter case) and the target's extension; a
// configured destination that names a .lkt or .tsk file gives the name
// itself, and LK8000 with default files writes "Default.lkt".
// Sets tskname, outname and, when blank, outfile. The "-AAT" mark is left to
// add_aat_to_outfile, once the plan is read.
//
// Ends the run with an error, logged, when the target's task folder is blank
// or not set, or the path built does not fit a path field (exit code 1), or
// when LK8000 with "Write Default Files=2" has no file name to use (exit
// code 3).
void set_outfile();

// The output base name: the file name `outname` up to the extension of the
// target `ntarg` (its extension in output_targets.h; ".tsk" must end the name,
// any letter case), blank when the name does not carry that extension.
std::string output_base_name(std::string_view outname, int ntarg);

// Puts "-AAT" before the extension of an output name set_outfile built, when
// the task is an AAT (qaat of the plan's options as read), the input's name
// does not hold "-AAT" already and the name is not "Default" or "default".
// Does nothing for an output path given by the user, and nothing the second
// time. A path that no longer fits a path field ends the run (exit code 1).
void add_aat_to_outfile();
