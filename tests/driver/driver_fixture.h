#pragma once

#include "airspace/airspace_records.h"
#include "driver/forms_gui.h"
#include "driver/layer_reset.h"
#include "foundation/condor_install.h"
#include "foundation/condor_waits.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/option_records.h"
#include "foundation/pilot_settings.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"
#include "foundation/unwritten_files.h"
#include "platform/console.h"
#include "platform/dialogs.h"
#include "platform/file_faults.h"
#include "platform/path_map.h"
#include "support/run_stop_catch.h"
#include "support/temp_dir.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarvex_test {

// The end of a run, thrown by the program's stop as in production.
using ::RunStopped;

// A box the message routines would have shown.
struct Box {
    std::string title;
    std::string text;
    int status = 0;
};

// A clean run of the driver: every record at its start values, a fresh
// current folder that is also the program's folder (so Tarvex.ini lives
// there), the log "Tarvex.log" in it, boxes recorded instead of shown,
// console dialogs, English as the system's language and
// the real wait clock.
class DriverTest : public ::testing::Test {
protected:
    DriverTest()
        : cwd_(dir_.path()),
          language_("LANGUAGE", "en"),
          dialogs_("TARVEX_DIALOGS", "console"),
          display_("DISPLAY", nullptr),
          wayland_("WAYLAND_DISPLAY", nullptr) {
        reset_records();
        reset_log();
        set_log_clock([] { return LogDateTime{2024, 5, 1, 13, 45, 9}; });
        set_console_utf8(false);
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes.push_back({title, text, status});
        });
        set_program_folder(program_folder());
        log_message_f("CREATETarvex.log");
    }
    ~DriverTest() override {
        set_message_box(nullptr);
        set_program_folder("");
        reset_wait_clock();
        reset_log();
        clear_console_encoding();
        reset_records();
    }

    static void reset_records() { reset_all_records(); }

    // The test folder in Windows form, with a final "\".
    std::string program_folder() const { return map_from_host(dir_.path().string()) + "\\"; }
    // A file of the test folder: written, and its Windows path returned.
    std::string write(const std::string& name, const std::string& bytes) const {
        dir_.write(name, bytes);
        return program_folder() + name;
    }
    std::string read(const std::string& name) const { return TempDir::read(dir_.path() / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir_.path() / name); }
    std::string log_text() const { return read("Tarvex.log"); }
    bool logged(const std::string& text) const { return log_text().find(text) != std::string::npos; }

    // Runs `body`, which must end the run; how it ended.
    static RunStopped stop_of(const std::function<void()>& body) { return tarvex_test::stop_of(body); }

    TempDir dir_;
    ScopedCwd cwd_;
    ScopedEnv language_;
    ScopedEnv dialogs_;
    ScopedEnv display_;
    ScopedEnv wayland_;
    std::vector<Box> boxes;
};

// The forms as the driver's tests play them: doubles installed with
// set_forms_gui that count their calls and answer as the test says (the
// setup form: 1, OK, unless on_setup answers otherwise); taken away again
// when it goes, so that the driver is left without forms.
class FakeForms {
public:
    FakeForms() {
        on_setup = nullptr;
        on_conversion = nullptr;
        setups = 0;
        conversions = 0;
        set_forms_gui({&setup, &conversion});
    }
    ~FakeForms() { set_forms_gui({}); }
    FakeForms(const FakeForms&) = delete;
    FakeForms& operator=(const FakeForms&) = delete;

    inline static std::function<int()> on_setup;
    inline static std::function<void()> on_conversion;
    inline static int setups = 0;
    inline static int conversions = 0;

private:
    static int setup() {
        ++setups;
        return on_setup ? on_setup() : 1;
    }
    static void conversion() {
        ++conversions;
        if (on_conversion) {
            on_conversion();
        }
    }
};

// What the driver tells when it has no form window to open.
inline constexpr const char* kNoFormWindow = "The form window cannot be opened; run Tarvex with -nogui";

// Lines joined with CR LF, each line ended.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A wait clock whose sleeps pass at once and move the clock on; `on_sleep`
// runs at each sleep (a test writes Condor's file there).
class FakeWaitClock {
public:
    explicit FakeWaitClock(std::int64_t start) : now_(start) {
        set_wait_clock({[this] { return now_; },
                        [this](int ms) {
                            slept_ms_.push_back(ms);
                            now_ += ms / 1000;
                            if (on_sleep) {
                                on_sleep(static_cast<int>(slept_ms_.size()));
                            }
                        }});
    }
    ~FakeWaitClock() { reset_wait_clock(); }
    FakeWaitClock(const FakeWaitClock&) = delete;
    FakeWaitClock& operator=(const FakeWaitClock&) = delete;

    std::int64_t now() const { return now_; }
    const std::vector<int>& slept_ms() const { return slept_ms_; }
    std::function<void(int)> on_sleep;

private:
    std::int64_t now_;
    std::vector<int> slept_ms_;
};

}  // namespace tarvex_test
