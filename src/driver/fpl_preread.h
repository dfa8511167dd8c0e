#pragma once

#include <string>

// Driver routines that the main program and the forms share: the pre-read of
// a flight plan, the AAT guess, the display units and the target programs'
// root folders.

// Reads the flight plan `cv` into a fresh task model (read_fpl), then applies
// the plan's Condor version: for a Condor 2 plan the command line's "-aat"
// forces the AAT on, and its AAT time and start speed fill in what the plan
// lacks (an AAT time below 0.01, a start speed of 0 or less); for a Condor 3
// plan the AAT time, given in hours, becomes whole minutes.
// Result: the reader's status (-1 when the file was read to its end, 0 when an
// end mark stopped it, above 0 a read error); a file that cannot be opened is
// told to the user (error, logged) and gives its positive open status with the
// task model untouched. nl receives the count of lines read.
int read_fpl_1(const std::string& cv, int& nl);
int read_fpl_1(const std::string& cv);

// True when the plan read gives its own task rules, as a Condor 3 plan does:
// its AAT flag, AAT time and maximum start speed win over those of the
// command line, the settings file and the conversion form.
bool plan_gives_task_rules();

// True when a task of these rules is converted as an assigned area task: the
// AAT flag on and an AAT time given (an AAT without a time is none).
bool aat_with_time(bool qaat, float t_aat);

// Why an input just read (read_fpl_1's or read_cup's status, the task model)
// cannot be converted: a read error; a plan whose task has more points than
// a task holds (its "Count" above kMaxTaskPoints, where the reader
// stopped), a SeeYou task of more turnpoints than the plan's rule lets a
// task hold (seeyou_task_turnpoints above kMaxTaskPoints - 1); a plan
// shorter than it announced; a plan naming no landscape (an
// empty or a binary file); a SeeYou file without a task to convert (fewer
// than kFewestPlanPoints points before the landing, which is never
// converted), a plan without a point after the takeoff (plan_has_task); a
// SeeYou task whose zones cannot be converted (seeyou_zone_fault); a
// value a writer takes from the plan that the plan gives as no number, or a
// penalty zone it counts and does not give (plan_value_not_given); a value
// of the plan or of the SeeYou task outside the range it can mean
// (plan_value_out_of_range, seeyou_value_out_of_range of
// taskfiles/task_checks.h name them). Both roads refuse an input by it: the
// conversion ends with a message (the values' faults once the plan's Condor
// version is found installed), the conversion form marks its input box.
enum class InputFault {
    none,
    read_error,
    too_many_turnpoints,
    unexpected_end,
    no_landscape,
    no_task,
    bad_zone,
    value_not_given,
    value_out_of_range
};
InputFault input_fault(bool seeyou_task, int status);

// The last two faults alone, of an input read without the others.
InputFault input_value_fault(bool seeyou_task);

// The message of a plan refused for too_many_turnpoints, in the run's
// language: "Count=40 : a task holds at most 30 turnpoints" (the takeoff is
// no turnpoint), naming no target, since the limit holds for every one; for
// a SeeYou task "31 points from the start to the finish : a task holds at
// most 30 turnpoints".
std::string too_many_turnpoints_text(bool seeyou_task);

// True when an inner turnpoint or the finish (points 2 .. nb_wp - 1) is a
// classic zone (tpsec 0) of radius 5000 m or more.
bool detect_aat();

// Sets the display units from nunit: 3 imperial, 1 as Condor's pilot settings
// say ("Setup.ini" of pilot_path; metric when it cannot be read), anything
// else metric. Sets nunitalt, fmulalt, fmulspd, cunitalt and cunitspd.
void define_units();

// The root folders of the target programs from their task destinations: each
// is the destination's folder (destination_folder: the folder of a task file
// it names) cut before its first "\Task" (XCSoar, SeeYou) or "\_Tasks"
// (LK8000), in any letter case, the whole folder when the marker is absent.
void get_root_names();
