#pragma once

#include "foundation/output_targets.h"

#include <string>
#include <string_view>

// Where the converted task goes: the folder, the file name and the full
// output path outfile, from the input's name, the target ntarg (1 to 5) and
// the options.

// An output path already in outfile (command line or form) is used unchanged,
// unless it does not end with the target's extension (names_target_file):
// that ends the run, told, with exit code 2. Otherwise it is built in the target's task destination (LK8000, SeeYou,
// XCSoar: destination_file), in the active Condor user root's "FlightPlans"
// for a flight plan made from a SeeYou task, or beside the input for JSON,
// from the input's name (its part before ".fpl" or ".cup", any letter case)
// and the target's extension.
// Sets tskname, outname and, when blank, outfile. The "-AAT" mark is left to
// add_aat_to_outfile, once the plan is read.
//
// Ends the run with an error, logged, when the target's task folder is blank
// or not set, or the path built does not fit a path field (exit code 1), or
// when LK8000 with "Write Default Files=2" has no file name to use (exit
// code 3).
void set_outfile();

// The task file a conversion writes into a target's configured task
// destination (xcsoar_tasks, lk8000_tasks or seeyou_tasks of `target`, set)
// when no output is given: its folder, without a final "\", and its file name.
// A destination that names a task file (names_task_file) is that file;
// LK8000 with "Write Default Files=1" writes "Default.lkt" into a destination
// folder (and copies a task of another name there, default_task_copy); any
// other destination is the folder of `named_after_input` (the input's name
// with the target's extension). The
// "-AAT" mark is added to the name's base afterwards (aat_marked_base). Both
// roads name the task file by it: set_outfile, and the conversion form's
// proposal.
struct DestinationFile {
    std::string folder;
    std::string name;
};
DestinationFile destination_file(const TargetFacts& target, std::string_view destination,
                                 std::string_view named_after_input);

// A configured task destination (xcsoar_tasks, lk8000_tasks, seeyou_tasks:
// "folder or filename", the settings file says) that names a task file rather
// than a folder: it holds ".tsk", ".lkt" or ".cup", any letter case.
bool names_task_file(std::string_view destination);

// The folder of a configured task destination, without trailing blanks nor
// a final "\": the destination itself, or the folder of the task file it
// names. The task copies under XCSoar's names and the target's root folder
// are found from it.
std::string destination_folder(std::string_view destination);

// The output base name: the file name `outname` up to the extension of the
// target `ntarg` (its extension in output_targets.h; ".tsk" must end the name,
// any letter case), blank when the name does not carry that extension.
std::string output_base_name(std::string_view outname, int ntarg);

// The mark of the names of an assigned area task's files.
inline constexpr std::string_view kAatMark = "-AAT";

// The base of the files named after the input (the task file, the airspace
// file the conversion form proposes): `base`, the input's file name without
// its extension, followed by "-AAT" when the task converted is an assigned
// area task (`aat`), unless the input's file name (`input`, a path or a name)
// holds the mark already or `base` is the default task's ("Default" or
// "default"). Both roads name their files by it.
std::string aat_marked_base(std::string_view base, bool aat, std::string_view input);

// The files LK8000's "Write Default Files" (ndeftsk) names, for a target that
// follows that setting: 1 the task, the profile and the aircraft file after
// "Default" (Default.lkt, DEFAULT_PROFILE.prf, DEFAULT_AIRCRAFT.acf); 2 the
// profile and the aircraft file after the task's base (`base`.prf,
// `base`.acf), the task named as without the setting. Blank where the
// setting or the target leaves the name to the other rules.
enum class DefaultFile { task, profile, aircraft };
std::string default_file_name(const TargetFacts& target, DefaultFile file, std::string_view base);

// True when "Write Default Files" names the profile of `target`, whatever
// the profile setting says.
bool default_files_name_profile(const TargetFacts& target);

// Puts "-AAT" before the extension of an output name set_outfile built, when
// the task is an AAT (qaat of the plan's options as read), by
// aat_marked_base. Does nothing for an output path given by the user, and
// nothing the second time. A path that no longer fits a path field ends the
// run (exit code 1).
void add_aat_to_outfile();
