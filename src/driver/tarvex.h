#pragma once

#include <string>
#include <vector>

// The main program: one conversion per run. `args` are the process's
// arguments as main received them, the program's path first. Returns the exit
// code of a run that reaches its end; a run that stops early throws
// RunStopped (foundation/run_stop.h) with its own code, which main returns.
int tarvex(const std::vector<std::string>& args);
