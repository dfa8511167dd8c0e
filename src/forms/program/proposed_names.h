#pragma once

// The file names the conversion form proposes from its input: the map,
// terrain, profile, output and airspace boxes, named as the conversion names
// its files (driver/output_naming.h), and the names the pilot chose in the
// dialog, which no proposal replaces.

// How update_files treats an output or airspace box that holds a name: the
// proposal replaces it (a new input, a target ticked), or only a blank box
// gets the proposal (the form opening, whose boxes show the names the
// options give). The map and terrain, which no setting names (the map lists
// give them), and the profile, which the settings name, are always proposed.
enum class ProposedNames { replace, where_blank };

// Proposes, from the input box and the task rules, the map, terrain,
// profile, output and airspace names of the conversion form for the target
// asked for, then set_activity: the names the conversion writes for the same
// settings. A target whose task folder is not set is dropped first
// (drop_targets_without_folder); without a target nothing is proposed. A
// JSON export is named beside the input. LK8000 follows "Write Default
// Files" (ndeftsk) as the conversion does; XCSoar's profile is the profile
// setting (Condor.prf when blank); no profile while the profile switch is
// off. The airspace keeps the file name of the airspace setting (a whole
// path gives its name only), for a target that writes one. The task and the
// airspace carry "-AAT" exactly when the task converted is an assigned area
// task (form_task_is_aat). A name box holding a name the pilot chose keeps
// it; an input that cannot be converted gets no proposals, and the names of
// the input before are cleared.
void update_files(ProposedNames names = ProposedNames::replace);

// True when the task the form would convert is an assigned area task: a
// plan that gives its own task rules (Condor 3) by those, any other input by
// the AAT box and the AAT time box, as the conversion applies them.
bool form_task_is_aat();

// The names follow the task rules: once names were proposed, a change of
// form_task_is_aat (the AAT box ticked, an AAT time typed or cleared, as
// the form learns of it at the next click in a box or on a button) proposes
// them again.
void follow_aat_mark();

// The output, airspace and profile boxes keep a name the pilot chose (in the
// dialog, or the output named on the command line) until a new input or
// another target is chosen (forget_chosen_names).
void keep_chosen_name(int box);
bool name_chosen(int box);
void forget_chosen_names();

// True when the profile box shows a name the default-files rule gives
// (LK8000 with default files), which the conversion writes whatever the
// profile setting says: such a name never becomes the setting.
bool profile_from_default_files();

// Forgets the names proposed and chosen, for a form shown anew.
void reset_proposed_names();
