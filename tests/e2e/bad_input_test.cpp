// Conversions that cannot be done: each ends with its message and its exit
// code, and leaves what was written before it.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/temp_dir.h"
#include "support/terrain_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>

using namespace tarvex_test;

namespace {

// A text of an input replaced by another, converted for a target, and the
// refusal told.
struct ChangeRefused {
    std::string target;
    std::string from;
    std::string to;
    std::string told;
};

class BadInput : public ::testing::Test {
protected:
    // A file `name` of the program folder made from the demo file `source`
    // (of demo/) with texts replaced.
    std::string demo_file_with(const std::string& name, const std::string& source,
                               const std::vector<std::pair<std::string, std::string>>& changes) {
        std::string text = demo_text(demo_source_folder(), source);
        for (const auto& [from, to] : changes) {
            const std::size_t at = text.find(from);
            EXPECT_NE(at, std::string::npos) << from;
            if (at != std::string::npos) {
                text.replace(at, from.size(), to);
            }
        }
        const std::string path = install.demo().program_folder + "\\" + name;
        install.prefix().add_file(path, text);
        return path;
    }
    // A plan made from the Condor 3 demo plan with one text replaced.
    std::string plan_with(const std::string& name, const std::string& from, const std::string& to) {
        return demo_file_with(name, "flightplans/DemoRace3.fpl", {{from, to}});
    }
    RunOutcome convert(const std::vector<std::string>& options, const std::string& plan) {
        std::vector<std::string> args{"-nogui", "-line"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(plan);
        return install.run(args);
    }
    // The message of a failed run: on the console (error output and standard
    // output) and in the log.
    void expect_told(const RunOutcome& outcome, const std::string& line) {
        EXPECT_TRUE(HasLine(outcome.out, line));
        EXPECT_TRUE(HasLine(outcome.err, line));
        EXPECT_TRUE(HasLine(install.log(), line));
    }
    // Each plan C:\Tarvex\<base>.fpl made from the demo plan with a text
    // replaced is refused for its target, told, and nothing is written.
    void expect_plans_refused(const std::vector<ChangeRefused>& cases, const std::string& base) {
        for (const ChangeRefused& c : cases) {
            SCOPED_TRACE(c.to);
            const RunOutcome outcome = convert({c.target}, plan_with(base + ".fpl", c.from, c.to));
            EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
            expect_told(outcome, "*** C:\\Tarvex\\" + base + ".fpl : " + c.told + " ***");
            EXPECT_TRUE(no_output_of(base));
        }
    }
    // No task file of any target for the plan C:\Tarvex\<base>.fpl, and no airspace.
    ::testing::AssertionResult no_output_of(const std::string& base) const {
        for (const std::string& file :
             {"C:\\XCSoarData\\Tasks\\" + base + ".tsk", "C:\\LK8000\\_Tasks\\" + base + ".lkt",
              "C:\\SeeYou\\Tasks\\" + base + ".cup", "C:\\Tarvex\\" + base + ".json",
              std::string("C:\\XCSoarData\\CondorAirspace.txt")}) {
            if (std::filesystem::exists(install.host(file))) {
                return ::testing::AssertionFailure() << file << " written";
            }
        }
        return ::testing::AssertionSuccess();
    }
    // A SeeYou task made from the demo task with texts replaced, and its
    // conversion, the terrain chosen in the dialog.
    std::string task_with(const std::string& name, const std::vector<std::pair<std::string, std::string>>& changes) {
        return demo_file_with(name, "flightplans/DemoTask.cup", changes);
    }
    RunOutcome convert_task(const std::string& target, const std::string& task) {
        return install.run({"-nogui", "-line", target, task},
                           "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n");
    }
    // No output of any target for the SeeYou task C:\Tarvex\<base>.cup, its
    // Condor plan included.
    ::testing::AssertionResult no_task_output_of(const std::string& base) const {
        const std::string plan = install.demo().condor3_plan;
        const std::string condor_plan = plan.substr(0, plan.rfind('\\') + 1) + base + ".fpl";
        if (std::filesystem::exists(install.host(condor_plan))) {
            return ::testing::AssertionFailure() << condor_plan << " written";
        }
        return no_output_of(base);
    }
    bool nothing_written() const {
        return !std::filesystem::exists(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")) &&
               !std::filesystem::exists(install.host("C:\\XCSoarData\\CondorAirspace.txt"));
    }

    TarvexInstall install;
};

TEST_F(BadInput, MissingPlan) {
    const RunOutcome outcome = convert({}, "C:\\Plans\\Nowhere.fpl");
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "*** C:\\Plans\\Nowhere.fpl : cannot be opened ***");
    // Without the console mode the message is a box; the reason still goes to
    // the error output, in the language of the messages.
    const RunOutcome french = install.run({"-nogui", "-fr", "C:\\Plans\\Nowhere.fpl"}, "\n");
    EXPECT_TRUE(ExitedWith(french, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(french.err, "*** C:\\Plans\\Nowhere.fpl : ouverture impossible ***"));
}

TEST_F(BadInput, InputOfAnotherType) {
    install.prefix().add_file("C:\\Tarvex\\notes.txt", "a text\r\n");
    const RunOutcome outcome = convert({}, "C:\\Tarvex\\notes.txt");
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "*** C:\\Tarvex\\notes.txt : not a Condor flight plan (.fpl) or a SeeYou task (.cup) ***");
}

TEST_F(BadInput, TruncatedPlan) {
    const std::string plan = plan_with("Short.fpl", "TPName3=", "");
    // Cut the file after the third turnpoint's name.
    std::string text = TempDir::read(install.host(plan));
    install.prefix().add_file(plan, text.substr(0, text.find("TPPosX3=")));
    const RunOutcome outcome = convert({}, plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "*** C:\\Tarvex\\Short.fpl : unexpected end of file ***");
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\Short.tsk")));
}

TEST_F(BadInput, EmptyOrBinaryPlan) {
    std::string binary = "\x7F" "ELF\x02\x01\x01";
    binary += std::string(9, '\0');
    for (int b = 0; b < 300; ++b) {
        binary += static_cast<char>(b % 256);
    }
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"Empty.fpl", ""}, {"Binary.fpl", binary}}) {
        SCOPED_TRACE(name);
        install.prefix().add_file("C:\\Tarvex\\" + name, bytes);
        const RunOutcome outcome = convert({}, "C:\\Tarvex\\" + name);
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        expect_told(outcome, "*** C:\\Tarvex\\" + name + " : flight plan cannot be read, no landscape ***");
        // Not taken for a plan of a landscape without a name.
        EXPECT_TRUE(HasNoLineContaining(outcome.out, ".trn"));
        EXPECT_TRUE(HasNoLineContaining(install.log(), "File not found"));
        EXPECT_TRUE(nothing_written());
    }
}

