#include "taskfiles/task_summary.h"

#include "foundation/fixed_text.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"

#include <string>

namespace {

// Removes every "=" together with the blanks that follow it.
void remove_equals(std::string& text) {
    std::size_t at = text.find('=');
    while (at != std::string::npos) {
        std::size_t rest = at + 1;
        while (rest < text.size() && text[rest] == ' ') {
            ++rest;
        }
        text.erase(at, rest - at);
        at = text.find('=', at);
    }
}

// Every "\/" (the message routines' plain slash) becomes "/".
void unescape_slashes(std::string& text) {
    // Searched from the start each time, so "\\/" loses both backslashes.
    for (std::size_t at = text.find("\\/"); at != std::string::npos; at = text.find("\\/")) {
        text.erase(at, 1);
    }
}

}  // namespace

void write_summary(std::string_view msg1, std::string_view fnam, bool qhead) {
    console_line(std::string("write_summary ") + (qhead ? "T " : "F ") + trim_right(fnam));
    std::string text = fit_field(msg1, kSummaryCapacity);

    FileWriter file(fnam);
    if (!file.is_open()) {
        report_unwritten_file(trim_right(fnam));
        return;
    }
    const auto write = [&](std::string_view line) {
        file.write_line(qhead ? cp1252_to_utf8(line) : std::string(line));
    };
    if (qhead) {
        write("[warnings]");
    }
    remove_equals(text);
    unescape_slashes(text);

    std::size_t start = 0;
    std::size_t feed = text.find('\n');
    while (feed != std::string::npos) {
        write(std::string_view(text).substr(start, feed - start));
        start = feed + 1;
        feed = text.find('\n', start);
    }
    write(trim_right(std::string_view(text).substr(start)));
    if (file.close() != 0) {
        report_unwritten_file(trim_right(fnam));
    }
}
