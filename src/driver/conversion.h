#pragma once

#include "driver/run_state.h"
#include "platform/write_batch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The steps of one conversion (convert_one.h runs them in order) and what the
// conversion keeps for itself between them. Each step reads and sets the
// option records, the task model and the installation record; a step that
// cannot go on ends the run through fatal_error (exit code 1).

// Capacity of the result message.
inline constexpr std::size_t kResultMessageLength = 1024;
// Capacity of the glider name the LK8000 files are named after.
inline constexpr std::size_t kGliderNameLength = 24;

// The task rules of a conversion form's active boxes: the AAT flag, the AAT
// time (min) and the maximum start speed (km/h).
struct FormTaskRules {
    bool qaat = false;
    float t_aat = 0.0f;
    int start_max_speed = 0;
};

struct Conversion {
    std::optional<FormTaskRules> form_rules;  // with the forms: the rules they left in the options
    std::string target_root;       // lk8000_root, seeyou_root or xcsoar_root; blank for JSON
    std::string destination;       // airspace folder, then profile and aircraft folder
    std::string base_name;         // output name without folder and target extension
    std::string airspace_file;     // the landscape's airspace copy and the penalty zones
    std::string profile_file;      // the profile to update
    std::string default_profile;   // the default profile it is made from when it does not exist (blank: none)
    std::string aircraft_file;     // the LK8000 aircraft file (.acf)
    std::string glider_name;       // the plane's name, "-FXB" appended for a fixed mass
    std::string polar_file;        // the LK8000 polar file (.xcp) the aircraft file names; blank when none was written
    std::string selected_polar;    // the XCSoar polar the profile writer chose
    std::string landscape_folder;  // <active install folder>\Landscapes
    std::string airport_file;      // the landscape's .apt
    std::string turnpoint_file;    // the landscape's .cup
    std::string summary;           // the task summary text
    bool summary_built = false;
    std::string message;           // the result message
    int message_status = 0;        // 0 information, 1 error
    int writer_status = 0;         // the target's writer (0 written)
    int airspace_status = 0;       // the airspace output file (0 written)
    int profile_status = 0;        // the profile update (0 written)
    bool script_failed = false;    // the post-run script was missing or failed
};

// Steps 1-2: the input kind (qcup_in) and the target ntarg the switches
// choose for it (target_of_options: LK8000, else SeeYou, else JSON, else a
// Condor flight plan for a SeeYou task input, else XCSoar). The steps after
// it read the chosen target's facts (output_targets.h).
void choose_target();

// Step 3: the input's file name tskname, which heads the result message on
// both roads, and the output folder and name (set_outfile) unless the forms
// gave one.
void name_output();

// Step 5: qarbo (LK8000 output or configured LK8000 destination in an
// LK8000 folder tree, "\_Tasks" in its path) and the AAT mark "-AAT" of the
// input's name.
void mark_output_tree_and_aat();

// Before step 1, with the forms: the task rules the conversion form left in
// the options (its boxes' as shown, the run's while a Condor 3 plan locked
// them), before anything of the conversion changes them.
void keep_form_task_rules(Conversion& conversion);

// After step 8, with the forms: a plan that gives no task rules of its own
// (plan_gives_task_rules: not of Condor 3) is converted with the form's task
// rules, whatever the plan says; "-aat:TIME" and "-mxspd:" on the command
// line, by contrast, only fill in what the plan lacks. An AAT without an AAT
// time is none (aat_with_time), as on the command line. A plan that gives
// its own rules keeps them, as its locked boxes showed them; a SeeYou task is
// left as read.
void apply_form_task_rules(const Conversion& conversion);

// Step 7: reads the flight plan (read_fpl_1) or the SeeYou task (read_cup).
// A file that cannot be read, a plan shorter than it announced, a plan
// naming no landscape (an empty or a binary file) or a SeeYou file without a
// task ends the run.
void read_input();

// Step 8: a flight plan needs its Condor version installed, which becomes the
// active version; a Condor 1 plan is refused without Condor 1, else warned
// about when run.qwrnc1 asks for it.
void check_plan_version(const RunState& run);

// Step 9 (without the forms): the AAT guess, the map of the profile, the AAT
// kept only with an AAT time; then the "-AAT" mark of the output name.
void settle_aat_and_map();

// Steps 11-17: the target root, the airspace output file, the profile (an
// XCSoar profile where XCSoar keeps it) and its default profile, the glider
// name and the LK8000 aircraft file; the waypoint check for LK8000 and
// SeeYou; no profile and no waypoint check for a SeeYou task input.
void set_output_names(Conversion& conversion);

// Step 18: the landscape folder, its terrain header (asked for in a dialog for
// a SeeYou task input) and the local frame. A missing header or a frame that
// cannot be set ends the run (not needed for a SeeYou task written as JSON).
void set_up_landscape(Conversion& conversion);

// After step 18: every position of the task (a plan's turnpoints and
// penalty-zone corners through the frame, a SeeYou task's points as read) is
// a real place on the earth. The first that is not ends the run, named, so
// that no writer is given a position that does not exist.
void check_task_positions();

// Steps 19-21: the landscape's airports and turnpoints when the task is
// checked against them, and the task tied to the landscape.
void match_landscape(Conversion& conversion, const RunState& run);