TEST_F(BadInput, MoreThanThirtyTurnpoints) {
    const RunOutcome outcome = convert({}, plan_with("Long.fpl", "Count=6", "Count=32"));
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.out, "Count=32 : a task holds at most 30 turnpoints"));
    EXPECT_TRUE(HasLine(install.log(), "Count=32 : a task holds at most 30 turnpoints"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\Long.tsk")));
    // The limit is the same for every target, and named without one.
    const RunOutcome lk8000 = convert({"-lk8"}, plan_with("Long.fpl", "Count=6", "Count=32"));
    EXPECT_TRUE(ExitedWith(lk8000, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(lk8000.out, "Count=32 : a task holds at most 30 turnpoints"));
    EXPECT_TRUE(HasNoLineContaining(lk8000.out, "XCSoar does not support"));
}

TEST_F(BadInput, PlanWithoutATask) {
    for (const std::string count : {"Count=0", "Count=1"}) {
        SCOPED_TRACE(count);
        const RunOutcome outcome = convert({}, plan_with("NoTask.fpl", "Count=6", count));
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        expect_told(outcome, "*** C:\\Tarvex\\NoTask.fpl : no task found ***");
        EXPECT_TRUE(HasNoLineContaining(outcome.out, "Task written to"));
        EXPECT_TRUE(no_output_of("NoTask"));
    }
}

// No arithmetic on a value of the plan can trap (the program runs with the
// floating-point traps on): a penalty-zone height no airspace file can hold is
// refused, named by its key, for every target that writes the zones.
TEST_F(BadInput, PenaltyZoneValuesOutOfRange) {
    const std::vector<ChangeRefused> cases = {
        {"-xcs", "PZTop0=2000", "PZTop0=1.04e38", "PZTop0 out of range (-3000 - 30000 m)"},
        {"-lk8", "PZBase1=1000", "PZBase1=-1.04e38", "PZBase1 out of range (-3000 - 30000 m)"},
        {"-cup", "PZTop1=3000", "PZTop1=30001", "PZTop1 out of range (-3000 - 30000 m)"},
        {"-json", "PZPenaltyTimeFactor1=2", "PZPenaltyTimeFactor1=1e9", "PZPenaltyTimeFactor1 out of range (0 - 9999)"},
    };
    expect_plans_refused(cases, "Zones");
    // The highest top a penalty zone can have converts.
    const RunOutcome outcome = convert({}, plan_with("Zones.fpl", "PZTop0=2000", "PZTop0=30000"));
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(TempDir::read(install.host("C:\\XCSoarData\\CondorAirspace.txt")), "AH 98425F AMSL"));
}

// A turnpoint value that no task file has room for, or that means nothing,
// refuses the plan, named by its key, before anything is written: each of
// these would have given a field of "*" or an absurd number.
TEST_F(BadInput, TurnpointValuesOutOfRange) {
    // Lure's zone, a classic sector, and the same as a window.
    const std::string lure_zone = "TPSectorType2=0\r\nTPRadius2=3000\r\nTPAngle2=90\r\nTPAltitude2=1500";
    const std::string lure_window = "TPSectorType2=1\r\nTPRadius2=3000\r\nTPAngle2=90\r\nTPAltitude2=";
    const std::vector<ChangeRefused> cases = {
        {"-lk8", "TPRadius2=3000", "TPRadius2=2000000000", "TPRadius2 out of range (0 - 1000000 m)"},
        {"-xcs", "TPWidth2=0", "TPWidth2=1e12", "TPWidth2 out of range (0 - 30000 m)"},
        {"-lk8", "TPHeight2=10000", "TPHeight2=-1e12", "TPHeight2 out of range (0 - 18000 m)"},
        {"-cup", "TPPosZ2=1826", "TPPosZ2=1e9", "TPPosZ2 out of range (-500 - 10000 m)"},
        {"-xcs", lure_zone, lure_window + "1e9", "TPAltitude2 out of range (-500 - 30000 m)"},
        {"-cup", "TPAngle2=90", "TPAngle2=-1", "TPAngle2 out of range (0 - 360 \xB0)"},
    };
    for (const ChangeRefused& c : cases) {
        SCOPED_TRACE(c.to);
        const RunOutcome outcome = convert({c.target}, plan_with("Points.fpl", c.from, c.to));
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        // The log keeps cp1252; the console and the error output are UTF-8.
        EXPECT_TRUE(HasLine(install.log(), "*** C:\\Tarvex\\Points.fpl : " + c.told + " ***"));
        const std::string shown = c.told.substr(0, c.told.find('\xB0'));
        EXPECT_TRUE(HasLineContaining(outcome.out, "*** C:\\Tarvex\\Points.fpl : " + shown));
        EXPECT_TRUE(HasLineContaining(outcome.err, "*** C:\\Tarvex\\Points.fpl : " + shown));
        EXPECT_TRUE(no_output_of("Points"));
    }
    // A window at the ends of the ranges converts, and its limits fit the
    // XCSoar name and comment: -500 m -/+ 9000 m.
    const std::string plan = plan_with("Points.fpl", lure_zone + "\r\nTPWidth2=0\r\nTPHeight2=10000",
                                       lure_window + "-500\r\nTPWidth2=30000\r\nTPHeight2=18000");
    RunOutcome outcome = convert({}, plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install.host("C:\\XCSoarData\\Tasks\\Points.tsk")),
                                  "comment=\"Condor window : alt. limits=-9500-8500\" id=\"0\" "
                                  "name=\"Lure [-95-85]\""));
    // What Condor 3 writes in the takeoff's angle is no angle (the takeoff
    // has no zone); an angle past a full turn is read modulo a turn.
    outcome = convert({"-cup"}, demo_file_with("Turns.fpl", "flightplans/DemoRace3.fpl",
                                              {{"TPAngle0=360", "TPAngle0=26972"}, {"TPAngle2=90", "TPAngle2=450"}}));
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install.host("C:\\SeeYou\\Tasks\\Turns.cup")),
                                  "ObsZone=1,Style=1,R1=3000m,A1=45"));
}

