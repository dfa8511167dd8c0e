#pragma once

#include "foundation/option_records.h"

#include <string>
#include <string_view>

// The output targets of a conversion, one row of facts each: the XCSoar task
// (.tsk), the LK8000 task (.lkt), the SeeYou task (.cup), the Condor flight
// plan made from a SeeYou task (.fpl) and the JSON export. A row is keyed by
// the target number tarvex01.ntarg (kTargetTsk .. kTargetJson).
//
// The switches qxcs, qlk8000, qcup and qjson hold what the settings file, the
// command line and the forms ask for; target_asked_for is the only reader
// that turns them into a target. The conversion stores its choice in ntarg
// once (choose_target), and everything after it reads the chosen target's
// facts (chosen_target) instead of comparing numbers or switches. The writers
// themselves are picked by the driver from the same number.

// The capacity of an extension text.
inline constexpr std::size_t kExtensionCapacity = 5;

// The base name of the default task files: "Default.lkt" written for LK8000
// with default files, the copy "Default.tsk" XCSoar loads.
inline constexpr std::string_view kDefaultTaskBase = "Default";

// The profiles a conversion updates when none is named: XCSoar's "Condor.prf"
// and the profile LK8000 loads by default.
inline constexpr std::string_view kDefaultProfileName = "Condor.prf";
inline constexpr std::string_view kLk8000DefaultProfile = "DEFAULT_PROFILE.prf";
// The settings file's "Profile file" value that writes no profile.
inline constexpr std::string_view kNoProfileName = "0";

// Where a target's task file goes when no output path is given.
enum class TaskFolder {
    none,                 // no target
    option,               // the task folder option of the target software (TargetFacts::task_folder)
    condor_flight_plans,  // "FlightPlans" of the active Condor user root
    beside_input,         // the input's own folder
};

// The profile a target updates; the same software's map list names the map
// the profile is given.
enum class ProfileKind { none, xcsoar, lk8000 };

// The folders of a target software's tree below its root. An output path
// holding "\" and `tasks` lies in the tree (qarbo); the other files then go
// to their own folder of the tree instead of the root.
struct FolderTree {
    std::string_view tasks;
    std::string_view airspaces;
    std::string_view configuration;
    std::string_view polars;
    std::string_view maps;
};

struct TargetFacts {
    int ntarg = 0;
    // The task file's extension, matched in any letter case (once cext0).
    std::string_view extension = {};
    TaskFolder task_folder_kind = TaskFolder::none;
    // The option holding the software's task folder (TaskFolder::option), and
    // the software as the message about a folder not set names it.
    std::string TarvexC::*task_folder = nullptr;
    std::string_view software = {};
    // The option holding the root folder of the target software, where the
    // airspace, the profile and the copies go; none when null.
    std::string TarvexC::*root = nullptr;
    // The root holds only for a SeeYou task input (JSON from a flight plan
    // has no target software).
    bool root_for_seeyou_input_only = false;
    // The software's folder tree below its root; none when null.
    const FolderTree* tree = nullptr;
    // The profile updated, with its map list (ProfileKind::none: no profile
    // is written, whatever the settings name).
    ProfileKind profile = ProfileKind::none;
    // The target keeps no profile at all: the settings' profile name and the
    // default files are switched off (SeeYou).
    bool switches_profile_off = false;
    // "Write Default Files" names the task, the profile and the aircraft file
    // after "Default" (1) or after the task (2) (LK8000).
    bool default_file_names = false;
    // An aircraft file and the polar it reads (LK8000).
    bool aircraft_file = false;
    // The task summary also goes to this notepad file in the configuration
    // folder of the tree, below the root; none when blank (LK8000).
    std::string_view notepad = {};
    // Copies under the names XCSoar loads ("Default.tsk" or "Condor.tsk",
    // "Condor-PZ.txt").
    bool xcsoar_copies = false;
    // The task is always checked against the landscape's waypoints (qchkwp).
    bool checks_waypoints = false;
    // A task point matched to a landscape airport k gets the id -k, a
    // turnpoint k the id k; without it both get k.
    bool airports_signed = false;
    // The finish minimum altitude is checked against the finish's ground.
    bool checks_finish_altitude = false;
    // The run ends with the task file: no airspace, profile, result or script.
    bool ends_with_writer = false;
    // A SeeYou task input is written as read: no terrain dialog, no local
    // frame, no landscape airports, no matching.
    bool seeyou_task_as_read = false;
};

// LK8000's folder tree.
inline constexpr FolderTree kLk8000Tree = {"_Tasks", "_Airspaces", "_Configuration", "_Polars", "_Maps"};

// True for a target number 1 to 5.
bool is_output_target(int ntarg);

// The facts of target `ntarg`; a number outside 1 to 5 gives the row of no
// target (every fact off, a blank extension).
const TargetFacts& target_facts(int ntarg);

// The facts of the chosen target, tarvex01.ntarg.
const TargetFacts& chosen_target();

// The target the switches ask for: LK8000 when qlk8000 is set, else SeeYou
// when qcup is, else JSON when qjson is, else XCSoar when qxcs is; 0 when
// none is set (the conversion form clears them for a SeeYou task input).
int target_asked_for();

// Sets the switches so that target_asked_for gives `ntarg` (XCSoar, LK8000,
// SeeYou or JSON): its switch on, the three others off. Any other number
// leaves the switches as they are. The conversion form's target boxes choose
// a target through it.
void ask_for_target(int ntarg);

// The target a conversion writes for an input that is a SeeYou task
// (`seeyou_input`) or a flight plan: the LK8000, SeeYou or JSON target asked
// for; otherwise a Condor flight plan for a SeeYou task, else XCSoar.
int target_of_options(bool seeyou_input);

// True when `path` names a task file of target `ntarg`: it ends with the
// target's extension, in any letter case. The conversion form's task box and
// the command line's OUTPUT take no other name, so that no file of one format
// is written under another format's name.
bool names_target_file(std::string_view path, int ntarg);

// What a name that names_target_file refuses is told, in the run's language:
// "Enter a .lkt file name".
std::string ask_for_target_file_name(int ntarg);

// The folder `which` of the chosen target's tree below `root` when the output
// lies in the tree (qarbo), a path_field (option_records.h); otherwise `root`.
std::string target_tree_folder(std::string_view root, std::string_view FolderTree::*which);
