// Runs of the real program that end before any conversion: the help, usage
// errors on the command line, and a machine without Condor.

#include "e2e/harness/checks.h"
#include "e2e/harness/driver_status.h"
#include "e2e/harness/tarvex_install.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvex_test;

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitUsage = 2;
constexpr int kExitConfiguration = 3;

constexpr const char* kUsageText =
    "[-help] [-v] [-line] [-auto] [-silent] [-xcs/-lk8/-cup/-json] [-FAI] [-nosc] [-chkwp] [-nomxalt] "
    "[-nogui] [-aat|-aat:TIME] [-AATmanst] [-manst] [-fma:ALT] [-en/-fr] [flight_plan.fpl|task.cup] "
    "[task.tsk]";

FakePrefixOptions without_condor() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

DemoOptions without_settings_file() {
    DemoOptions options;
    options.settings_file = false;
    return options;
}

// The usage: "Usage :", then the program's path and the usage text.
void expect_usage(const RunOutcome& outcome) {
    EXPECT_TRUE(HasLine(outcome.out, "Usage :"));
    EXPECT_TRUE(HasLineEndingWith(outcome.out, std::string("tarvex ") + kUsageText));
}

}  // namespace

TEST(CommandLine, HelpShowsTheUsageAndEndsTheRun) {
    if (!kStartUpBuilt) {
        GTEST_SKIP() << kStartUpMissing;
    }
    const TarvexInstall install;
    for (const char* help : {"-help", "-h", "-hx"}) {
        const RunOutcome outcome = install.run({help});
        EXPECT_TRUE(ExitedWith(outcome, kExitSuccess)) << help;
        expect_usage(outcome);
    }
    // The help comes before anything else: the input named after it is not read.
    const RunOutcome outcome = install.run({"-nogui", "-line", "-help", "C:\\nowhere\\Race1.fpl"});
    EXPECT_TRUE(ExitedWith(outcome, kExitSuccess));
    expect_usage(outcome);
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "error reading"));
}

TEST(CommandLine, HelpNeedsNeitherCondorNorSettings) {
    if (!kStartUpBuilt) {
        GTEST_SKIP() << kStartUpMissing;
    }
    const TarvexInstall install(without_condor(), without_settings_file());
    const RunOutcome outcome = install.run({"-help"});
    EXPECT_TRUE(ExitedWith(outcome, kExitSuccess));
    expect_usage(outcome);
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "No Condor installation found"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}

TEST(CommandLine, UnknownOptionIsAUsageError) {
    if (!kStartUpBuilt) {
        GTEST_SKIP() << kStartUpMissing;
    }
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    // Options are matched by their first characters, case-sensitively: "-English"
    // is none of them, while "-english" would be "-en".
    for (const char* option : {"-bogus", "-English", "-Line"}) {
        const RunOutcome outcome = install.run({"-nogui", "-line", option, install.demo().condor3_plan});
        EXPECT_TRUE(ExitedWith(outcome, kExitUsage)) << option;
        EXPECT_TRUE(HasLine(outcome.out, std::string(option) + " : Unrecognized option"));
        expect_usage(outcome);
    }
    // The run ended before the settings file was looked for.
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")));
}

TEST(CommandLine, ThreeFileNamesAreAUsageError) {
    if (!kStartUpBuilt) {
        GTEST_SKIP() << kStartUpMissing;
    }
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    const RunOutcome outcome =
        install.run({"-nogui", "-line", install.demo().condor3_plan, "C:\\Out\\a.tsk", "C:\\Out\\b.tsk"});
    EXPECT_TRUE(ExitedWith(outcome, kExitUsage));
    EXPECT_TRUE(HasLine(outcome.out, "*** More than 2 filenames ***"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Unrecognized option"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}

TEST(StartUp, NoCondorInstalledIsAConfigurationError) {
    if (!kStartUpBuilt) {
        GTEST_SKIP() << kStartUpMissing;
    }
    const TarvexInstall install(without_condor(), without_settings_file());
    const RunOutcome outcome = install.run({"-nogui", "-line", "C:\\Plans\\Race1.fpl"});
    EXPECT_TRUE(ExitedWith(outcome, kExitConfiguration));
    EXPECT_TRUE(HasLine(outcome.out, "*** No Condor installation found (2 or 3) ***"));
    EXPECT_TRUE(HasLine(outcome.out, "*** Condor2 installation not detected on this computer ***"));
    EXPECT_TRUE(HasLine(outcome.out, "*** Condor3 installation not detected on this computer ***"));
    EXPECT_TRUE(HasLine(install.log(), "*** No Condor installation found (2 or 3) ***"));
    // Nothing is written before Condor is found.
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}

TEST(StartUp, NoCondorInstalledInFrench) {
    if (!kStartUpBuilt) {
        GTEST_SKIP() << kStartUpMissing;
    }
    TarvexInstall install(without_condor(), without_settings_file());
    // The system's language decides: the settings file is not read yet.
    set_variable(install.environment, "LANG", "fr_FR.UTF-8");
    RunOutcome outcome = install.run({"-nogui", "-line"});
    EXPECT_TRUE(ExitedWith(outcome, kExitConfiguration));
    EXPECT_TRUE(HasLine(outcome.out, "*** Aucune installation de Condor (2 ou 3) trouv\xC3\xA9" "e ***"));
    EXPECT_TRUE(HasLine(install.log(), "*** Aucune installation de Condor (2 ou 3) trouv\xE9" "e ***"));
    // "-en" on the command line is read before the check and wins.
    outcome = install.run({"-nogui", "-line", "-en"});
    EXPECT_TRUE(ExitedWith(outcome, kExitConfiguration));
    EXPECT_TRUE(HasLine(outcome.out, "*** No Condor installation found (2 or 3) ***"));
}