// A value a writer takes that the plan gives as no number, and a penalty
// zone the plan counts without giving it, refuse the plan, named by the key.
TEST_F(BadInput, ValuesThatAreNoNumbers) {
    const std::vector<ChangeRefused> cases = {
        {"-xcs", "TPPosX2=55773.15", "TPPosX2=abc", "TPPosX2=abc : not a number"},
        {"-lk8", "TPPosX2=55773.15", "TPPosX2=", "TPPosX2= : not a number"},
        {"-cup", "TPPosZ2=1826", "TPPosZ2=nan", "TPPosZ2=nan : not a number"},
        {"-json", "PZPos0X0=44244.74", "PZPos0X0=inf", "PZPos0X0=inf : not a number"},
        {"-xcs", "PZCount=2", "PZCount=3", "PZPos0X2 missing (PZCount=3)"},
    };
    expect_plans_refused(cases, "Words");
}

// A position with no real latitude and longitude is refused, naming the
// point, before any writer gets it.
TEST_F(BadInput, PositionsOffTheEarth) {
    const std::string plan = demo_text(demo_source_folder(), "flightplans/DemoRace3.fpl");
    struct Case {
        std::string target;
        std::string x_key;
        std::string y_key;
        std::string value;
        std::string point;
    };
    const std::vector<Case> cases = {
        {"-xcs", "TPPosX2=", "TPPosY2=", "1e10", "turnpoint 2 (Lure)"},
        {"-json", "TPPosX2=", "TPPosY2=", "1e10", "turnpoint 2 (Lure)"},
        {"-cup", "TPPosX2=", "TPPosY2=", "3.4e38", "turnpoint 2 (Lure)"},
        {"-lk8", "TPPosX2=", "TPPosY2=", "9.5e6", "turnpoint 2 (Lure)"},
        {"-xcs", "PZPos2X1=", "PZPos2Y1=", "1e10", "penalty zone PZ#01, corner 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target + " " + c.x_key + c.value);
        std::string text = plan;
        for (const std::string& key : {c.x_key, c.y_key}) {
            const std::size_t at = text.find("\n" + key) + 1;
            text.replace(at, text.find('\r', at) - at, key + c.value);
        }
        install.prefix().add_file("C:\\Tarvex\\Far.fpl", text);
        const RunOutcome outcome = convert({c.target}, "C:\\Tarvex\\Far.fpl");
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        const std::string told = "*** C:\\Tarvex\\Far.fpl : " + c.point + " : not a position on the earth";
        EXPECT_TRUE(HasLineContaining(outcome.out, told));
        EXPECT_TRUE(HasLineContaining(outcome.err, told));
        EXPECT_TRUE(HasLineContaining(install.log(), told));
        EXPECT_TRUE(HasNoLineContaining(outcome.out, "Task written to"));
        EXPECT_TRUE(no_output_of("Far"));
    }
    // A SeeYou task's point at latitude 99 (9959.000N), its terrain chosen in the dialog.
    std::string task = demo_text(demo_source_folder(), "flightplans/DemoTask.cup");
    const std::size_t at = task.find("4401.764N");
    ASSERT_NE(at, std::string::npos);
    task.replace(at, 9, "9959.000N");
    install.prefix().add_file("C:\\Tarvex\\Far.cup", task);
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", "C:\\Tarvex\\Far.cup"},
                                           "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n");
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLineContaining(outcome.err, "*** C:\\Tarvex\\Far.cup : task point 1 (Les Mees) : not a position"));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\LK8000\\_Tasks\\Far.lkt")));
}

