#include "e2e/harness/checks.h"

#include "support/temp_dir.h"

#include <algorithm>
#include <sstream>

namespace tarvex_test {

namespace {

// Longest text a failure message shows of an output.
constexpr std::size_t kShownLength = 6000;

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// The text as a failure message shows it: its end when it is long.
std::string shown(std::string_view text) {
    if (text.size() <= kShownLength) {
        return std::string(text);
    }
    return "[... " + std::to_string(text.size() - kShownLength) + " bytes before]\n" +
           std::string(text.substr(text.size() - kShownLength));
}

template <typename Match>
::testing::AssertionResult line_check(std::string_view text, const Match& match, const std::string& wanted) {
    for (const std::string& line : text_lines(text)) {
        if (match(line)) {
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure() << "no line " << wanted << " in:\n" << shown(text);
}

// 1-based line and column of a byte offset.
std::string position(std::string_view text, std::size_t offset) {
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
    const std::size_t start = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t column = start == std::string_view::npos || offset == 0 ? offset + 1 : offset - start;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string line_at(std::string_view text, std::size_t offset) {
    const std::size_t begin = offset == 0 ? 0 : text.rfind('\n', offset - 1);
    const std::size_t from = begin == std::string_view::npos || offset == 0 ? 0 : begin + 1;
    const std::size_t end = text.find('\n', offset);
    return std::string(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
}

}  // namespace

std::vector<std::string> text_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

::testing::AssertionResult ExitedWith(const RunOutcome& outcome, int code) {
    if (!outcome.started) {
        return ::testing::AssertionFailure() << "the program did not start: " << outcome.error;
    }
    if (outcome.timed_out) {
        return ::testing::AssertionFailure() << "the program was killed at the timeout\nstandard output:\n"
                                             << shown(outcome.out) << "\nstandard error:\n" << shown(outcome.err);
    }
    if (outcome.exit_code != code) {
        return ::testing::AssertionFailure() << "exit code " << outcome.exit_code << ", expected " << code
                                             << "\nstandard output:\n" << shown(outcome.out)
                                             << "\nstandard error:\n" << shown(outcome.err);
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasLine(std::string_view text, std::string_view line) {
    const std::string_view wanted = trim(line);
    return line_check(text, [wanted](const std::string& l) { return trim(l) == wanted; },
                      "\"" + std::string(wanted) + "\"");
}

::testing::AssertionResult HasLineContaining(std::string_view text, std::string_view fragment) {
    return line_check(text, [fragment](const std::string& l) { return l.find(fragment) != std::string::npos; },
                      "containing \"" + std::string(fragment) + "\"");
}

::testing::AssertionResult HasNoLineContaining(std::string_view text, std::string_view fragment) {
    for (const std::string& line : text_lines(text)) {
        if (line.find(fragment) != std::string::npos) {
            return ::testing::AssertionFailure() << "unexpected line \"" << line << "\" in:\n" << shown(text);
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasLineEndingWith(std::string_view text, std::string_view tail) {
    const std::string_view wanted = trim(tail);
    return line_check(text,
                      [wanted](const std::string& l) {
                          const std::string_view t = trim(l);
                          return t.size() >= wanted.size() && t.substr(t.size() - wanted.size()) == wanted;
                      },
                      "ending with \"" + std::string(wanted) + "\"");
}

::testing::AssertionResult FileHasBytes(const std::filesystem::path& file, std::string_view expected) {
    if (!std::filesystem::is_regular_file(file)) {
        return ::testing::AssertionFailure() << "no file " << file;
    }
    const std::string actual = TempDir::read(file);
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    const auto offset = static_cast<std::size_t>(a - actual.begin());
    std::ostringstream why;
    why << file << " differs at byte " << offset << " (" << position(actual, offset) << ")";
    if (a == actual.end()) {
        why << ": the file ends there, " << expected.size() - offset << " bytes are missing";
    } else if (e == expected.end()) {
        why << ": the file goes on for " << actual.size() - offset << " more bytes";
    }
    why << "\n  file:     \"" << line_at(actual, offset) << "\"\n  expected: \"" << line_at(expected, offset)
        << "\"";
    return ::testing::AssertionFailure() << why.str();
}

::testing::AssertionResult FileIsMissing(const std::filesystem::path& file) {
    if (std::filesystem::exists(file)) {
        return ::testing::AssertionFailure() << file << " exists";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tarvex_test
