#pragma once

// Telling the user: the one way every layer shows, logs and ends.
//
//   tell_and_log(kWarning, in_user_language("*** Backup copy failed", "*** Copie impossible"));
//   tell(kInformation, text);                        // shown only
//   tell_and_log(kError, text, {.qline = qlin1});    // a routine with its own console switch
//   tell_and_log(kWarning, text, {.shown = !tarvex01.qsilent});  // a silent run still logs
//   tell_and_count(kWarning, text);                  // the airspace and terrain code's sink
//   fatal_error(text, kExitConversionFailed);        // shown, logged, the run ends
//   end_run("TPANG", kExitConversionFailed);         // the run ends, the text on standard error only
//   end_run("", kExitConfiguration);                 // the last error told goes to standard error
//
// Texts are cp1252; "/" breaks a line, "\/" is a plain "/" (see messages.h).
// Shown means a box, or a console line when cmndta001.qline is set. Logged
// means log_message_text: a text beginning "CREATE" is a message, never a log
// request.
//
// A run ends only through fatal_error or end_run. Both throw RunStopped
// (run_stop.h) after the stop text went to standard error: main catches it and
// returns its exit code, a test catches it to see how the run ended. Nothing
// between the stop and main may catch it. Every error told is noted
// (cmndta001.last_error) as the reason of an end that brings no text.

#include "foundation/messages.h"
#include "foundation/run_stop.h"

#include <optional>
#include <string>
#include <string_view>

// Severities of a told text.
inline constexpr int kInformation = 0;
inline constexpr int kError = 1;
inline constexpr int kWarning = 2;

// The English or the French twin of a text: by `french`, or by the run's
// language (cmndta001.qfr).
std::string in_language(bool french, std::string_view english_text, std::string_view french_text);
std::string in_user_language(std::string_view english_text, std::string_view french_text);

// `text` (a host path, a system's message) as a told text shows it unchanged:
// each "/" becomes "\/", so that it breaks no line.
std::string slashes_kept(std::string_view text);

// How a text is told when the run's defaults do not fit.
struct TellHow {
    bool shown = true;                         // false: only logged (a silent run)
    std::optional<bool> qline = std::nullopt;  // console mode; unset: cmndta001.qline
    std::string_view title = kProgramTitle;    // title of the box
};

// Shows `text` with `severity` (0 information, 1 error, 2 warning, or the
// questions 3 yes/no, 4 ok/cancel, 5 yes/no/cancel). Returns the answer of a
// question's box (in console mode, and for the other severities, `severity`).
int tell(int severity, std::string_view text, const TellHow& how = {});

// Shows `text` (unless how.shown is false), then writes it to the log.
void tell_and_log(int severity, std::string_view text, const TellHow& how = {});

// Shows, logs in a framed entry and counts (cmndta001.nberr, nbwarn) a text
// of severity 0, 1 or 2: error_message_pxr, the sink of the airspace and
// terrain code.
void tell_and_count(int severity, std::string_view text);

// The end of a run that cannot go on, told: `text` is shown as an error and
// logged, its displayed form goes to standard error, and the run ends with
// `exit_code`.
[[noreturn]] void fatal_error(std::string_view text, int exit_code);

// The end of a run not told here: `stop_text` goes to standard error, and the
// run ends with `exit_code` (exit codes in run_stop.h). An empty text is a
// quiet end with exit code 0; with any other code (an end whose message was
// already told) the last error told goes to standard error in its stead, or,
// when none was, a text naming the exit code: every run that ends non-zero
// says why on standard error.
[[noreturn]] void end_run(std::string_view stop_text, int exit_code);
