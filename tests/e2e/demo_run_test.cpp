// The demo command's conversion: the Condor 3 demo plan converted for XCSoar
// from the command line, as scripts/demo.sh runs it.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvex_test;

TEST(DemoRun, Condor3PlanForXcsoar) {
    const TarvexInstall install;
    const DemoSetup& demo = install.demo();
    const RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", install.host(demo.condor3_plan).string()});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));

    // The result message, on the console and in the log.
    for (const std::string& text : {outcome.out, install.log()}) {
        EXPECT_TRUE(HasLine(text, "Task written to :"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Tasks\\Condor.tsk"));
        EXPECT_TRUE(HasLine(text, "Penalty zones written to :"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\CondorAirspace.txt"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Condor-PZ.txt"));
        EXPECT_TRUE(HasLine(text, "Profile written to:"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Condor.prf"));
        EXPECT_TRUE(HasLine(text, "Polars\\Discus.xcp"));
    }
    // The task summary (Task warnings=1), in metric units as Condor's pilot settings say.
    EXPECT_TRUE(HasLine(outcome.out, "Gate open = 30 min"));
    EXPECT_TRUE(HasLine(outcome.out, "Start maximum speed = 170 km/h"));
    EXPECT_TRUE(HasLine(outcome.out, "Start maximum altitude = 2500 m"));
    EXPECT_TRUE(HasLine(outcome.out, "Cloud flying penalty = 1"));
    EXPECT_TRUE(HasLine(outcome.out, "Race in = 6 min"));

    // The task and its copy under the name XCSoar loads.
    const std::string task = TempDir::read(install.host(demo.xcsoar_tasks + "\\DemoRace3.tsk"));
    EXPECT_TRUE(HasLineContaining(task, "Laragne"));
    EXPECT_TRUE(HasLineContaining(task, "Valensole"));
    EXPECT_TRUE(FileHasBytes(install.host(demo.xcsoar_tasks + "\\Condor.tsk"), task));
    // The landscape's airspace cropped to the task, with the penalty zones, and its copy.
    const std::string airspace = TempDir::read(install.host("C:\\XCSoarData\\CondorAirspace.txt"));
    EXPECT_TRUE(HasLine(airspace, "AN DEMO TMA PROVENCE"));
    EXPECT_TRUE(HasNoLineContaining(airspace, "DEMO Q VALENSOLE"));  // disabled by the plan
    EXPECT_TRUE(HasLine(airspace, "AC P"));
    EXPECT_TRUE(HasLineContaining(airspace, "AN PZ"));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor-PZ.txt"), airspace));
    // The airspaces kept, listed beside the plan.
    const std::string list =
        TempDir::read(install.host(install.prefix().user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt"));
    EXPECT_TRUE(HasLineContaining(list, "DEMO R1 LURE (R) : GND - FL65"));
    EXPECT_TRUE(HasNoLineContaining(list, "DEMO GP DIGNE"));
    // The profile, made from XCSoar's default profile (metres and km/h in its
    // own unit keys and values): only its five lines set.
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor.prf"),
                             "AirspaceFile=\"%LOCAL_PATH%\\CondorAirspace.txt\"\r\n"
                             "AltitudeUnit=\"9\"\r\n"
                             "MapFile=\"%LOCAL_PATH%\\DemoProvence.xcm\"\r\n"
                             "PlanePath=\"%LOCAL_PATH%\\Polars\\Discus.xcp\"\r\n"
                             "SpeedUnit=\"4\"\r\n"
                             "StartMaxSpeed=\"47.222\"\r\n"
                             "TaskSpeedUnit=\"4\"\r\n"
                             "WPFile=\"%LOCAL_PATH%\\DemoProvence.cup\"\r\n"));
    // The settings file was current: not rewritten.
    EXPECT_TRUE(FileIsMissing(install.host(demo.program_folder + "\\Tarvex_0000.ini")));
}