// A SeeYou task's zone value or waypoint elevation that no task file has
// room for refuses the task, named by its line, for every target: each of
// these would have given a field of "*", an absurd number or (an angle of
// 3e38 in the JSON export) a floating-point trap.
TEST_F(BadInput, SeeYouTaskValuesOutOfRange) {
    const std::vector<ChangeRefused> cases = {
        {"-lk8", "ObsZone=1,Style=1,R1=3000m", "ObsZone=1,Style=1,R1=1e30m",
         "ObsZone=1 R1 out of range (0 - 1000000 m)"},
        {"-json", "ObsZone=1,Style=1,R1=3000m,A1=180", "ObsZone=1,Style=1,R1=3000m,A1=3e38",
         "ObsZone=1 A1 out of range (0 - 180 "},
        {"-json", "R2=500m", "R2=1e30m", "ObsZone=2 R2 out of range (0 - 1000000 m)"},
        {"-lk8", "R2=500m,A2=180", "R2=500m,A2=1e30", "ObsZone=2 A2 out of range (0 - 180 "},
        {"-xcs", "ObsZone=1,Style=1,R1=3000m,A1=180", "ObsZone=1,Style=1,R1=3000m,A1=180,MaxAlt=1e30m",
         "ObsZone=1 MaxAlt out of range (0 - 18000 m)"},
        {"-cup", "00558.584E,410.0m", "00558.584E,1e30m",
         "task point 1 (Les Mees) elevation out of range (-500 - 10000 m)"},
    };
    for (const ChangeRefused& c : cases) {
        SCOPED_TRACE(c.to);
        const RunOutcome outcome = convert_task(c.target, task_with("Zones.cup", {{c.from, c.to}}));
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        const std::string told = "*** C:\\Tarvex\\Zones.cup : " + c.told;
        EXPECT_TRUE(HasLineContaining(outcome.out, told));
        EXPECT_TRUE(HasLineContaining(outcome.err, told));
        EXPECT_TRUE(HasLineContaining(install.log(), told));
        EXPECT_TRUE(no_task_output_of("Zones"));
    }
    // The landing's zone is never converted, so none of its values counts.
    const std::string finish_zone = "ObsZone=3,Style=3,R1=3000m,A1=180";
    const RunOutcome outcome =
        convert_task("-lk8", task_with("Zones.cup", {{finish_zone, finish_zone + "\r\nObsZone=4,R1=1e30m"}}));
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
}

// A SeeYou task point's zone that no ObsZone line gives, that does not read
// or that has no radius refuses the task, named by its point or its line and
// key, where a zone of radius 0 was written.
TEST_F(BadInput, SeeYouTaskZonesThatCannotBeConverted) {
    const std::vector<ChangeRefused> cases = {
        {"-lk8", "ObsZone=1,Style=1,R1=3000m,A1=180", "", "task point 2 (Forcalquier) : no ObsZone line"},
        {"-cup", "ObsZone=1,Style=1,R1=3000m", "ObsZone=1,Style=1,R1=abc", "ObsZone=1 R1=abc cannot be read"},
        {"-xcs", "ObsZone=2,Style=1,R1=10000m,", "ObsZone=2,Style=1,", "ObsZone=2 R1 : a zone of radius 0"},
        {"-json", "ObsZone=3,Style=3,R1=3000m,A1=180", "ObsZone=3,Style=3,R1=3000m,A1=wide",
         "ObsZone=3 A1=wide cannot be read"},
        {"-lk8", "ObsZone=3,", "ObsZone=three,", "ObsZone=three cannot be read"},
    };
    for (const ChangeRefused& c : cases) {
        SCOPED_TRACE(c.to);
        const RunOutcome outcome = convert_task(c.target, task_with("Zones.cup", {{c.from, c.to}}));
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        const std::string told = "*** C:\\Tarvex\\Zones.cup : " + c.told + " ***";
        EXPECT_TRUE(HasLine(outcome.err, told));
        EXPECT_TRUE(HasLine(install.log(), told));
        EXPECT_TRUE(no_task_output_of("Zones"));
    }
}

