#pragma once

// Checks of what a run left: its exit code, lines of its standard output or
// of its log (one line at a time, never the whole output), and files byte for
// byte. Each returns an AssertionResult whose failure shows what was there.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/harness/program_run.h"

namespace tarvex_test {

// The lines of a text: split at LF, one CR before it removed.
std::vector<std::string> text_lines(std::string_view text);

// The program ran and ended with `code`.
::testing::AssertionResult ExitedWith(const RunOutcome& outcome, int code);

// Some line of `text`, blanks at both ends ignored, is `line` (blanks at its
// ends ignored as well).
::testing::AssertionResult HasLine(std::string_view text, std::string_view line);
// Some line of `text` holds `fragment`.
::testing::AssertionResult HasLineContaining(std::string_view text, std::string_view fragment);
// No line of `text` holds `fragment`.
::testing::AssertionResult HasNoLineContaining(std::string_view text, std::string_view fragment);
// Some line of `text` ends with `tail` (trailing blanks ignored).
::testing::AssertionResult HasLineEndingWith(std::string_view text, std::string_view tail);

// The file exists and holds exactly `expected`.
::testing::AssertionResult FileHasBytes(const std::filesystem::path& file, std::string_view expected);
// The file does not exist.
::testing::AssertionResult FileIsMissing(const std::filesystem::path& file);

}  // namespace tarvex_test
