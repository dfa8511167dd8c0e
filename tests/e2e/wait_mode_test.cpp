// Wait mode: the program converts the flight plan Condor writes into the
// pilot's folder once Condor has rewritten it after the program started.
// Condor's rewrite is played by a file time in the future, so the wait ends
// at its first look (a poll period and Condor's 4 s grace, some 6 s).

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

using namespace tarvex_test;

namespace {

std::int64_t an_hour_from_now() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count() + 3600;
}

// The named input of a wait-mode run: it only has to be named.
constexpr const char* kNamedInput = "C:\\Plans\\Waited.fpl";

}  // namespace

TEST(WaitMode, OneCondorVersion) {
    FakePrefixOptions only_condor3;
    only_condor3.condor2.reset();
    TarvexInstall install(only_condor3);
    install.prefix().set_modification_time(install.prefix().flight_plan(3), an_hour_from_now());
    const RunOutcome outcome = install.run({"-nogui", "-line", "-wait", kNamedInput});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(outcome.out, "waiting for " + install.prefix().pilot_dir(3)));
    // The output is named after the named input; its task is Condor's plan.
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\Waited.tsk"));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install.host("C:\\XCSoarData\\Tasks\\Waited.tsk")), "Laragne"));
}

TEST(WaitMode, BothVersionsTakeThePlanRewrittenFirst) {
    TarvexInstall install;
    // Condor 2's pilot plan is rewritten; Condor 3, the active version, is not.
    install.prefix().set_modification_time(install.prefix().flight_plan(2), an_hour_from_now());
    const RunOutcome outcome = install.run({"-nogui", "-line", "-wait", kNamedInput});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(outcome.out, "waiting for " + install.prefix().pilot_dir(2)));
    const std::string task = TempDir::read(install.host("C:\\XCSoarData\\Tasks\\Waited.tsk"));
    EXPECT_TRUE(HasLineContaining(task, "Riez"));
    EXPECT_TRUE(HasNoLineContaining(task, "Laragne"));
    // A Condor 2 plan: its penalty zone alone, no landscape airspace.
    EXPECT_TRUE(HasNoLineContaining(TempDir::read(install.host("C:\\XCSoarData\\CondorAirspace.txt")), "DEMO"));
}

TEST(WaitMode, NeedsANamedInput) {
    const TarvexInstall install;
    const RunOutcome outcome = install.run({"-nogui", "-line", "-wait"});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::usage));
    EXPECT_TRUE(HasLine(outcome.err, "*** Wait mode needs an INPUT on the command line: it names the output ***"));
}
