#include "e2e/harness/tarvex_install.h"

#include "support/temp_dir.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace tarvex_test {

namespace {

// Variables passed on from the tests' environment when they are set.
constexpr const char* kPassedOn[] = {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"};

}  // namespace

fs::path tarvex_program() { return TARVEX_EXE; }

DemoOptions without_settings_file() {
    DemoOptions options;
    options.settings_file = false;
    return options;
}

std::string first_run_settings(const std::string& target, const FirstRunFolders& folders) {
    std::string ini = demo_text(demo_source_folder(), "tarvex/Tarvex.ini");
    ini = with_setting(ini, "Target", target);
    ini = with_setting(ini, "XCsoar Destination Path", folders.xcsoar_tasks);
    ini = with_setting(ini, "LK8000 Destination Path", folders.lk8000_tasks);
    ini = with_setting(ini, "SeeYou Destination Path", folders.seeyou_tasks);
    ini = with_setting(ini, "Task warnings", "0");
    ini = with_setting(ini, "Write Default Files", "0");
    ini = with_setting(ini, "Profile file", "");
    return ini;
}

TarvexInstall::TarvexInstall(const FakePrefixOptions& prefix_options, DemoOptions demo_options)
    : prefix_(prefix_options) {
    if (demo_options.program.empty()) {
        demo_options.program = tarvex_program();
    }
    demo_ = lay_out_demo(prefix_, demo_options);
    folder = host(demo_.program_folder);

    for (const char* name : kPassedOn) {
        if (const char* value = std::getenv(name); value != nullptr) {
            set_variable(environment, name, value);
        }
    }
    const fs::path home = prefix_.root() / "home";
    fs::create_directories(home);
    set_variable(environment, "HOME", home.string());
    for (const auto& [name, value] : prefix_.environment()) {
        set_variable(environment, name, value);
    }
    set_variable(environment, "LANG", "en_US.UTF-8");
    set_variable(environment, "TARVEX_DIALOGS", "console");
}

RunOutcome TarvexInstall::run(const std::vector<std::string>& args, const std::string& input) const {
    ProgramRun program_run;
    program_run.program = host(demo_.program);
    program_run.args = args;
    program_run.environment = environment;
    program_run.folder = folder;
    program_run.input = input;
    program_run.timeout = timeout;
    program_run.file_size_limit = file_size_limit;
    return run_program(program_run);
}

std::string TarvexInstall::settings() const { return TempDir::read(host(demo_.settings_file)); }

void TarvexInstall::set_setting(const std::string& key, const std::string& value) {
    const bool exists = fs::exists(host(demo_.settings_file));
    prefix_.add_file(demo_.settings_file, with_setting(exists ? settings() : std::string(), key, value));
}

std::string TarvexInstall::log() const {
    const fs::path file = folder / "Tarvex.log";
    return fs::exists(file) ? TempDir::read(file) : std::string();
}

}  // namespace tarvex_test
