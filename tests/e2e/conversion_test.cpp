// Conversions of the demo's plans and SeeYou task by the real program, for
// every target, from the command line in console mode.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace tarvex_test;

namespace {

// The airspace file of the Condor 2 demo plan: the notice header naming the
// plan, then its one penalty zone.
std::string condor2_airspace(const std::string& plan) {
    const std::string stars(71, '*');
    const std::string blank = "***" + std::string(65, ' ') + "***";
    const auto framed = [](const std::string& text) {
        return "*** " + text + std::string(64 - text.size(), ' ') + "***";
    };
    const std::vector<std::string> lines = {
        stars, blank, framed("CONDOR AIRSPACE AND PENALTY ZONES"), blank, framed("NOT TO BE USED FOR REAL-LIFE FLYING"),
        framed("PLEASE DO NOT REMOVE THIS NOTICE"), blank, stars, blank,
        framed("This file has been created for Condor flight plan:"), framed(plan), blank, stars,
        stars, blank, framed("CONDOR PENALTY ZONES"), blank, stars, "",
        "*** Penalty Zone #00 - Penalty =   1 pts/min", "", "AC P", "AN PZ#00 -    1 pts/min", "AL     0F AMSL",
        "AH  4921F AMSL", "DP 43:54:00 N 005:40:48 E", "DP 43:54:00 N 005:44:24 E", "DP 43:51:36 N 005:44:24 E",
        "DP 43:51:36 N 005:40:48 E"};
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class Conversion : public ::testing::Test {
protected:
    std::string read(const std::string& windows_path) const { return TempDir::read(install.host(windows_path)); }
    std::string host_plan(const std::string& windows_path) const { return install.host(windows_path).string(); }

    TarvexInstall install;
    const DemoSetup& demo = install.demo();
};

TEST_F(Conversion, XcsoarFromACondor2PlanWithPenaltyZones) {
    const RunOutcome outcome = install.run({"-nogui", "-line", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    for (const std::string& text : {outcome.out, install.log()}) {
        EXPECT_TRUE(HasLine(text, "DemoRace2.fpl"));
        EXPECT_TRUE(HasLine(text, "DemoProvence"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Tasks\\DemoRace2.tsk"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Tasks\\Condor.tsk"));
        EXPECT_TRUE(HasLine(text, "Penalty zones written to :"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\CondorAirspace.txt"));
        EXPECT_TRUE(HasLine(text, "C:\\XCSoarData\\Condor-PZ.txt"));
    }
    const std::string task = read(demo.xcsoar_tasks + "\\DemoRace2.tsk");
    EXPECT_TRUE(HasLineContaining(task, "name=\"Riez\""));
    EXPECT_TRUE(HasLineContaining(task, "type=\"RT\""));
    EXPECT_TRUE(FileHasBytes(install.host(demo.xcsoar_tasks + "\\Condor.tsk"), task));
    // A Condor 2 plan brings no landscape airspace: the header and the zone.
    const std::string airspace = condor2_airspace(demo.condor2_plan);
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\CondorAirspace.txt"), airspace));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor-PZ.txt"), airspace));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Default.tsk")));
    // The summary box is a console line here.
    EXPECT_TRUE(HasLine(outcome.out, "Start maximum altitude = 2000 m"));
}

TEST_F(Conversion, XcsoarWithDefaultFiles) {
    install.set_setting("Write Default Files", "1");
    const RunOutcome outcome = install.run({"-nogui", "-line", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Default.tsk"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "C:\\XCSoarData\\Tasks\\Condor.tsk"));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Default.tsk"), read(demo.xcsoar_tasks + "\\DemoRace2.tsk")));
    EXPECT_TRUE(FileIsMissing(install.host(demo.xcsoar_tasks + "\\Condor.tsk")));
    EXPECT_TRUE(
        FileHasBytes(install.host("C:\\XCSoarData\\Condor-PZ.txt"), read("C:\\XCSoarData\\CondorAirspace.txt")));
}

TEST_F(Conversion, OutputNamedCondorIsNotCopied) {
    const RunOutcome outcome =
        install.run({"-nogui", "-line", host_plan(demo.condor2_plan), "C:\\XCSoarData\\Tasks\\Condor.tsk"});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\Condor.tsk"));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\CondorAirspace.txt"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Condor-PZ.txt"));
    EXPECT_TRUE(HasLineContaining(read(demo.xcsoar_tasks + "\\Condor.tsk"), "name=\"Riez\""));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Condor-PZ.txt")));
    EXPECT_TRUE(FileIsMissing(install.host(demo.xcsoar_tasks + "\\DemoRace2.tsk")));
}

TEST_F(Conversion, XcsoarProfileKeepsItsBackup) {
    const std::string old_profile = "MapFile=\"%LOCAL_PATH%\\Other.xcm\"\r\nPilotName=\"Me\"\r\n";
    install.prefix().add_file("C:\\XCSoarData\\Condor.prf", old_profile);
    const RunOutcome outcome = install.run({"-nogui", "-line", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "Profile written to:"));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Condor.prf"));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor.prf.bak"), old_profile));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor.prf"),
                             "MapFile=\"%LOCAL_PATH%\\DemoProvence.xcm\"\r\nPilotName=\"Me\"\r\n"));
}

