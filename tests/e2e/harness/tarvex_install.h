#pragma once

// Tarvex installed in a fake Wine prefix that holds the demo Condor setup,
// ready to be run as a user runs it.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/harness/program_run.h"
#include "support/demo_setup.h"
#include "support/fake_wine_prefix.h"

namespace tarvex_test {

// How a run of Tarvex ends.
namespace exit_code {
inline constexpr int success = 0;            // converted, help shown, or cancelled by the user
inline constexpr int conversion_failed = 1;  // no input, unreadable plan or landscape, failed writer
inline constexpr int usage = 2;              // unknown option, more than two file names
inline constexpr int configuration = 3;      // no Condor, settings file unusable without the forms
inline constexpr int wait_timed_out = 4;
inline constexpr int script_failed = 5;      // post-run script missing or failed
}  // namespace exit_code

// The Tarvex program under test (the build's executable).
std::filesystem::path tarvex_program();

// The demo without Tarvex.ini beside the program (a first run).
DemoOptions without_settings_file();

// The task folders a first run is given (blank when not given).
struct FirstRunFolders {
    std::string xcsoar_tasks;
    std::string lk8000_tasks;
    std::string seeyou_tasks;
};

// The settings file a first run writes from the defaults, with `target` and
// the task folders given: the demo's own file, whose flight plans ("AUTO") and
// airspace margin (37) are the defaults too, with no task summary, no default
// files and a blank profile (which stands for Condor.prf).
std::string first_run_settings(const std::string& target, const FirstRunFolders& folders);

class TarvexInstall {
public:
    // A prefix made with `prefix_options`, the demo laid into it with the
    // build's program (unless `demo_options` names another), runs from the
    // program's folder with the default environment.
    explicit TarvexInstall(const FakePrefixOptions& prefix_options = {}, DemoOptions demo_options = {});

    FakeWinePrefix& prefix() { return prefix_; }
    const FakeWinePrefix& prefix() const { return prefix_; }
    const DemoSetup& demo() const { return demo_; }
    // The host path of a Windows path of the prefix.
    std::filesystem::path host(const std::string& windows_path) const { return prefix_.host(windows_path); }

    // The environment of every run: PATH as the tests have it, HOME in the
    // prefix, WINEPREFIX, USER, LANG=en_US.UTF-8, TARVEX_DIALOGS=console, and
    // the sanitizers' options when the tests have them. Change it freely.
    Environment environment;
    // The current folder of every run (host path); the program's folder at first.
    std::filesystem::path folder;
    // Every run is killed with SIGKILL after this long.
    std::chrono::milliseconds timeout{std::chrono::seconds(120)};
    // The largest file a run may write (see ProgramRun); none when 0.
    std::uint64_t file_size_limit = 0;

    // Runs Tarvex with `args` and `input` on standard input.
    RunOutcome run(const std::vector<std::string>& args, const std::string& input = "") const;

    // The settings file beside the program: its bytes, and one key changed
    // (a missing file is started with that key).
    std::string settings() const;
    void set_setting(const std::string& key, const std::string& value);
    // The log "Tarvex.log" of the last run in the current folder (cp1252 bytes); empty when there is none.
    std::string log() const;

private:
    FakeWinePrefix prefix_;
    DemoSetup demo_;
};

}  // namespace tarvex_test
