#include "driver/input_choice.h"

#include "driver/command_line.h"
#include "driver_fixture.h"
#include "support/fake_wine_prefix.h"
#include "support/std_streams.h"
#include "support/zenity_stub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::CapturedStdout;
using tarvex_test::CondorInstall;
using tarvex_test::DriverTest;
using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWaitClock;
using tarvex_test::FakeWinePrefix;
using tarvex_test::RunStopped;
using tarvex_test::ZenityStub;

namespace {

class InputChoice : public DriverTest {
protected:
    InputChoice() { tarvex01.qgui = false; }
    std::string host(const std::string& windows_path) const { return prefix.host(windows_path).string(); }

    FakeWinePrefix prefix;
};

TEST_F(InputChoice, NamedInputStays) {
    ZenityStub zenity;
    tarvex_c.infile = "C:\\Plans\\Race1.fpl";
    tarvex_c.defpath = "C:\\Other\\Usual.fpl";
    tarvex01.qauto = true;
    choose_input();
    EXPECT_EQ(tarvex_c.infile, "C:\\Plans\\Race1.fpl");
    EXPECT_EQ(zenity.runs(), 0);
}

TEST_F(InputChoice, OpenFileDialogInTheFlightPlansFolder) {
    prefix.add_file("C:\\Plans\\task.fpl", "x");
    ZenityStub zenity;
    zenity.answer(1, host("C:\\Plans") + "/task.fpl\n", 0);
    tarvex_c.defpath = "C:\\Plans";
    choose_input();
    EXPECT_EQ(tarvex_c.defpath, "C:\\Plans\\");
    EXPECT_EQ(tarvex_c.infile, "C:\\Plans\\task.fpl");
    ASSERT_EQ(zenity.runs(), 1);
    const std::vector<std::string> args = zenity.args(1);
    EXPECT_EQ(args[1], "--title=Tarvex : Select flight plan");
    EXPECT_EQ(args[2], "--filename=" + host("C:\\Plans") + "/");
}

TEST_F(InputChoice, CancelledDialogLeavesNoInput) {
    ZenityStub zenity;
    zenity.answer(1, "", 1);
    tarvex_c.defpath = "C:\\Plans\\";
    choose_input();
    EXPECT_EQ(tarvex_c.infile, "");
    const RunStopped stopped = stop_of([] { check_input(); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "*** No input file specified ***");
    // On the error output only: no box, no log entry.
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(logged("No input file"));
}

TEST_F(InputChoice, ConfiguredPlanFile) {
    ZenityStub zenity;
    tarvex_c.defpath = "C:\\Plans\\Usual.fpl";
    tarvex01.qauto = true;
    choose_input();
    EXPECT_EQ(tarvex_c.infile, "C:\\Plans\\Usual.fpl");
    EXPECT_EQ(tarvex_c.defpath, "C:\\Plans\\Usual.fpl");
    EXPECT_EQ(zenity.runs(), 0);

    // Without automatic loading the dialog opens there.
    zenity.answer(1, "", 1);
    tarvex01.qauto = false;
    tarvex_c.infile.clear();
    choose_input();
    EXPECT_GE(zenity.runs(), 1);
    EXPECT_EQ(tarvex_c.infile, "");
}

TEST_F(InputChoice, WaitOrAutoWithoutAnInputIsAUsageError) {
    ZenityStub zenity;
    tarvex01.qwait = true;
    RunStopped stopped = stop_of([] { choose_input(); });
    EXPECT_EQ(stopped.exit_code, kExitUsage);
    EXPECT_EQ(stopped.text, "*** Wait mode needs an INPUT on the command line: it names the output ***");

    // "-auto" with a flight-plans folder has no plan to convert.
    tarvex01.qwait = false;
    tarvex01.qauto = true;
    set_command_line({"tarvex", "-nogui", "-auto"});
    tarvex_c.inifile = "C:\\Tarvex\\Tarvex.ini";
    tarvex_c.defpath = "C:\\Plans";
    stopped = stop_of([] { choose_input(); });
    EXPECT_EQ(stopped.exit_code, kExitUsage);
    EXPECT_EQ(stopped.text, "*** C:\\Tarvex\\Tarvex.ini : \"Flightplans path\" names no flight plan (.fpl) for -auto "
                            "to convert, and no INPUT is given ***");
    EXPECT_EQ(zenity.runs(), 0);

    // The settings file's "AutoLoad=1" alone asks, as a folder needs.
    set_command_line({"tarvex", "-nogui"});
    zenity.answer(1, "", 1);
    choose_input();
    EXPECT_GE(zenity.runs(), 1);
}

TEST_F(InputChoice, ConsoleModeOpensNoDialog) {
    ZenityStub zenity;
    cmndta001.qline = true;
    tarvex_c.defpath = "C:\\Plans";
    choose_input();
    EXPECT_EQ(zenity.runs(), 0);
    EXPECT_EQ(tarvex_c.infile, "");
    cmndta001.qfr = true;
    const RunStopped stopped = stop_of([] { check_input(); });
    EXPECT_EQ(stopped.text, "*** Aucun fichier \xE0 lire ***");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(InputChoice, WithTheFormsTheConversionFormChooses) {
    tarvex01.qgui = true;
    tarvex_c.defpath = "C:\\Plans";
    {
        tarvex_test::FakeForms forms;
        std::string shown;
        forms.on_conversion = [&shown] {
            shown = tarvex_c.infile;
            tarvex_c.infile = "C:\\Plans\\Race1.fpl";
        };
        choose_input();
        EXPECT_EQ(forms.conversions, 1);
        // The form opened in the flight-plans folder and chose the input.
        EXPECT_EQ(shown, "C:\\Plans\\");
        EXPECT_EQ(tarvex_c.infile, "C:\\Plans\\Race1.fpl");
        check_input();
    }

    // Without a form window the run ends: told, logged, exit code 3.
    tarvex_c.infile.clear();
    const RunStopped stopped = stop_of([] { choose_input(); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 1);
    EXPECT_EQ(boxes[0].text, tarvex_test::kNoFormWindow);
    EXPECT_TRUE(logged(tarvex_test::kNoFormWindow));

    cmndta001.qfr = true;
    cmndta001.qline = true;
    CapturedStdout out;
    stop_of([] { choose_input(); });
    EXPECT_NE(out.finish().find("La fen\xEAtre du formulaire ne peut pas \xEAtre ouverte ; lancez Tarvex avec -nogui"),
              std::string::npos);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(InputChoice, InputTypes) {
    for (const char* name : {"C:\\Plans\\Race1.fpl", "C:\\Plans\\RACE1.FPL", "task.Cup", "plan.fpl.txt"}) {
        tarvex_c.infile = name;
        check_input();
    }
    tarvex_c.infile = "C:\\Plans\\notes.txt";
    const RunStopped stopped = stop_of([] { check_input(); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "*** C:\\Plans\\notes.txt : not a Condor flight plan (.fpl) or a SeeYou task (.cup) ***");
    EXPECT_TRUE(logged("notes.txt : not a Condor flight plan"));

    // In wait mode the named input only has to be there.
    tarvex01.qwait = true;
    check_input();
}

class WaitMode : public DriverTest {
protected:
    explicit WaitMode(const FakePrefixOptions& options = {}) : prefix(options) {
        check_condor_install("");
        get_active_condor_version();
    }
    FakeWinePrefix prefix;
};

class WaitModeCondor3 : public WaitMode {
protected:
    static FakePrefixOptions condor3_only() {
        FakePrefixOptions options;
        options.condor2.reset();
        return options;
    }
    WaitModeCondor3() : WaitMode(condor3_only()) {}
};

TEST_F(WaitModeCondor3, ConvertsThePlanCondorRewrites) {
    const std::int64_t start = 1'700'000'000;
    const std::string plan = prefix.flight_plan(3);
    prefix.add_file(plan, "old");
    prefix.set_modification_time(plan, start - 600);
    FakeWaitClock clock(start);
    clock.on_sleep = [&](int sleeps) {
        if (sleeps == 3) {
            prefix.add_file(plan, "new");
            prefix.set_modification_time(plan, start + 6);
        }
    };
    tarvex_c.infile = "named.fpl";
    wait_for_input(start);
    EXPECT_EQ(tarvex_c.infile, prefix.pilot_dir(3) + "\\Flightplan.fpl");
    ASSERT_FALSE(clock.slept_ms().empty());
    EXPECT_EQ(clock.slept_ms().back(), 4000);
    EXPECT_EQ(clock.slept_ms().size(), 5u);
    EXPECT_EQ(inst00.condor_version, 3);
}

TEST_F(WaitModeCondor3, TwelveHoursWithoutAPlanEndTheRun) {
    const std::int64_t start = 1'700'000'000;
    FakeWaitClock clock(start);
    const RunStopped stopped = stop_of([&] { wait_for_input(start); });
    EXPECT_EQ(stopped.exit_code, kExitWaitTimedOut);
}

TEST_F(WaitMode, BothVersionsTheFirstRewrittenWins) {
    const std::int64_t start = 1'700'000'000;
    const std::string plan2 = prefix.flight_plan(2);
    const std::string plan3 = prefix.flight_plan(3);
    prefix.add_file(plan2, "old");
    prefix.add_file(plan3, "old");
    prefix.set_modification_time(plan2, start - 600);
    prefix.set_modification_time(plan3, start - 60);
    ASSERT_EQ(inst00.condor_version, 3);
    FakeWaitClock clock(start);
    clock.on_sleep = [&](int sleeps) {
        if (sleeps == 2) {
            prefix.set_modification_time(plan2, start + 4);
        }
    };
    wait_for_input(start);
    EXPECT_EQ(tarvex_c.infile, prefix.pilot_dir(2) + "\\Flightplan.fpl");
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_EQ(inst00.pilot_path, inst00.pilpath2);
    EXPECT_EQ(inst00.cndrinstpath, inst00.instpath2);
    EXPECT_EQ(inst00.cndrrootpath, inst00.rootpath2);
    EXPECT_EQ(clock.slept_ms().back(), 4000);

    // Condor 3 rewritten first.
    prefix.set_modification_time(plan2, start - 600);
    const int sleeps_before = static_cast<int>(clock.slept_ms().size());
    clock.on_sleep = [&](int sleeps) {
        if (sleeps == sleeps_before + 2) {
            prefix.set_modification_time(plan3, clock.now());
        }
    };
    const std::int64_t second = clock.now();
    wait_for_input(second);
    EXPECT_EQ(tarvex_c.infile, prefix.pilot_dir(3) + "\\Flightplan.fpl");
    EXPECT_EQ(inst00.condor_version, 3);
    EXPECT_EQ(inst00.cndrinstpath, inst00.instpath3);
}

}  // namespace
