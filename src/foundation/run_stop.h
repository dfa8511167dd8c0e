#pragma once

// The end of a run that cannot go on: a "stop" text on standard error (never a
// message box, never the log) and an exit code that tells scripts why.
//
// stop_run throws RunStopped; main catches it and returns its exit code, and
// tests catch it to see how a run ended, so the program and its tests end a
// run the same way. Only foundation/tell.h calls stop_run: a run ends through
// its fatal_error or end_run.

#include <string>
#include <string_view>

// Exit codes of a run.
inline constexpr int kExitSuccess = 0;           // converted, help shown, or the user cancelled
inline constexpr int kExitConversionFailed = 1;  // no input, unreadable plan or landscape, failed writer
inline constexpr int kExitUsage = 2;             // unknown option, more than two file names
inline constexpr int kExitConfiguration = 3;     // no Condor, settings file unusable, forms missing
inline constexpr int kExitWaitTimedOut = 4;      // wait mode saw no new flight plan
inline constexpr int kExitScriptFailed = 5;      // post-run script missing or failed

// A run that ended: its stop text (already on standard error) and its exit
// code. Not a std::exception, so that no handler of faults takes it for one.
struct RunStopped {
    std::string text;
    int exit_code = kExitConversionFailed;
};

// Writes `text` and a line end to standard error (an empty text writes
// nothing: a quiet end, or one whose message was already shown) and throws
// RunStopped with `text` and `exit_code`.
[[noreturn]] void stop_run(std::string_view text, int exit_code);
