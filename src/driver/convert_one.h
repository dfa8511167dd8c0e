#pragma once

#include "driver/run_state.h"

// One conversion of the chosen input: the target, the output names, the
// reading, the checks against the installed Condor and the landscape, the
// target's writer, the airspace, the profile, the summary, the copies, the
// post-run script and the result. Returns the run's exit code, or ends the run
// itself through end_run or fatal_error.
//
// It is called with tarvex_c.infile set (check_input has refused a blank
// input, and outside wait mode an input of unknown kind, input_kind.h). Its
// road uses: set_outfile (output_naming.h) before the reading; wait_for_input
// (input_choice.h) with run.t_start in wait mode, before the reading;
// read_fpl_1 (fpl_preread.h) for a flight plan; add_aat_to_outfile once the
// AAT state of the plan is final; make_condor_version_active
// (foundation/condor_install.h) for a plan of the other Condor version.
// From the reading of the plan to its end the conversion holds the
// installation's lock (installation_lock.h).
int convert_one(RunState& run);