// A SeeYou task of 30 points from the start to the finish converts whole; one
// of more is refused before anything is written, as a plan of more is.
TEST_F(BadInput, SeeYouTaskOfMoreThanThirtyTurnpoints) {
    // The points from the start to the finish: Les Mees and Moustiers in
    // turn, then the demo's finish, Saint-Auban.
    const auto long_task = [this](int points) {
        std::string names;
        std::string zones;
        for (int n = 0; n < points; ++n) {
            names += n + 1 == points ? "" : n % 2 == 0 ? ",\"Les Mees\"" : ",\"Moustiers\"";
            zones += "ObsZone=" + std::to_string(n) + ",Style=1,R1=3000m,A1=180\r\n";
        }
        return task_with("Long.cup", {{",\"Les Mees\",\"Forcalquier\",\"Moustiers\"", names},
                                      {"ObsZone=0,Style=2,R1=2500m,A1=180,Line=1", zones}});
    };
    RunOutcome outcome = convert_task("-lk8", long_task(30));
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install.host("C:\\LK8000\\_Tasks\\Long.lkt")),
                                  "<point idx=\"29\" name=\"Saint-Auban\""));  // the finish
    std::filesystem::remove(install.host("C:\\LK8000\\_Tasks\\Long.lkt"));
    outcome = convert_task("-xcs", long_task(31));
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, "31 points from the start to the finish : a task holds at most 30 turnpoints"));
    EXPECT_TRUE(no_task_output_of("Long"));
}

// A SeeYou task point the conversion would write without a position ("???",
// or a name not among the file's waypoints) refuses the task, named, where
// it was written at latitude 0, longitude 0 or cut the task short there. A
// takeoff "???" takes the landscape's airport nearest to the start; without
// one it is refused too, but where no takeoff is written (the JSON export).
TEST_F(BadInput, SeeYouTaskPointsWithoutAPosition) {
    const std::string demo_points = "\"Demo task\",\"Saint-Auban\",\"Les Mees\",\"Forcalquier\"";
    using Case = std::tuple<std::string, std::string, std::string>;
    // "(??\?)" is "(???)" written so that it holds no trigraph.
    for (const auto& [target, points, told] :
         {Case{"-lk8", "\"Demo task\",\"Saint-Auban\",\"Les Mees\",\"???\"", "task point 2 (??\?)"},
          Case{"-cup", "\"Demo task\",\"Saint-Auban\",\"Les Mees\",\"Forcalkier\"", "task point 2 (Forcalkier)"},
          Case{"-json", "\"Demo task\",\"Saint-Auban\",\"???\",\"Forcalquier\"", "task point 1 (??\?)"}}) {
        SCOPED_TRACE(points);
        const RunOutcome outcome = convert_task(target, task_with("Nowhere.cup", {{demo_points, points}}));
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        const std::string line =
            "*** C:\\Tarvex\\Nowhere.cup : " + told + " : no waypoint of the file gives its position ***";
        EXPECT_TRUE(HasLine(outcome.out, line));
        EXPECT_TRUE(HasLine(outcome.err, line));
        EXPECT_TRUE(HasLine(install.log(), line));
        EXPECT_TRUE(no_task_output_of("Nowhere"));
    }
    // A landing not among the waypoints is never converted.
    const std::string last_points = "\"Moustiers\",\"Saint-Auban\",\"Saint-Auban\"";
    const std::string home = task_with("Home.cup", {{last_points, "\"Moustiers\",\"Saint-Auban\",\"Home\""}});
    RunOutcome outcome = convert_task("-cup", home);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(TempDir::read(install.host("C:\\SeeYou\\Tasks\\Home.cup")),
                        "\"Circuit\",\"Saint-Auban\",\"Les Mees\",\"Forcalquier\",\"Moustiers\",\"Saint-Auban\","
                        "\"???\""));
    // A takeoff "???" becomes the landscape's airport nearest to the start.
    const std::string takeoff =
        task_with("Takeoff.cup", {{demo_points, "\"Demo task\",\"???\",\"Les Mees\",\"Forcalquier\""}});
    outcome = convert_task("-cup", takeoff);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string written = TempDir::read(install.host("C:\\SeeYou\\Tasks\\Takeoff.cup"));
    EXPECT_TRUE(HasNoLineContaining(written, "0000.000N"));
    EXPECT_TRUE(HasNoLineContaining(written, "\"???\",\"Les Mees\""));
    // Without an airport in the landscape it has no position.
    install.prefix().add_file("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.apt", "");
    std::filesystem::remove(install.host("C:\\SeeYou\\Tasks\\Takeoff.cup"));
    outcome = convert_task("-cup", takeoff);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, "*** C:\\Tarvex\\Takeoff.cup : task point 0 (??\?) : no waypoint of the file "
                                     "gives its position ***"));
    EXPECT_TRUE(no_task_output_of("Takeoff"));
    outcome = convert_task("-json", takeoff);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    // A task of a takeoff and a landing alone has no point to convert.
    const std::string alone = "\"Demo task\",\"Saint-Auban\",\"Les Mees\"";
    outcome = convert_task("-lk8", task_with("Alone.cup", {{demo_points + "," + last_points, alone}}));
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.err, "*** C:\\Tarvex\\Alone.cup : no task found ***"));
    EXPECT_TRUE(no_task_output_of("Alone"));
}