TEST_F(Conversion, AatTimeOnACondor2Plan) {
    const RunOutcome outcome = install.run({"-nogui", "-line", "-aat:120", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    // The name says AAT once the plan is read as one.
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\DemoRace2-AAT.tsk"));
    EXPECT_TRUE(HasLine(outcome.out, "AAT = 120 min"));
    const std::string task = read(demo.xcsoar_tasks + "\\DemoRace2-AAT.tsk");
    EXPECT_TRUE(HasLineContaining(task, "aat_min_time=\"7200\" type=\"AAT\""));
    EXPECT_TRUE(FileHasBytes(install.host(demo.xcsoar_tasks + "\\Condor.tsk"), task));
    // Every inner area is a cylinder: no warning.
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "some areas are not circular"));
}

TEST_F(Conversion, AnAatTimeBeyondADayIsIgnored) {
    // As "-fma:" and "-mxspd:" ignore a value outside their range: the AAT
    // switch without a time, so no AAT, and no number too wide for its field.
    RunOutcome outcome = install.run({"-nogui", "-line", "-aat:1000000000", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    std::string task = read(demo.xcsoar_tasks + "\\DemoRace2.tsk");
    EXPECT_TRUE(HasLineContaining(task, "aat_min_time=\"0\" type=\"RT\""));
    EXPECT_TRUE(HasNoLineContaining(task, "**"));
    EXPECT_TRUE(FileIsMissing(install.host(demo.xcsoar_tasks + "\\DemoRace2-AAT.tsk")));
    outcome = install.run({"-nogui", "-line", "-lk8", "-aat:1000000000", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasNoLineContaining(read("C:\\LK8000\\_Tasks\\DemoRace2.lkt"), "**"));
    // A day is the longest AAT.
    outcome = install.run({"-nogui", "-line", "-aat:1440", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    task = read(demo.xcsoar_tasks + "\\DemoRace2-AAT.tsk");
    EXPECT_TRUE(HasLineContaining(task, "aat_min_time=\"86400\" type=\"AAT\""));
    outcome = install.run({"-nogui", "-line", "-lk8", "-aat:1440", host_plan(demo.condor2_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(read("C:\\LK8000\\_Tasks\\DemoRace2-AAT.lkt"), "length=\"1440\""));
}

TEST_F(Conversion, APlanWithoutItsGliderLeavesThePolarAsItIs) {
    // A plan cut after its task: no [Plane], so no glider and no polar of it.
    std::string text = demo_text(demo_source_folder(), "flightplans/DemoRace3.fpl");
    text.erase(text.find("[Weather]"));
    const std::string plan = demo.program_folder + "\\Cut.fpl";
    install.prefix().add_file(plan, text);
    const std::string profile = "PlanePath=\"%LOCAL_PATH%\\Polars\\Mine.xcp\"\r\nMapFile=\"\"\r\n";
    install.prefix().add_file("C:\\XCSoarData\\Condor.prf", profile);
    RunOutcome outcome = install.run({"-nogui", "-line", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "Cut.fpl names no glider ([Plane] Name)"));
    EXPECT_TRUE(HasLine(outcome.out, "The profile's polar is left as it is"));
    EXPECT_TRUE(HasLineContaining(install.log(), "Cut.fpl names no glider"));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor.prf"),
                             "PlanePath=\"%LOCAL_PATH%\\Polars\\Mine.xcp\"\r\n"
                             "MapFile=\"%LOCAL_PATH%\\DemoProvence.xcm\"\r\n"));
    // LK8000: no aircraft file is written for a glider without a name.
    outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "The aircraft file and its polar are left as they are"));
    for (const auto& entry : std::filesystem::directory_iterator(install.host("C:\\LK8000\\_Configuration"))) {
        EXPECT_NE(entry.path().extension(), ".acf") << entry.path();
    }
    EXPECT_TRUE(HasLineContaining(read("C:\\LK8000\\_Tasks\\Cut.lkt"), "Laragne"));
}

TEST_F(Conversion, Condor3PlanWithAnAirspaceList) {
    install.prefix().add_file(demo.program_folder + "\\CroppedAirspaceSorted.txt", "0\r\n3\r\n");
    const RunOutcome outcome = install.run({"-nogui", "-line", "-listAS", host_plan(demo.condor3_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "Penalty zones written to :"));
    const std::string airspace = read("C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_TRUE(HasLine(airspace, "AN DEMO R1 LURE"));
    EXPECT_TRUE(HasLine(airspace, "AN DEMO TMA PROVENCE"));
    EXPECT_TRUE(HasNoLineContaining(airspace, "SAINT-AUBAN"));
    EXPECT_TRUE(HasNoLineContaining(airspace, "CADARACHE"));
    EXPECT_TRUE(HasLineContaining(airspace, "AN PZ#01"));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor-PZ.txt"), airspace));
    // The airspaces left out are listed beside the plan.
    const std::string list = read(install.prefix().user_root(3) + "FlightPlans\\DemoRace3-AS_DISABLED.txt");
    EXPECT_TRUE(HasLineContaining(list, "1 DEMO CTR SAINT-AUBAN"));
    EXPECT_TRUE(HasLineContaining(list, "2 DEMO P CADARACHE"));
    EXPECT_TRUE(HasNoLineContaining(list, "LURE"));
    EXPECT_TRUE(HasNoLineContaining(list, "TMA PROVENCE"));
}

TEST_F(Conversion, AnAirwayCrossingTheTaskAreaIsKeptByTheCrop) {
    // Two airways 2 km wide across the whole landscape west to east, their
    // points some 120 km beyond its edges: one through the task area, one
    // north of the landscape. Airspace cropping is on, as by default.
    const std::string landscape_air =
        FakeWinePrefix::landscape_dir(3, kDemoLandscape) + "\\" + kDemoLandscape + ".air";
    const std::string airways =
        "\r\n* 6\r\nAC C\r\nAN DEMO AIRWAY ACROSS\r\nAL 5500FT AMSL\r\nAH FL115\r\n"
        "DP 44:09:30 N 003:30:00 E\r\nDP 44:09:30 N 008:00:00 E\r\n"
        "DP 44:10:35 N 008:00:00 E\r\nDP 44:10:35 N 003:30:00 E\r\n"
        "\r\n* 7\r\nAC C\r\nAN DEMO AIRWAY NORTH\r\nAL 5500FT AMSL\r\nAH FL115\r\n"
        "DP 45:30:00 N 003:30:00 E\r\nDP 45:30:00 N 008:00:00 E\r\n"
        "DP 45:31:05 N 008:00:00 E\r\nDP 45:31:05 N 003:30:00 E\r\n";
    install.prefix().add_file(landscape_air, read(landscape_air) + airways);
    const RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", host_plan(demo.condor3_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string airspace = read("C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_TRUE(HasLine(airspace, "AN DEMO AIRWAY ACROSS"));
    EXPECT_TRUE(HasLine(airspace, "DP 44:09:30 N 003:30:00 E"));
    EXPECT_TRUE(HasNoLineContaining(airspace, "AIRWAY NORTH"));
    EXPECT_TRUE(HasLine(airspace, "AN DEMO TMA PROVENCE"));
    const std::string list = read(install.prefix().user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt");
    EXPECT_TRUE(HasLineContaining(list, "     6 DEMO AIRWAY ACROSS (C)"));
    EXPECT_TRUE(HasNoLineContaining(list, "AIRWAY NORTH"));
}

TEST_F(Conversion, Lk8000InItsFolderTree) {
    install.prefix().add_file("C:\\LK8000\\_Polars\\Discus.xcp",
                              "Handicap=\"108\"\r\nDumpTime=\"180\"\r\nMaxSpeed=\"69.4\"\r\n");
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", host_plan(demo.condor3_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    for (const std::string& text : {outcome.out, install.log()}) {
        EXPECT_TRUE(HasLine(text, "C:\\LK8000\\_Tasks\\DemoRace3.lkt"));
        EXPECT_TRUE(HasLine(text, "C:\\LK8000\\_Airspaces\\CondorAirspace.txt"));
        EXPECT_TRUE(HasLine(text, "C:\\LK8000\\_Configuration\\Condor.prf"));
        EXPECT_TRUE(HasLine(text, "C:\\LK8000\\_Polars\\Discus.xcp"));
        EXPECT_TRUE(HasNoLineContaining(text, "Condor.tsk"));
    }
    const std::string task = read("C:\\LK8000\\_Tasks\\DemoRace3.lkt");
    EXPECT_TRUE(HasLineContaining(task, "Laragne"));
    // The rules at the root for current LK8000, inside the options for older ones.
    EXPECT_TRUE(HasLine(task, "        <rules>"));
    EXPECT_TRUE(HasLine(task, "                <rules>"));
    EXPECT_TRUE(HasLineContaining(read("C:\\LK8000\\_Configuration\\Discus.acf"), "108"));
    const std::string profile = read("C:\\LK8000\\_Configuration\\Condor.prf");
    EXPECT_TRUE(HasLineContaining(profile, "CondorAirspace.txt"));
    // The default profile's own lines (metres and km/h, in LK8000's keys) stay.
    EXPECT_TRUE(HasLine(profile, "AltitudeUnits=1"));
    EXPECT_TRUE(HasLine(profile, "SpeedUnits=2"));
    EXPECT_TRUE(HasLine(read("C:\\LK8000\\_Airspaces\\CondorAirspace.txt"), "AN DEMO TMA PROVENCE"));
    // The summary for LK8000's notepad, " knots" for " kt" and no "=".
    EXPECT_TRUE(FileHasBytes(install.host("C:\\LK8000\\_Configuration\\NOTEPAD.txt"),
                             "[warnings]\r\nGate open 30 min\r\nStart maximum speed 170 km/h\r\n"
                             "Start maximum altitude 2500 m\r\nCloud flying penalty 1\r\nRace in 6 min\r\n\r\n"));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\CondorAirspace.txt")));
}

TEST_F(Conversion, SeeYou) {
    const RunOutcome outcome = install.run({"-nogui", "-line", "-cup", host_plan(demo.condor3_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\SeeYou\\Tasks\\DemoRace3.cup"));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\SeeYou\\CondorAirspace.txt"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Profile written to"));
    const std::string task = read("C:\\SeeYou\\Tasks\\DemoRace3.cup");
    EXPECT_TRUE(HasLineContaining(task, "\"Laragne\""));
    EXPECT_TRUE(HasLineContaining(task, "Related Tasks"));
    EXPECT_TRUE(HasLine(read("C:\\SeeYou\\CondorAirspace.txt"), "AN DEMO TMA PROVENCE"));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Condor-PZ.txt")));
}

TEST_F(Conversion, JsonEndsWithItsFile) {
    const RunOutcome outcome = install.run({"-nogui", "-line", "-json", host_plan(demo.condor3_plan)});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string json = read(install.prefix().user_root(3) + "FlightPlans\\DemoRace3.json");
    EXPECT_TRUE(HasLineContaining(json, "\"tasks\""));
    EXPECT_TRUE(HasLineContaining(json, "FF0000"));
    // No message, no airspace, profile or summary.
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Task written to"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Race in ="));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\CondorAirspace.txt")));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Condor.prf")));
}

TEST_F(Conversion, SeeYouTaskToACondorFlightPlan) {
    // The landscape's terrain file is chosen in a dialog, answered on standard input.
    const RunOutcome outcome = install.run({"-nogui", "-line", host_plan(demo.seeyou_task)},
                                           "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n");
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string plan_path = install.prefix().user_root(3) + "FlightPlans\\DemoTask.fpl";
    EXPECT_TRUE(HasLine(outcome.out, "DemoTask.cup"));
    EXPECT_TRUE(HasLine(outcome.out, plan_path));
    const std::string plan = read(plan_path);
    EXPECT_TRUE(HasLine(plan, "Condor version=3000"));
    EXPECT_TRUE(HasLine(plan, "Landscape=DemoProvence"));
    EXPECT_TRUE(HasLine(plan, "TPName0=Saint-Auban"));
    EXPECT_TRUE(HasLine(plan, "TPName3=Moustiers"));
    // No profile and no copies for a SeeYou task.
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Profile written to"));
    EXPECT_TRUE(FileIsMissing(install.host(demo.xcsoar_tasks + "\\Condor.tsk")));
}

// The demo's SeeYou task (takeoff and finish Saint-Auban, start Les Mees,
// turnpoints Forcalquier and Moustiers, then the landing) for LK8000 and for
// SeeYou: every point where the task's file puts it (4401.764N 00558.584E is
// 44.0294 5.9764 ...), the finish included, with the zones of its ObsZone
// lines and the rules of its options line.
TEST_F(Conversion, SeeYouTaskForLk8000AtItsOwnPositions) {
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", host_plan(demo.seeyou_task)},
                                           "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n");
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\LK8000\\_Tasks\\DemoTask.lkt"));
    const std::string task = read("C:\\LK8000\\_Tasks\\DemoTask.lkt");
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"0\" name=\"Les Mees\" type=\"line\" radius=\"2500.00\""));
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"1\" name=\"Forcalquier\" type=\"circle\" radius=\"3000.00\""));
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"2\" name=\"Moustiers\" type=\"circle\" radius=\"500.00\""));
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"3\" name=\"Saint-Auban\" type=\"circle\" radius=\"3000.00\""));
    EXPECT_TRUE(HasNoLineContaining(task, "idx=\"4\""));
    EXPECT_TRUE(HasLineContaining(task, "name=\"Les Mees\" latitude=\"44.029400\" longitude=\"5.976400\" altitude=\"410\""));
    EXPECT_TRUE(HasLineContaining(task, "name=\"Forcalquier\" latitude=\"43.9597"));
    EXPECT_TRUE(HasLineContaining(task, "longitude=\"5.7803"));
    EXPECT_TRUE(HasLineContaining(task, "name=\"Moustiers\" latitude=\"43.844700\" longitude=\"6.221700\""));
    // The finish, an airfield of the task's file, with its own data.
    EXPECT_TRUE(HasLineContaining(task, "name=\"Saint-Auban\" latitude=\"44.059700\" longitude=\"5.991100\" "
                                        "altitude=\"460\" comment=\"Airfield\" flags=\"5\" code=\"STAUB\" "
                                        "format=\"2\" freq=\"122.500\" runwayLen=\"1000\" runwayDir=\"170\" style=\"5\""));
    EXPECT_TRUE(HasNoLineContaining(task, "latitude=\"0.000000\""));
    // The task's rules reach LK8000's notepad; nothing of Condor's race delay.
    EXPECT_TRUE(FileHasBytes(install.host("C:\\LK8000\\_Configuration\\NOTEPAD.txt"),
                             "[warnings]\r\nStart open 12:30:00\r\nTask time 150 min\r\n\r\n"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Race in"));
}

TEST_F(Conversion, SeeYouTaskForSeeYouAtItsOwnPositions) {
    const RunOutcome outcome = install.run({"-nogui", "-line", "-cup", host_plan(demo.seeyou_task)},
                                           "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n");
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\SeeYou\\Tasks\\DemoTask.cup"));
    const std::vector<std::string> expected = {
        "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc,userdata,pics",
        "\"Saint-Auban\",STAUB,FR,4403.582N,00559.466E,460m,5,170,1000,,122.500,Airfield,,",
        "\"Les Mees\",LMEES,FR,4401.764N,00558.584E,410m,1,,,,,Village,,",
        "\"Forcalquier\",FORCA,FR,4357.582N,00546.818E,550m,1,,,,,Town,,",
        "\"Moustiers\",MOUST,FR,4350.682N,00613.302E,631m,1,,,,,Village,,",
        "-----Related Tasks-----",
        "\"Circuit\",\"Saint-Auban\",\"Les Mees\",\"Forcalquier\",\"Moustiers\",\"Saint-Auban\",\"???\"",
        "Options,NoStart=12:30:00,TaskTime=02:30:00,WpDis=False,NearAlt=100m",
        "ObsZone=0,Style=2,R1=2500m,A1=90,Line=1",
        "ObsZone=1,Style=1,R1=3000m,A1=180",
        "ObsZone=2,Style=1,R1=500m,A1=180",
        "ObsZone=3,Style=3,R1=3000m,A1=180",
    };
    std::string bytes;
    for (const std::string& line : expected) {
        bytes += line + "\r\n";
    }
    EXPECT_TRUE(FileHasBytes(install.host("C:\\SeeYou\\Tasks\\DemoTask.cup"), bytes));
    // The summary box, a console line here.
    EXPECT_TRUE(HasLine(outcome.out, "Task time = 150 min"));
}

// SeeYou writes its tasks in UTF-8 (here with a byte-order mark), zone radii
// in km, and a sector of fixed direction as "Style=0" with its "A12": the
// names reach each target in its own encoding, the sector keeps its
// direction, a character cp1252 lacks becomes "?" with a warning; a landing
// it was not given is "".
TEST_F(Conversion, SeeYouTaskAsSeeYouWritesIt) {
    std::string task = demo_text(demo_source_folder(), "flightplans/DemoTask.cup");
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"Forcalquier", "Forcalquier \xC3\x89t\xC3\xA9"},
                                   {"\"Oraison\"", "\"Oraison\xC4\x81\""},
                                   {"ObsZone=1,Style=1,R1=3000m,A1=180", "ObsZone=1,Style=0,R1=3km,A1=45,A12=400"},
                                   {"\"Moustiers\",\"Saint-Auban\",\"Saint-Auban\"", "\"Moustiers\",\"Saint-Auban\",\"\""}}) {
        for (std::size_t at = task.find(from); at != std::string::npos; at = task.find(from, at + to.size())) {
            task.replace(at, from.size(), to);
        }
    }
    const std::string path = demo.program_folder + "\\Utf8.cup";
    install.prefix().add_file(path, "\xEF\xBB\xBF" + task);
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n";

    RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", path}, terrain);
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(install.log(), "A character code page 1252 lacks (U+0101) became \"?\" in: Oraison?"));
    EXPECT_TRUE(HasNoLineContaining(install.log(), "not found"));  // the landing "" names no waypoint
    EXPECT_TRUE(HasLineContaining(read("C:\\LK8000\\_Tasks\\Utf8.lkt"),
                                  "<point idx=\"1\" name=\"Forcalquier \xC3\x89t\xC3\xA9\" type=\"sector\" "
                                  "start-radial=\"355.000000\" end-radial=\"85.000000\" radius=\"3000.00\""));

    outcome = install.run({"-nogui", "-line", "-cup", path}, terrain);
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string written = read("C:\\SeeYou\\Tasks\\Utf8.cup");
    EXPECT_TRUE(HasLine(written, "\"Forcalquier \xC9t\xE9\",FORCA,FR,4357.582N,00546.818E,550m,1,,,,,Town,,"));
    EXPECT_TRUE(HasLine(written, "ObsZone=1,Style=0,R1=3000m,A1=45,A12=40"));
}

