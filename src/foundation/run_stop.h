#pragma once

// The end of a run that cannot go on: a "stop" text on standard error (never a
// message box, never the log) and an exit code that tells scripts why.

#include <functional>
#include <string>
#include <string_view>

// Exit codes of the stops.
inline constexpr int kExitConversionFailed = 1;
inline constexpr int kExitConfiguration = 3;
inline constexpr int kExitWaitTimedOut = 4;

// Writes `text` and a line end to standard error and ends the process with
// `exit_code`.
[[noreturn]] void stop_run(std::string_view text, int exit_code);

// How stop_run ends the process, for tests: the handler is called after the
// text went to standard error and must not return (a test handler throws).
// An empty handler restores the real exit. Should a handler return, the
// process exits all the same.
using StopHandler = std::function<void(const std::string& text, int exit_code)>;
void set_stop_handler(StopHandler handler);
