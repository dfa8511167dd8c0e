#pragma once

// The field rules of the program's forms: which boxes of the conversion form
// apply (set_activity), the classification of an input name (infile_ok), the
// program's own check of a value (check_values_app) and the Condor 3 lock.
// The names proposed from the input are proposed_names.h's.

#include "taskfiles/task_model.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

// 1: the name is a file that can be opened for reading; -1: it exists but
// cannot be opened and holds neither ".FPL" nor ".CUP" in any letter case (a
// folder); 0: otherwise (missing, blank, or an unreadable plan). Writes the
// name, whether it exists and the opening's status on the console.
int infile_ok(std::string_view cv);

// True when infile_ok finds `cv` readable and it is not the input taken last
// found unreadable (form_plan.h): an input the conversion can take.
bool input_usable(std::string_view cv);

// Greys or activates the conversion form's boxes: for a SeeYou task input the
// targets are switched off (with the profile and the task summary) and their
// boxes greyed and unticked; otherwise a target box is active exactly when
// its task folder is set, and a target whose folder is not set is no longer
// asked for (drop_targets_without_folder). The profile and map boxes are
// active for a readable input with a profile to write for XCSoar or LK8000
// (the terrain box for LK8000 only), the output box for a readable input,
// the airspace box when the conversion writes one (form_writes_airspace). An
// input that infile_ok finds readable but that cannot be converted
// (input_unreadable) is not readable.
void set_activity();

// A target whose task folder is not set (blank or "XXXXX", as the setup
// form can leave it) is unticked and its switch cleared: nothing is ever
// converted into a folder that is not set.
void drop_targets_without_folder();

// The target the conversion would write for the form's input and targets
// (target_of_options): 0 while a flight plan has no target asked for (every
// target box unticked), which the output box refuses.
int form_target();

// True when the conversion of the form's input writes an airspace file: a
// plan with penalty zones or of Condor 3, for a target that gets one (none
// for JSON, which ends with its task file).
bool form_writes_airspace();

// A SeeYou task input (qcup_in) turns off the targets, the profile and the
// task summary for its conversion (switch_off_for_seeyou_input, which
// set_activity calls), holding them as they were:
// give_back_seeyou_input_switches puts them back (and ticks the target box
// asked for) once a plan is chosen again or the setup form is to show them;
// with_lasting_switches runs `write` (a save of the settings file) with them
// in place meanwhile. reset_seeyou_input_hold forgets them.
void switch_off_for_seeyou_input();
void give_back_seeyou_input_switches();
void with_lasting_switches(const std::function<void()>& write);
void reset_seeyou_input_hold();

// The boxes of the task rules the Condor 3 lock holds: AAT, AAT time and
// maximum start speed.
std::array<int, 3> task_rule_boxes();

// The task rule boxes show `rules` (the speed in the display units of its
// box) and are made active.
void show_task_rules(const RdFpl6& rules);

// The task rule boxes as the input before a Condor 3 plan left them: what
// they show is held (hold_task_rule_boxes, at every input that finds them
// unlocked), and given back once the lock lifts (give_back_task_rule_boxes;
// the run's rules when the form opened locked). reset_condor3_lock forgets
// what was held, for a form shown anew.
void hold_task_rule_boxes();
void give_back_task_rule_boxes();
void reset_condor3_lock();

// What hold_task_rule_boxes held, in the display unit the speed box shows
// now: the speed was shown in knots (`speed_was_imperial`) or km/h before a
// setup form changed the units.
void held_task_rule_boxes_in_display_units(bool speed_was_imperial);

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
// an input that infile_ok finds readable; an output the conversion can write
// (a target asked for, and a name blank or with the extension of the file
// written: no file of one format under another format's name); the numbers
// of the task rules in the range the command line takes (finish minimum
// altitude 0 to 10,000 m, maximum start speed 0 to 300 km/h, in the box's
// units), a start margin and an AAT time of 0 or more.
int check_values_app(int n, const std::string& nam, int ival, float rval, const std::string& cval, std::string& msg);

}  // namespace tarvex_forms