TEST_F(BadInput, PlanOfAVersionNotInstalled) {
    FakePrefixOptions only_condor3;
    only_condor3.condor2.reset();
    TarvexInstall condor3(only_condor3);
    const std::string plan = "C:\\Plans\\DemoRace2.fpl";
    condor3.prefix().add_file(plan, demo_text(demo_source_folder(), "flightplans/DemoRace2.fpl"));
    const RunOutcome outcome = condor3.run({"-nogui", "-line", plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    const std::string text = "*** Flight plan version = 2 - Condor 2 installation not found ***";
    EXPECT_TRUE(HasLine(outcome.out, text));
    EXPECT_TRUE(HasLine(outcome.err, text));
    EXPECT_TRUE(HasLine(condor3.log(), text));
    // The version comes before the plan's values: a Condor 1 plan whose
    // takeoff holds what Condor 1 writes there.
    const RunOutcome condor1 = convert({}, demo_file_with("Condor1.fpl", "flightplans/DemoRace3.fpl",
                                                         {{"Condor version=3000", "Condor version=1150"},
                                                          {"TPAngle0=360", "TPAngle0=8105"}}));
    EXPECT_TRUE(ExitedWith(condor1, exit_code::conversion_failed));
    expect_told(condor1, "*** Flight plan version = 1 - Condor 1 installation not found ***");
    EXPECT_TRUE(HasNoLineContaining(condor1.err, "TPAngle"));
}

TEST_F(BadInput, MissingTerrainHeader) {
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn";
    install.prefix().remove(terrain);
    const RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.out, terrain));
    EXPECT_TRUE(HasLine(outcome.out, "*** File not found ***"));
    EXPECT_TRUE(HasLine(install.log(), "*** File not found ***"));
    EXPECT_TRUE(nothing_written());
}

TEST_F(BadInput, TerrainHeaderGivingNoFrame) {
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn";
    const std::string header = TempDir::read(install.host(terrain));
    // The zone byte, then the hemisphere letter: neither gives a frame; nor a
    // signalling NaN as the column step, which no comparison may touch.
    using namespace std::string_view_literals;
    // An origin outside the UTM ranges (finite but absurd) puts every point
    // off the earth: refused as a bad zone is.
    const std::string far = le_bytes(1.0e38f);
    for (const auto& [offset, value] : {std::pair{28, "\x63"sv}, std::pair{28, "\0"sv}, std::pair{32, "X"sv},
                                        std::pair{12, "\0\0\xa0\x7f"sv}, std::pair{20, std::string_view(far)},
                                        std::pair{24, std::string_view(far)}}) {
        std::string bad = header;
        bad.replace(static_cast<std::size_t>(offset), value.size(), value);
        install.prefix().add_file(terrain, bad);
        const RunOutcome outcome = convert({}, install.demo().condor3_plan);
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        expect_told(outcome, terrain);
        expect_told(outcome, "*** Impossible to initialize coordinates conversion ***");
        EXPECT_TRUE(nothing_written());
    }
}

// A SeeYou task's terrain is chosen in a dialog (answered on standard input):
// a grid header whose first value is a signalling NaN gives no frame either.
TEST_F(BadInput, GridHeaderWithASignallingNan) {
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.dem";
    install.prefix().add_file(terrain, le_bytes(0u) + le_bytes(0x7FF40000u) + dem_bytes(DemHeader{}).substr(8));
    const RunOutcome outcome = install.run({"-nogui", "-line", install.demo().seeyou_task}, terrain + "\n");
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "*** Impossible to initialize coordinates conversion ***");
}

TEST_F(BadInput, WaypointCheckWithoutAirports) {
    const std::string airports = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.apt";
    install.prefix().remove(airports);
    // Without the check the airports are not needed.
    RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    outcome = convert({"-chkwp"}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "*** " + airports + " : Error ***");
}

TEST_F(BadInput, FinishMinimumBelowTheGround) {
    // The finish, Sisteron, lies at 540 m.
    RunOutcome outcome = convert({"-fma:539"}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "Finish Min Altitude (539) below ground elevation (540)");
    EXPECT_TRUE(nothing_written());
    outcome = convert({"-fma:540"}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "Finish minimum altitude = 540 m"));
}