// After step 21, for a SeeYou task: every point the conversion writes has a
// position of its own, a waypoint of the task's file (the takeoff, when it is
// written, that or a landscape airport). A point "???" or not found among the
// file's waypoints ends the run, named, instead of being written at latitude
// 0, longitude 0.
void check_task_points_placed();

// Step 22 (XCSoar and LK8000): a finish minimum altitude below the finish
// point's ground ends the run.
void check_finish_altitude();

// Before step 23: an output of the conversion (the task, the airspace, the
// profile and its backup, the map list's backup, the aircraft file, the
// copies under XCSoar's and LK8000's names, the summary file, LK8000's
// notepad, the airspace list beside the plan) that is a file the conversion
// reads or may read (the input, the settings file, the landscape's terrain
// header, airports, turnpoints and airspace, the profile and the default
// profile where the software keeps them, Condor's pilot settings, the map
// lists, the list of "-listAS", the template flight plans, the post-run
// script, the program, its forms module and form files), a file under a
// Condor install's Landscapes folder or a Condor user root's Turnpoints
// folder, or another output of the run (but for a copy onto its own source,
// which is not made), as the file layer resolves paths (same_file), ends the
// run before anything is written: told as an error naming the output and
// what it would replace, logged, exit code 2.
void refuse_outputs_read(const Conversion& conversion, const RunState& run);

// The airspace file of a Condor 3 plan's landscape (Condor 3's
// "Landscapes\<name>\<name>.air").
std::string landscape_airspace_file();

// True when the conversion filters the landscape's airspace into its
// airspace file: a Condor 3 plan, for a target that writes more than its
// task file.
bool writes_landscape_airspace();

// The list beside a Condor 3 plan of the airspaces kept ("-AS_LIST.txt") or,
// with "-listAS", left out ("-AS_DISABLED.txt"): the input path up to ".fpl".
std::string airspace_list_file();

// The list of the airspaces to keep with "-listAS", in the current folder.
inline constexpr std::string_view kAirspaceListFile = "CroppedAirspaceSorted.txt";

// Before step 23, with "-listAS" when the landscape's airspace is filtered:
// the list "CroppedAirspaceSorted.txt" of the current folder that names the
// airspaces kept must be there to be read; without it the run ends before
// anything is written, told with the folder where it was looked for, logged,
// exit code 1.
void find_airspace_list();

// Step 23: the target's writer (and the LK8000 aircraft file). A failed writer
// ends the run at once; in a write batch every file written after the task
// depends on it. False for JSON, whose run ends with its writer.
bool write_target_task(Conversion& conversion);

// Steps 24-25: the airspace output file, written whole: for a Condor 3 plan
// the landscape's airspace filtered and cropped, then the penalty zones (the
// notice header and the zones when the landscape's airspace cannot be read);
// for another plan with penalty zones the header and the zones. Sets
// airspace_status (0 written, or no file for this plan).
void write_task_airspace(Conversion& conversion);

// Step 26: the XCSoar or LK8000 profile. Sets profile_status.
void update_profile(Conversion& conversion);

// Puts every file the conversion wrote so far in place (they wait in the
// conversion's write batch, platform/write_batch.h, to be flushed to the disk
// together) and tells of each that could not be, as not written; the
// airspace and profile statuses follow. A task file that could not be put in
// place ends the run as a failed writer does (none of the files after it is).
// Returns the outcomes, empty outside a batch.
std::vector<BatchedWrite> settle_written_files(Conversion& conversion);

// Step 28: an AAT whose inner areas are not all cylinders gets a warning.
void check_aat_areas();

// The copies under the names XCSoar loads, for the XCSoar target: the task's
// ("Default.tsk" in the target root with "Write Default Files=1", else
// "Condor.tsk" in the folder of the XCSoar destination) and the airspace's
// ("Condor-PZ.txt" in the target root, for a task with airspace); none (blank)
// for a task named as its copy, "Default" or "Condor" in any letter case.
struct XcsoarCopies {
    std::string task;
    std::string airspace;
};
XcsoarCopies xcsoar_copies(const Conversion& conversion);

// The copy under the name LK8000 loads, with "Write Default Files=1":
// "Default.lkt" in the folder of the LK8000 destination, for a task written
// under another name (the destination or OUTPUT names its file); blank for
// another target or setting. A task that is that file is not copied.
std::string default_task_copy();

// Steps 30-33: the result message, the copies under the names XCSoar and
// LK8000 load (xcsoar_copies, default_task_copy; a copy whose source and
// destination are one file is not made, and the file is named once) and the airspace and profile lines. The
// copies and every file of the run are put in place (settle_written_files)
// before the message names any; a file that could not be is told and not
// named.
void compose_result(Conversion& conversion);

// Step 34: the post-run script, run directly with no arguments. A missing or
// failing script turns the result into an error, shown and logged at once.
void run_post_run_script(Conversion& conversion);

// Steps 35-37: the summary written and shown, the result message shown
// (unless silent) and logged. Returns the run's exit code: 1 when a file of
// the run was not written (unwritten_files.h), else 5 when the post-run
// script failed, else 0; the result message is then an error.
int finish_conversion(Conversion& conversion, const RunState& run);
