#pragma once

// The plan of the conversion form's input box. The task model holds the plan
// of the input the form took last and nothing of an earlier input: every
// input taken starts from the task model as the run had it before the form
// read any plan (its start values with the settings file's and the command
// line's AAT flag, AAT time, maximum start speed and finish minimum
// altitude, as the form's buttons last copied them). A Condor 2 plan, which
// gives none of these task rules, and a SeeYou task thus take the run's
// rules, never an earlier plan's.

#include "taskfiles/task_model.h"

#include <string>
#include <string_view>

// Keeps the task model as it is now, as the run's (before the form reads a plan).
void keep_run_task_model();

// What the form's input is, as take_input found it.
enum class TakenInput {
    no_plan,     // blank, a folder (ending in "\\"), or not read (a missing name)
    plan,        // a flight plan, read into the task model
    seeyou_task, // a SeeYou task that holds a task
    unreadable,  // a file that can be neither: the conversion would refuse it
};

// Takes `input` as the form's input: the run's task model comes back, then a
// flight plan is read into it (read_fpl_1, which tells a file that cannot be
// opened) and a SeeYou task is read (read_cup, silently) to see that it holds
// a task. A file that cannot be converted (input_fault), or that is of
// neither kind by its name, leaves the run's task model as it was kept. A
// blank name or a folder is taken without reading. A path longer than a path
// field (what the box holds of a longer one) is unreadable, never read.
TakenInput take_input(std::string_view input);

// Takes `input` as the form's input without reading it (a name that does not
// exist): unreadable when it does not fit a path field.
void take_input_without_plan(std::string_view input);

// True when `input` (trailing blanks aside) is the input taken last.
bool input_taken(std::string_view input);

// True when `input` is the input taken last and take_input found it unreadable.
bool input_unreadable(std::string_view input);

// Why the input taken last is unreadable, where the conversion tells more
// than that it is neither a plan nor a SeeYou task (a plan whose task has
// more points than a task holds: the conversion's message); empty otherwise.
const std::string& unreadable_input_reason();

// The run's AAT flag, AAT time and maximum start speed back in the task model.
void restore_run_task_rules();

// The run's task rules: its AAT flag, AAT time and maximum start speed (the
// other members of the record are those of the run's task model).
const RdFpl6& run_task_rules();

// While the form stays open on a Condor 3 plan, its own AAT flag, AAT time
// and maximum start speed are in the task model: `write` (the settings file)
// runs with the run's rules in their place, which then give way to the
// plan's again. Without such a plan `write` runs on the task model as it is.
void with_run_task_rules(void (*write)());

// The task rules just copied into the task model and the options (by the
// conversion form's OK and save buttons, or from the conversion form held
// behind the setup form) become the run's: the task model of a later input
// starts from them, and a settings file written under a Condor 3 plan's lock
// holds them. The finish minimum altitude always; the AAT flag, AAT time and
// maximum start speed unless the task model holds a plan that gives its own
// task rules (plan_gives_task_rules), whose rules they then are.
void keep_run_task_rules();

void reset_form_plan();
