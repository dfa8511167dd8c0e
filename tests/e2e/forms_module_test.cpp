// The forms module beside the real program: runs without forms need none of
// it, a missing or broken module ends a run through the forms with the
// loader's reason and exit code 3, and the module shares the program's
// records instead of holding copies of them.
#include <gtest/gtest.h>

#include "driver/forms_gui.h"
#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"

#include <set>
#include <sstream>
#include <string>

using namespace tarvex_test;

namespace {

constexpr const char* kNoFormWindow = "The form window cannot be opened; run Tarvex with -nogui";

std::filesystem::path built_module() { return tarvex_program().parent_path() / kFormsModuleFile; }

DemoOptions without_forms_module() {
    DemoOptions options;
    options.forms_module = false;
    return options;
}

// What a binutils tool prints about `file`.
std::string binutils(const std::string& tool, const std::vector<std::string>& args) {
    ProgramRun run;
    run.program = "/usr/bin/" + tool;
    run.args = args;
    set_variable(run.environment, "LC_ALL", "C");
    const RunOutcome outcome = run_program(run);
    EXPECT_TRUE(ExitedWith(outcome, 0)) << tool << ": " << outcome.err << outcome.error;
    return outcome.out;
}

// The dynamic symbols of a binary that `nm` shows with one of `types`.
std::set<std::string> dynamic_symbols(const std::filesystem::path& file, const std::string& types) {
    std::set<std::string> names;
    std::istringstream lines(binutils("nm", {"-D", file.string()}));
    std::string line;
    while (std::getline(lines, line)) {
        // "ADDRESS TYPE NAME", the address blank for undefined symbols.
        std::istringstream fields(line.size() > 17 ? line.substr(17) : std::string());
        char type = 0;
        std::string name;
        if (fields >> type >> name && types.find(type) != std::string::npos) {
            names.insert(name);
        }
    }
    return names;
}

TEST(FormsModule, WithoutItRunsWithoutFormsWorkAndRunsWithFormsEndWithTheLoadersReason) {
    TarvexInstall install({}, without_forms_module());
    ASSERT_FALSE(std::filesystem::exists(install.host(install.demo().program_folder) / kFormsModuleFile));
    EXPECT_TRUE(ExitedWith(install.run({"-help"}), exit_code::success));
    const std::string plan = install.host(install.demo().condor3_plan).string();
    EXPECT_TRUE(ExitedWith(install.run({"-nogui", "-line", "-xcs", plan}), exit_code::success));

    const RunOutcome outcome = install.run({"-line", plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    const std::string reason = std::string(kFormsModuleFile) + ": cannot open shared object file";
    EXPECT_TRUE(HasLine(outcome.out, kNoFormWindow));
    EXPECT_TRUE(HasLineContaining(outcome.out, reason));
    EXPECT_TRUE(HasLineContaining(outcome.err, reason));
    EXPECT_TRUE(HasLineContaining(install.log(), reason));

    // A file of that name that is no module: the same end, no crash.
    install.prefix().add_file(install.demo().program_folder + "\\" + kFormsModuleFile, "not a module\r\n");
    const RunOutcome broken = install.run({"-line", plan});
    EXPECT_TRUE(ExitedWith(broken, exit_code::configuration));
    EXPECT_TRUE(HasLine(broken.out, kNoFormWindow));
    EXPECT_TRUE(HasLineContaining(broken.out, std::string(kFormsModuleFile) + ": "));
}

TEST(FormsModule, TheInstalledModuleLoadsWithEverythingItNeeds) {
    // No display: the module loads, then its window cannot be opened; the
    // loader has nothing to say.
    TarvexInstall install;
    const RunOutcome outcome = install.run({"-line", install.host(install.demo().condor3_plan).string()});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, kNoFormWindow));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, kFormsModuleFile));
}

TEST(FormsModule, TheProgramLoadsNoDisplayLibraryAndTheModuleSharesItsRecords) {
    const std::string needed = binutils("readelf", {"-d", tarvex_program().string()});
    for (const char* library : {"libX11", "libGL", "libOpenGL", "libGLU", "libfreetype", "libfontconfig", "libXrandr"}) {
        EXPECT_TRUE(HasNoLineContaining(needed, std::string("[") + library)) << library;
    }

    // No symbol defined (code, data, read-only data, zeroed data) in both:
    // the module takes the driver's and the lower layers' from the program.
    const std::string strong = "TDBR";
    const std::set<std::string> program = dynamic_symbols(tarvex_program(), strong);
    const std::set<std::string> module = dynamic_symbols(built_module(), strong);
    const std::set<std::string> linker_made = {"_edata", "_end", "__bss_start", "_init", "_fini"};
    for (const std::string& name : module) {
        EXPECT_TRUE(program.count(name) == 0 || linker_made.count(name) != 0) << name << " is defined twice";
    }
    // The records both sides fill and read: the options and the conversion
    // form's field numbers are the program's, used by the module.
    const std::set<std::string> used = dynamic_symbols(built_module(), "U");
    for (const char* record : {"tvxfrm", "tarvex_c", "tarvex01"}) {
        EXPECT_EQ(program.count(record), 1u) << record;
        EXPECT_EQ(used.count(record), 1u) << record;
    }
    EXPECT_EQ(module.count(kFormsModuleEntry), 1u);
}

}  // namespace
