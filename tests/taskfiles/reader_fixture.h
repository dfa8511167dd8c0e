#pragma once

#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/option_records.h"
#include "platform/console.h"
#include "support/temp_dir.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/layer_reset.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex_test {

// A box the message routines would have shown.
struct ShownMessage {
    std::string title;
    std::string text;
    int status = 0;
};

// A clean run for a reader test: a fresh current folder with the log
// "test.log" in it, boxes recorded instead of shown, and every record at its
// start values.
class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() : cwd_(dir_.path()) {
        reset_taskfiles_layer();
        reset_log();
        set_log_clock([] { return LogDateTime{2024, 1, 2, 3, 4, 5}; });
        set_console_utf8(false);
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes.push_back({title, text, status});
        });
        log_message_f("CREATEtest.log");
    }
    ~ReaderTest() override {
        set_message_box(nullptr);
        reset_log();
        reset_taskfiles_layer();
        clear_console_encoding();
    }

    // Writes a file of the current folder; returns its Windows name.
    std::string write(const std::string& name, const std::string& bytes) const {
        dir_.write(name, bytes);
        return name;
    }
    std::string log_text() const { return TempDir::read(dir_.path() / "test.log"); }
    bool log_has(const std::string& text) const { return log_text().find(text) != std::string::npos; }

    TempDir dir_;
    ScopedCwd cwd_;
    std::vector<ShownMessage> boxes;
};

// Lines joined with CR LF, each line ended.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

}  // namespace tarvex_test
