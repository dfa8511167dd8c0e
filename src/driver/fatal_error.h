#pragma once

#include <string_view>

// The end of a run that cannot go on, told to the user: the text is shown as
// an error (a box, or a console line in console mode), written to the log,
// and the run ends through stop_run with `exit_code`.
[[noreturn]] void fatal_error(std::string_view text, int exit_code);
