// The command line of the real program: the help and the usage errors, which
// end the run before Condor is looked for.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvex_test;

namespace {

constexpr const char* kUsageText =
    "[-help] [-v] [-line] [-auto] [-silent] [-xcs/-lk8/-cup/-json] [-FAI] [-nosc] [-chkwp] [-nomxalt] "
    "[-nogui] [-aat|-aat:TIME] [-AATmanst] [-manst] [-fma:ALT] [-en/-fr] [flight_plan.fpl|task.cup] "
    "[task.tsk]";

// The usage: "Usage :", then the program's path and the usage text.
void expect_usage(const RunOutcome& outcome) {
    EXPECT_TRUE(HasLine(outcome.out, "Usage :"));
    EXPECT_TRUE(HasLineEndingWith(outcome.out, std::string("tarvex ") + kUsageText));
}

}  // namespace

TEST(CommandLine, HelpShowsTheUsageAndEndsTheRun) {
    const TarvexInstall install;
    for (const char* help : {"-help", "-h", "-hx"}) {
        const RunOutcome outcome = install.run({help});
        EXPECT_TRUE(ExitedWith(outcome, exit_code::success)) << help;
        expect_usage(outcome);
    }
    // The help comes before anything else: the input named after it is not read.
    const RunOutcome outcome = install.run({"-nogui", "-line", "-help", "C:\\nowhere\\Race1.fpl"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    expect_usage(outcome);
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "error reading"));
}

TEST(CommandLine, HelpNeedsNeitherCondorNorSettings) {
    const TarvexInstall install(without_condor(), without_settings_file());
    const RunOutcome outcome = install.run({"-help"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    expect_usage(outcome);
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "No Condor installation found"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}

TEST(CommandLine, UnknownOptionIsAUsageError) {
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    // Options are matched by their first characters, case-sensitively: "-English"
    // is none of them, while "-english" would be "-en".
    for (const char* option : {"-bogus", "-English", "-Line"}) {
        const RunOutcome outcome = install.run({"-nogui", "-line", option, install.demo().condor3_plan});
        EXPECT_TRUE(ExitedWith(outcome, exit_code::usage)) << option;
        EXPECT_TRUE(HasLine(outcome.out, std::string(option) + " : Unrecognized option"));
        EXPECT_TRUE(HasLine(outcome.err, std::string(option) + " : Unrecognized option"));
        expect_usage(outcome);
    }
    // The error output says it in the language asked for before it.
    const RunOutcome french = install.run({"-nogui", "-fr", "-bogus"});
    EXPECT_TRUE(ExitedWith(french, exit_code::usage));
    EXPECT_TRUE(HasLine(french.err, "-bogus : option inconnue"));
    // The run ended before the settings file was looked for.
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")));
}

TEST(CommandLine, ThreeFileNamesAreAUsageError) {
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    const RunOutcome outcome =
        install.run({"-nogui", "-line", install.demo().condor3_plan, "C:\\Out\\a.tsk", "C:\\Out\\b.tsk"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::usage));
    EXPECT_TRUE(HasLine(outcome.out, "*** More than 2 filenames ***"));
    EXPECT_TRUE(HasLine(outcome.err, "*** More than 2 filenames ***"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Unrecognized option"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().settings_file)));
}
