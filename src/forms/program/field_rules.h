#pragma once

// The field rules of the program's forms: which boxes of the conversion form
// apply (set_activity), the names proposed from the input (update_files), the
// classification of an input name (infile_ok), the program's own check of a
// value (check_values_app) and the Condor 3 lock.

#include <string>
#include <string_view>

// 1: the name is a file that can be opened for reading; -1: it exists but
// cannot be opened and holds neither ".FPL" nor ".CUP" in any letter case (a
// folder); 0: otherwise (missing, blank, or an unreadable plan). Writes the
// name, whether it exists and the opening's status on the console.
int infile_ok(std::string_view cv);

// Greys or activates the conversion form's boxes: for a SeeYou task input the
// targets are switched off (with the profile and the task summary) and their
// boxes greyed and unticked; otherwise a target box is active exactly when
// its task folder is set. The profile and map boxes are active for a readable
// input with a profile to write for XCSoar or LK8000 (the terrain box for
// LK8000 only), the output box for a readable input, the airspace box for a
// plan with penalty zones or of Condor 3.
void set_activity();

// How update_files treats an output, profile or airspace box that holds a
// name: the proposal replaces it (a new input, a target ticked), or only a
// blank box gets the proposal (the form opening, whose boxes show the names
// the options give). The map and terrain, which no setting names (the map
// lists give them), are always proposed.
enum class ProposedNames { replace, where_blank };

// Proposes, from the input box and the AAT box, the map, terrain, profile,
// output and airspace names of the conversion form for the target asked
// for, then set_activity. The profile is the target's default profile
// (XCSoar: Condor.prf); the airspace keeps the file name of the airspace
// setting (a whole path gives its name only); "-AAT" is added once.
void update_files(ProposedNames names = ProposedNames::replace);

// The AAT, AAT time and maximum start speed boxes show the task model's
// rules (the AAT box `aat`; the speed in the display units of its box) and
// are made active.
void show_task_rules(bool aat);

// The Condor 3 lock, while the conversion form is shown and the plan read is
// a Condor 3 plan: the AAT, AAT time and maximum start speed boxes show the
// plan's values (the speed in the display units of its box) and are greyed.
bool condor3_lock_holds();
void lock_condor3_boxes();

// The setup form's flight-plans box ("defpath"): an input-file box for
// "*.fpl;*.cup" when the path names a file, else a folder box.
void set_flight_plans_box_kind(bool file);

namespace tarvex_forms {

// The program's check of a value the form kit accepted (installed with
// set_check_values_app): box n (1-based), its label, its stored values; 1
// accepts, 0 refuses with msg in the run's language. An inactive box is
// accepted unchecked. Setup form: at least one of the three task folders
// (blank or "XXXXX" counts as none) and a flight-plans path. Conversion form:
// an input that infile_ok finds readable.
int check_values_app(int n, const std::string& nam, int ival, float rval, const std::string& cval, std::string& msg);

}  // namespace tarvex_forms