// The plan's template is looked for in the current folder: run from another
// folder, the run names the template as missing (not the plan as unwritten),
// in either language, and ends as a failed conversion.
TEST_F(Conversion, SeeYouTaskRunFromAFolderWithoutTheTemplate) {
    install.folder = install.host("C:\\users");
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n";
    const std::string plan_path = install.prefix().user_root(3) + "FlightPlans\\DemoTask.fpl";
    // The message's first line on the console (UTF-8) and in the log (cp1252).
    struct Language {
        std::string option;
        std::string console_heading;
        std::string log_heading;
    };
    for (const Language& language :
         {Language{"-en", "Template flight plan missing:", "Template flight plan missing:"},
          Language{"-fr", "Plan de vol mod\xC3\xA8le manquant :", "Plan de vol mod\xE8le manquant :"}}) {
        SCOPED_TRACE(language.option);
        const RunOutcome outcome =
            install.run({"-nogui", "-line", language.option, host_plan(demo.seeyou_task)}, terrain);
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        EXPECT_TRUE(HasLine(outcome.out, language.console_heading));
        EXPECT_TRUE(HasLine(install.log(), language.log_heading));
        for (const std::string& text : {outcome.out, install.log()}) {
            EXPECT_TRUE(HasLine(text, "C:\\users\\Template_V3.fpl"));
            EXPECT_TRUE(HasNoLineContaining(text, "criture"));
            EXPECT_TRUE(HasNoLineContaining(text, "Error writing"));
        }
        EXPECT_TRUE(FileIsMissing(install.host(plan_path)));
    }
}

TEST_F(Conversion, SeeYouTaskWithoutATerrainFile) {
    const RunOutcome outcome = install.run({"-nogui", "-line", host_plan(demo.seeyou_task)});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.out, "*** File not found ***"));
    EXPECT_TRUE(FileIsMissing(install.host(install.prefix().user_root(3) + "FlightPlans\\DemoTask.fpl")));
}

TEST(FirstRun, ConvertsOnceTheFoldersAreAnswered) {
    const TarvexInstall install(FakePrefixOptions{}, without_settings_file());
    const DemoSetup& demo = install.demo();
    const std::string answers = demo.xcsoar_tasks + "\n" + demo.lk8000_tasks + "\n" + demo.seeyou_tasks + "\n";
    const RunOutcome outcome = install.run({"-nogui", "-line", install.host(demo.condor3_plan).string()}, answers);
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "File C:\\Tarvex\\Tarvex.ini was successfully created or updated"));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install.host(demo.settings_file)),
                                  "XCsoar Destination Path=C:\\XCSoarData\\Tasks"));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk"));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install.host(demo.xcsoar_tasks + "\\DemoRace3.tsk")), "Lure"));
}

}  // namespace
