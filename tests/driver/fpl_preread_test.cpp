#include "driver/fpl_preread.h"

#include "driver_fixture.h"
#include "taskfiles/landscape_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarvex_test::crlf;
using tarvex_test::DriverTest;

namespace {

class FplPreread : public DriverTest {
protected:
    // A plan of the given Condor version with an AAT time and a start speed
    // ("" leaves the key out).
    std::string plan(int version, const std::string& aat_time, const std::string& speed) {
        std::vector<std::string> lines = {"[Version]", "Condor version=" + std::to_string(version), "[Task]",
                                          "Count=3"};
        if (!aat_time.empty()) {
            lines.push_back("AATTime=" + aat_time);
        }
        if (!speed.empty()) {
            lines.push_back("MaxStartGroundSpeed=" + speed);
        }
        return write("plan.fpl", crlf(lines));
    }
    void task_points(int count) {
        rd_fpl_0.nb_wp = count;
        for (int n = 0; n < 31; ++n) {
            rd_fpl_1.tpsec[static_cast<std::size_t>(n)] = 0;
            rd_fpl_1.tprad[static_cast<std::size_t>(n)] = 500;
        }
    }
};

TEST_F(FplPreread, Condor2PlanTakesWhatTheCommandLineAdds) {
    tarvex01.qaat_arg = true;
    tarvex01.t_aat_arg = 120.0f;
    tarvex01.start_max_speed_arg = 150;
    int nl = 0;
    EXPECT_LE(read_fpl_1(plan(2200, "0", ""), nl), 0);
    EXPECT_GT(nl, 0);
    EXPECT_EQ(rd_fpl_0.nvcnd, 2);
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 120.0f);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 150);

    // What the plan gives stays.
    EXPECT_LE(read_fpl_1(plan(2200, "90", "170")), 0);
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 90.0f);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 170);

    // Without command-line values nothing is forced.
    tarvex01.qaat_arg = false;
    tarvex01.t_aat_arg = 0.0f;
    tarvex01.start_max_speed_arg = 0;
    reset_task_model();
    read_fpl_1(plan(2200, "", ""));
    EXPECT_FALSE(rd_fpl_6.qaat);
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 0.0f);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 0);
}

TEST_F(FplPreread, Condor3AatTimeInMinutes) {
    tarvex01.t_aat_arg = 30.0f;
    read_fpl_1(plan(3000, "1.5", ""));
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 90.0f);
    read_fpl_1(plan(3000, "2.0083", ""));
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 120.0f);
    read_fpl_1(plan(3000, "0.0083", ""));
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 0.0f);
    // A time beyond any task does not overflow.
    read_fpl_1(plan(3000, "3e38", ""));
    EXPECT_GT(rd_fpl_6.t_aat, 1e37f);

    // Condor 1 plans are left as read.
    read_fpl_1(plan(1150, "1.5", ""));
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 1.5f);
}

TEST_F(FplPreread, PlanThatCannotBeOpened) {
    rd_fpl_0.nb_wp = 7;
    EXPECT_GT(read_fpl_1(program_folder() + "missing.fpl"), 0);
    EXPECT_EQ(rd_fpl_0.nb_wp, 7);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 1);
    EXPECT_EQ(boxes[0].text, "*** " + program_folder() + "missing.fpl : cannot be opened ***");
    EXPECT_TRUE(logged("missing.fpl : cannot be opened ***"));

    cmndta001.qfr = true;
    cmndta001.qline = true;
    boxes.clear();
    EXPECT_GT(read_fpl_1("missing.fpl   "), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(logged("*** missing.fpl : ouverture impossible ***"));
}

// The conversion form takes a SeeYou task as the command line does.
TEST_F(FplPreread, SeeYouTaskThatCannotBeConverted) {
    rd_cup_0.nb_cup = 2;
    rd_cup_0.nb_cup_listed = 3;
    rd_cup_1.cupzone[1] = true;
    rd_cup_1.cuprad[1][1] = 500.0f;
    EXPECT_EQ(input_fault(true, 0), InputFault::none);
    // The takeoff and the landing alone.
    rd_cup_0.nb_cup = 1;
    EXPECT_EQ(input_fault(true, 0), InputFault::no_task);
    rd_cup_0.nb_cup = 2;
    rd_cup_1.cuprad[1][1] = 1.0e30f;
    EXPECT_EQ(input_fault(true, 0), InputFault::value_out_of_range);
    EXPECT_EQ(input_fault(true, 1), InputFault::read_error);
}

