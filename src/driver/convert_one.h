#pragma once

#include "driver/run_state.h"

// One conversion of the chosen input (tarvex_c.infile, never blank here; of a
// known kind unless wait mode replaces it): the target, the output names, the
// reading (after the wait of wait mode, input_choice.h), the checks against
// the installed Condor and the landscape, the target's writer, the airspace,
// the profile, the summary, the copies, the post-run script and the result.
// Returns the run's exit code, or ends the run itself through stop_run.
int convert_one(RunState& run);
