#pragma once

// Fixture of the tests of the SeeYou and flight-plan writers, the profiles
// and the map lists: clean records, a fresh temporary current folder (where
// the log, the map lists and the templates live), dialogs on the console with
// an answer script on standard input, and message boxes recorded instead of
// shown.

#include "foundation/condor_install.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/option_records.h"
#include "foundation/unwritten_files.h"
#include "platform/file_faults.h"
#include "platform/dialogs.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/layer_reset.h"
#include "taskfiles/task_model.h"

#include "support/std_streams.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarvex_test {

// Lines joined with CR LF, each line ended.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

class OutputTest : public testing::Test {
protected:
    void SetUp() override {
        reset_all();
        set_message_box([this](const std::string& title, const std::string& text, int& /*status*/) {
            boxes.push_back(title + "|" + text);
        });
        answers_ = std::make_unique<ScopedStdin>("");
    }
    void TearDown() override {
        answers_.reset();
        set_message_box({});
        reset_all();
    }

    // The lines the dialogs of the test read, one answer a line; without
    // answers every dialog is cancelled.
    void answer_dialogs(const std::vector<std::string>& lines) {
        answers_.reset();
        std::string bytes;
        for (const std::string& line : lines) {
            bytes += line + "\n";
        }
        answers_ = std::make_unique<ScopedStdin>(bytes);
    }

    std::filesystem::path path(const std::string& name) const { return dir.path() / name; }
    bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }
    std::string read(const std::string& name) const { return TempDir::read(path(name)); }
    void write(const std::string& name, const std::string& bytes) const { dir.write(name, bytes); }
    std::string log_text() const { return exists("Logfile.txt") ? read("Logfile.txt") : std::string(); }
    // The temporary files of whole writes left in the folder (none, after any write).
    std::vector<std::string> temporary_files() const {
        std::vector<std::string> names;
        for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(dir.path())) {
            if (entry.path().extension() == ".tmp") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    TempDir dir{"tarvex-out"};
    std::vector<std::string> boxes;  // "title|text" of every message box shown

private:
    static void reset_all() {
        reset_taskfiles_layer();
        reset_log();
    }

    ScopedCwd cwd_{dir.path()};
    ScopedEnv display_{"DISPLAY", nullptr};
    ScopedEnv wayland_{"WAYLAND_DISPLAY", nullptr};
    ScopedEnv dialogs_{"TARVEX_DIALOGS", "console"};
    std::unique_ptr<ScopedStdin> answers_;
};

}  // namespace tarvex_test