TEST_F(FplPreread, DetectAat) {
    task_points(5);
    EXPECT_FALSE(detect_aat());
    // The finish counts; the start does not.
    rd_fpl_1.tprad[4] = 5000;
    EXPECT_TRUE(detect_aat());
    rd_fpl_1.tprad[4] = 4999;
    EXPECT_FALSE(detect_aat());
    rd_fpl_1.tprad[1] = 20000;
    EXPECT_FALSE(detect_aat());
    rd_fpl_1.tprad[2] = 5000;
    EXPECT_TRUE(detect_aat());
    // A window of that size is no area.
    rd_fpl_1.tpsec[2] = 1;
    EXPECT_FALSE(detect_aat());
    // Counts beyond the table stay inside it.
    task_points(200);
    rd_fpl_1.tprad[30] = 6000;
    EXPECT_TRUE(detect_aat());
    task_points(-3);
    EXPECT_FALSE(detect_aat());
}

TEST_F(FplPreread, DisplayUnits) {
    tarvex01.nunit = 3;
    define_units();
    EXPECT_EQ(tarvex01.nunitalt, 1);
    EXPECT_FLOAT_EQ(tarvex01.fmulalt, 3.28084f);
    EXPECT_FLOAT_EQ(tarvex01.fmulspd, 0.5399568f);
    EXPECT_EQ(tarvex_c.cunitalt, "ft");
    EXPECT_EQ(tarvex_c.cunitspd, "kt");

    tarvex01.nunit = 2;
    define_units();
    EXPECT_EQ(tarvex01.nunitalt, 0);
    EXPECT_FLOAT_EQ(tarvex01.fmulalt, 1.0f);
    EXPECT_FLOAT_EQ(tarvex01.fmulspd, 1.0f);
    EXPECT_EQ(tarvex_c.cunitalt, "m");
    EXPECT_EQ(tarvex_c.cunitspd, "km\\/h");

    // As Condor is set: the pilot's Setup.ini.
    tarvex01.nunit = 1;
    inst00.pilot_path = program_folder() + "Pilot";
    write("Pilot/Setup.ini", crlf({"[Options]", "Units=1"}));
    define_units();
    EXPECT_EQ(tarvex_c.cunitalt, "ft");
    EXPECT_EQ(tarvex_c.cunitspd, "kt");
    write("Pilot/Setup.ini", crlf({"[Options]", "Units=0"}));
    define_units();
    EXPECT_EQ(tarvex_c.cunitalt, "m");

    // A missing file, or one without "Units", after an imperial setting: metric.
    write("Pilot/Setup.ini", crlf({"[Options]", "Units=1"}));
    define_units();
    write("Pilot/Setup.ini", crlf({"[Options]", "AltimeterSetting=1"}));
    define_units();
    EXPECT_EQ(tarvex_c.cunitalt, "m");
    define_units();
    inst00.pilot_path = program_folder() + "Nobody";
    define_units();
    EXPECT_EQ(tarvex01.nunitalt, 0);
    EXPECT_EQ(tarvex_c.cunitspd, "km\\/h");
}

TEST_F(FplPreread, RootNames) {
    tarvex_c.xcsoar_tasks = "C:\\XCSoarData\\Tasks";
    tarvex_c.lk8000_tasks = "D:\\LK8000\\_Tasks\\Race";
    tarvex_c.seeyou_tasks = "E:\\SeeYou";
    get_root_names();
    EXPECT_EQ(tarvex_c.xcsoar_root, "C:\\XCSoarData");
    EXPECT_EQ(tarvex_c.lk8000_root, "D:\\LK8000");
    EXPECT_EQ(tarvex_c.seeyou_root, "E:\\SeeYou");

    tarvex_c.xcsoar_tasks = "C:\\XCSoarData\\TaskFolder\\x";
    tarvex_c.lk8000_tasks = "\\_Tasks";
    tarvex_c.seeyou_tasks = "E:\\seeyou\\tasks";
    get_root_names();
    EXPECT_EQ(tarvex_c.xcsoar_root, "C:\\XCSoarData");
    EXPECT_EQ(tarvex_c.lk8000_root, "");
    // The markers are found in any letter case, as Windows names folders.
    EXPECT_EQ(tarvex_c.seeyou_root, "E:\\seeyou");

    // A destination naming a task file: the root of the file's folder.
    tarvex_c.xcsoar_tasks = "c:\\xcsoardata\\tasks\\Mine.tsk";
    tarvex_c.lk8000_tasks = "D:\\LK8000\\_TASKS\\Mine.lkt";
    tarvex_c.seeyou_tasks = "E:\\SeeYou\\Mine.cup";
    get_root_names();
    EXPECT_EQ(tarvex_c.xcsoar_root, "c:\\xcsoardata");
    EXPECT_EQ(tarvex_c.lk8000_root, "D:\\LK8000");
    EXPECT_EQ(tarvex_c.seeyou_root, "E:\\SeeYou");
}

}  // namespace
