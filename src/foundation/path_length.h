#pragma once

// The length of the program's path fields, and what becomes of a path that is
// longer: it is refused where it comes in, never cut to fit and then used.

#include <cstddef>
#include <string>
#include <string_view>

// Characters a path field holds: a path of exactly this length is a path
// like any other, one character more is too long.
inline constexpr std::size_t kPathLength = 256;

// True when `path` fits a path field.
bool path_fits(std::string_view path);

// The refusal of a path too long for a path field, in the run's language:
// "Path too long (at most 256 characters)" or, after `what` (a box's own
// message needs none), "<what> : path too long (at most 256 characters)".
std::string path_too_long_text(std::string_view what = {});

// `path` whole when it fits a path field; a longer one ends the run with
// `exit_code`, told as an error and logged: "*** <path> : path too long (at
// most 256 characters) ***", the path whole, as every message shows one.
std::string fitting_path(std::string_view path, int exit_code);

// A path the user chose in a dialog: true when it fits a path field; a longer
// one is told (error, logged) and the caller takes it as no choice.
bool chosen_path_fits(std::string_view path);