TEST_F(BadInput, NegativeAirspaceMargin) {
    install.set_setting("Airspace_margin", "-50");
    const RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    expect_told(outcome, "*** File C:\\Tarvex\\Tarvex.ini : Airspace_margin=-50 : the margin cannot be negative ***");
    EXPECT_TRUE(nothing_written());
}

TEST_F(BadInput, PathsLongerThanThePathFields) {
    // A plan whose path is as long as a path field holds, and one a character
    // longer (a Condor 2 plan: a Condor 3 one has its airspace list written
    // beside it, under a longer name).
    const std::string folder = "C:\\Plans\\" + std::string(120, 'a') + "\\";
    const std::string longest = folder + std::string(112, 'b') + "\\DemoRace2.fpl";
    const std::string too_long = folder + std::string(113, 'b') + "\\DemoRace2.fpl";
    ASSERT_EQ(longest.size(), 256u);
    for (const std::string& path : {longest, too_long}) {
        install.prefix().add_file(path, demo_text(demo_source_folder(), "flightplans/DemoRace2.fpl"));
    }
    const std::filesystem::path task = install.host(install.demo().xcsoar_tasks + "\\DemoRace2.tsk");
    const std::string refusal = too_long + " : path too long (at most 256 characters)";
    // On the command line, a usage error; in the settings file, a configuration error.
    RunOutcome outcome = convert({}, too_long);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::usage));
    expect_told(outcome, "*** " + refusal + " ***");
    EXPECT_TRUE(FileIsMissing(task));
    const std::string settings = install.settings();
    install.set_setting("Flightplans path", too_long);
    outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    expect_told(outcome, "*** File C:\\Tarvex\\Tarvex.ini : Flightplans path=" + refusal + " ***");
    EXPECT_TRUE(nothing_written());
    // The longest path converts.
    install.prefix().add_file(install.demo().settings_file, settings);
    outcome = convert({}, longest);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(std::filesystem::exists(task));
}

TEST_F(BadInput, MissingOutputFolder) {
    install.set_setting("XCsoar Destination Path", "C:\\Nowhere\\Tasks");
    const RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    EXPECT_TRUE(HasLine(outcome.out, "Error writing:"));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\Nowhere\\Tasks\\DemoRace3.tsk"));
    EXPECT_TRUE(HasLine(install.log(), "C:\\Nowhere\\Tasks\\DemoRace3.tsk"));
    // Reported before the airspace and the profile are touched.
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "Penalty zones written to"));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\Nowhere")));
    EXPECT_TRUE(FileIsMissing(install.host("C:\\XCSoarData\\Condor.prf")));
}

TEST_F(BadInput, MissingPostRunScript) {
    install.set_setting("Post run script", "C:\\Scripts\\after.sh");
    const RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::script_failed));
    expect_told(outcome, "C:\\Scripts\\after.sh");
    expect_told(outcome, "File not found");
    // The converted files stand.
    const std::string task = TempDir::read(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk"));
    EXPECT_TRUE(HasLineContaining(task, "Lure"));
}

TEST_F(BadInput, PostRunScriptThatFails) {
    const std::filesystem::path script = install.prefix().add_file("C:\\Scripts\\after.sh", "#!/bin/sh\nexit 7\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    install.set_setting("Post run script", "C:\\Scripts\\after.sh");
    RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::script_failed));
    expect_told(outcome, "Execution error (exit code 7)");
    // A script that ends well leaves the result as it is.
    install.prefix().add_file("C:\\Scripts\\after.sh", "#!/bin/sh\necho script ran > ran.txt\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "Task written to :"));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\Tarvex\\ran.txt"), "script ran\n"));
}

