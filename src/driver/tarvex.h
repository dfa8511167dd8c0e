#pragma once

#include <string>
#include <vector>

// The main program: one conversion per run. `args` are the process's
// arguments as main received them, the program's path first. Returns 0 for a
// run that reaches its end converted; a run that stops early, or ends with a
// file not written or a failed post-run script, throws RunStopped
// (foundation/run_stop.h) with its own code, which main returns, its reason
// on standard error.
int tarvex(const std::vector<std::string>& args);