TEST_F(BadInput, PostRunScriptThatCannotStart) {
    // A file without the execute permission, and a Windows batch file: each
    // says why it did not run; the converted files stand, exit code 5.
    const std::filesystem::path plain = install.prefix().add_file("C:\\Scripts\\after.sh", "#!/bin/sh\n");
    std::filesystem::permissions(plain, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const std::filesystem::path batch = install.prefix().add_file("C:\\Scripts\\After.Bat", "@echo off\r\n");
    std::filesystem::permissions(batch, std::filesystem::perms::owner_all);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\Scripts\\after.sh", "Execution error: not executable"},
        {"C:\\Scripts\\After.Bat", "Execution error: a Windows batch file cannot run here"},
    };
    for (const auto& [script, why] : cases) {
        install.set_setting("Post run script", script);
        const RunOutcome outcome = convert({}, install.demo().condor3_plan);
        EXPECT_TRUE(ExitedWith(outcome, exit_code::script_failed)) << script;
        expect_told(outcome, script);
        expect_told(outcome, why);
        EXPECT_TRUE(std::filesystem::exists(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")));
    }
}

TEST_F(BadInput, TaskRulesBeyondTheirRanges) {
    // A plan's own AAT time (Condor 3: hours) or start speed that no task
    // file has room for refuses the plan, naming its key; nothing is written.
    std::string plan = plan_with("LongAat.fpl", "AATTime=0\r\nAAT=0", "AATTime=100000000\r\nAAT=1");
    RunOutcome outcome = convert({}, plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    // Told in the plan's unit: Condor 3 gives hours.
    expect_told(outcome, "*** " + plan + " : AATTime out of range (0 - 24 h) ***");
    plan = plan_with("Fast.fpl", "MaxStartGroundSpeed=170", "MaxStartGroundSpeed=1000000000");
    outcome = convert({"-fr"}, plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    expect_told(outcome, "*** " + plan + " : MaxStartGroundSpeed hors limites (0 - 300 km/h) ***");
    EXPECT_TRUE(nothing_written());
    // The settings file's start speed and margin are held to the same ranges.
    using Setting = std::tuple<std::string, std::string, std::string>;
    for (const auto& [key, value, range] :
         {Setting{"Start max speed", "301", "0 - 300 km/h"}, Setting{"Start height margin", "10000000", "0 - 10000 m"}}) {
        TarvexInstall other;
        other.set_setting(key, value);
        outcome = other.run({"-nogui", "-line", other.demo().condor3_plan});
        EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration)) << key;
        const std::string told =
            "*** File C:\\Tarvex\\Tarvex.ini : " + key + "=" + value + " : out of range (" + range + ") ***";
        EXPECT_TRUE(HasLine(outcome.out, told));
        EXPECT_TRUE(HasLine(outcome.err, told));
    }
}

TEST_F(BadInput, AirspaceListWithoutItsFile) {
    const RunOutcome outcome = convert({"-listAS"}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
    // Looked for before anything is written, and told where.
    EXPECT_TRUE(HasLine(outcome.err, "*** -listAS : CroppedAirspaceSorted.txt not found in C:\\Tarvex ***"));
    EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")));
}

// An arc whose centre is typed in the wrong hemisphere would be thousands of
// kilometres long: its zone is dropped alone, told with its line, and every
// other zone is converted.
TEST_F(BadInput, AnArcThatCannotBeDrawnLosesOnlyItsZone) {
    std::string air = demo_text(demo_source_folder(), "landscape/DemoProvence.air");
    const std::string centre = "V X=43:50:00 N 006:05:00 E";
    const std::size_t at = air.find(centre);
    ASSERT_NE(at, std::string::npos);
    air.replace(at, centre.size(), "V X=43:50:00 S 006:05:00 E");
    install.prefix().add_file("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.air", air);
    const RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "Airspace file: number missing or out of range, line ignored:"));
    EXPECT_TRUE(HasLine(outcome.out, "DB 43:50:00 N 006:15:00 E, 43:50:00 N 005:55:00 E"));
    EXPECT_TRUE(HasNoLineContaining(outcome.out, "airspaces were processed"));
    const std::string written = TempDir::read(install.host("C:\\XCSoarData\\CondorAirspace.txt"));
    for (const char* kept : {"AN DEMO R1 LURE", "AN DEMO CTR SAINT-AUBAN", "AN DEMO P CADARACHE", "AN PZ#00 -    1 pts/min",
                             "AN PZ#01 -    2 pts/min"}) {
        EXPECT_TRUE(HasLine(written, kept));
    }
    EXPECT_TRUE(HasNoLineContaining(written, "TMA PROVENCE"));
    EXPECT_TRUE(HasNoLineContaining(written, "V X=43:50:00 S"));
}

TEST_F(BadInput, Condor3PlanWhoseAirspaceCannotBeRead) {
    // The file of an earlier run holds the landscape's zones and the penalty zones.
    ASSERT_TRUE(ExitedWith(convert({}, install.demo().condor3_plan), exit_code::success));
    const std::string airspace = "C:\\XCSoarData\\CondorAirspace.txt";
    ASSERT_TRUE(HasLine(TempDir::read(install.host(airspace)), "AC C"));
    install.prefix().remove("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.air");
    const RunOutcome outcome = convert({}, install.demo().condor3_plan);
    EXPECT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.air"));
    EXPECT_TRUE(HasLine(outcome.out, "Airspace file : error opening"));
    // Started anew: the notice header and this plan's penalty zones, each
    // once, no zone of the landscape; told and copied as any airspace output.
    const std::string written = TempDir::read(install.host(airspace));
    EXPECT_TRUE(written.starts_with(std::string(71, '*') + "\r\n"));
    EXPECT_TRUE(HasNoLineContaining(written, "DEMO"));
    EXPECT_EQ(written.find("AN PZ#00"), written.rfind("AN PZ#00"));
    EXPECT_EQ(written.find("AN PZ#01"), written.rfind("AN PZ#01"));
    EXPECT_NE(written.find("AN PZ#01"), std::string::npos);
    EXPECT_TRUE(HasLine(outcome.out, "Penalty zones written to :"));
    EXPECT_TRUE(HasLine(outcome.out, airspace));
    EXPECT_TRUE(FileHasBytes(install.host("C:\\XCSoarData\\Condor-PZ.txt"), written));
    EXPECT_TRUE(HasLine(outcome.out, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk"));
}

}  // namespace
