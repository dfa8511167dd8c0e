#include "driver/task_summary_text.h"

#include "driver_fixture.h"
#include "foundation/option_records.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <string>

using tarvex_test::DriverTest;

namespace {

class SummaryText : public DriverTest {
protected:
    // A task of `count` points, every zone classic without limits.
    void task(int count) {
        rd_fpl_0.nb_wp = count;
        for (std::size_t n = 0; n < 31; ++n) {
            rd_fpl_1.tpsec[n] = 0;
            rd_fpl_1.tpwid[n] = 0.0f;
            rd_fpl_1.tphei[n] = 10000.0f;
            rd_fpl_2.tpnam[n] = "Point" + std::to_string(n);
        }
    }
    static void imperial() {
        tarvex01.fmulalt = 3.28084f;
        tarvex01.fmulspd = 0.5399568f;
        tarvex_c.cunitalt = "ft";
        tarvex_c.cunitspd = "kt";
    }
};

TEST_F(SummaryText, RegattaStartGivesOnlyTheRaceLine) {
    task(4);
    EXPECT_EQ(task_summary_text(), "Regatta start\nRace in = 0 min\n");
    rd_fpl_6.racestartdelay = 0.1f;
    rd_fpl_6.starttimewindow = 0.5f;
    EXPECT_EQ(task_summary_text(), "Gate open = 30 min\nRace in = 6 min\n");
    cmndta001.qfr = true;
    rd_fpl_6.starttimewindow = 0.0f;
    EXPECT_EQ(task_summary_text(), "D\xE9part r\xE9gate\nRace in = 6 min\n");
}

// A SeeYou task tells its own start opening and task time, and nothing of
// Condor's gate window and race start delay.
TEST_F(SummaryText, ASeeYouTaskTellsItsStartOpeningAndTaskTime) {
    task(4);
    tarvex01.qcup_in = true;
    rd_fpl_6.nostart = 45000;
    rd_fpl_6.tasktime = 9030;
    EXPECT_EQ(task_summary_text(), "Start open = 12:30:00\nTask time = 151 min\n");
    cmndta001.qfr = true;
    EXPECT_EQ(task_summary_text(), "Ouverture du d\xE9part = 12:30:00\nDur\xE9" "e du circuit = 151 min\n");
    // "00:00:00", as SeeYou writes a time not set, tells nothing.
    cmndta001.qfr = false;
    rd_fpl_6.nostart = 0;
    rd_fpl_6.tasktime = 0;
    rd_fpl_6.start_max_speed = 150;
    EXPECT_EQ(task_summary_text(), "Start maximum speed = 150 km\\/h\n");
}

TEST_F(SummaryText, AatSpeedAndCloudPenalty) {
    task(4);
    rd_fpl_6.qaat = true;
    rd_fpl_6.t_aat = 119.5f;
    rd_fpl_6.start_max_speed = 170;
    rd_fpl_6.penaltycloudflying() = 2;
    EXPECT_EQ(task_summary_text(),
              "AAT = 120 min\nRegatta start\nStart maximum speed = 170 km\\/h\nCloud flying penalty = 2\n"
              "Race in = 0 min\n");
    // A penalty below 1 is not shown.
    rd_fpl_6.penaltycloudflying() = 0;
    rd_fpl_6.qaat = false;
    EXPECT_EQ(task_summary_text(), "Regatta start\nStart maximum speed = 170 km\\/h\nRace in = 0 min\n");
}

TEST_F(SummaryText, NoLimitStartsAtTenThousandMetres) {
    task(4);
    rd_fpl_1.tphei[1] = 10000.0f;
    EXPECT_EQ(task_summary_text().find("Start maximum"), std::string::npos);
    rd_fpl_1.tphei[1] = 9999.0f;
    rd_fpl_1.tpwid[1] = 300.0f;
    EXPECT_NE(task_summary_text().find("Start minimum altitude = 300 m\nStart maximum altitude = 9999 m\n"),
              std::string::npos);
}

TEST_F(SummaryText, WindowSectorsSpreadTheirHeight) {
    task(4);
    rd_fpl_1.tpsec[1] = 1;
    rd_fpl_1.tpalt[1] = 1500.0f;
    rd_fpl_1.tphei[1] = 1000.0f;
    rd_fpl_1.tpsec[3] = 1;
    rd_fpl_1.tpalt[3] = 600.0f;
    rd_fpl_1.tphei[3] = 400.0f;
    const std::string text = task_summary_text();
    EXPECT_NE(text.find("Start minimum altitude = 1000 m\nStart maximum altitude = 2000 m\n"), std::string::npos);
    EXPECT_NE(text.find("Finish minimum altitude = 400 m\nFinish maximum altitude = 800 m\n"), std::string::npos);
}

TEST_F(SummaryText, ClassicFinishTakesThePlansMinimum) {
    task(4);
    rd_fpl_4.finishminalt = 650.0f;
    EXPECT_NE(task_summary_text().find("Finish minimum altitude = 650 m\n"), std::string::npos);
    // A finish sector with a minimum of its own keeps it.
    rd_fpl_1.tpwid[3] = 700.0f;
    EXPECT_NE(task_summary_text().find("Finish minimum altitude = 700 m\n"), std::string::npos);
    EXPECT_EQ(task_summary_text().find("650"), std::string::npos);
}

TEST_F(SummaryText, InnerTurnpointsWithTheirNamesCut) {
    task(5);
    rd_fpl_2.tpnam[2] = "Saint-Auban-sur-Durance";
    rd_fpl_1.tpwid[2] = 800.0f;
    rd_fpl_1.tphei[3] = 2500.4f;
    std::string text = task_summary_text();
    EXPECT_NE(text.find("TP1 (Saint-Auban-): minimum altitude = 800 m\n"), std::string::npos);
    EXPECT_NE(text.find("TP2 (Point3): maximum altitude = 2500 m\n"), std::string::npos);
    cmndta001.qfr = true;
    text = task_summary_text();
    EXPECT_NE(text.find("TP1 (Saint-Auban-) : altitude minimale = 800 m\n"), std::string::npos);
    EXPECT_NE(text.find("TP2 (Point3) : altitude maximale = 2500 m\n"), std::string::npos);
}

TEST_F(SummaryText, ImperialUnitsAndTheKnotsOfTheFiles) {
    task(4);
    imperial();
    rd_fpl_6.start_max_speed = 170;
    rd_fpl_1.tphei[1] = 1000.0f;
    rd_fpl_1.tphei[3] = 1000.0f;
    const std::string text = task_summary_text();
    EXPECT_NE(text.find("Start maximum speed = 92 kt\n"), std::string::npos);
    EXPECT_NE(text.find("Start maximum altitude = 3281 ft\n"), std::string::npos);
    // The files say " knots" for the first " kt" only.
    const std::string file = summary_file_text("speed 92 kt and 40 kt");
    EXPECT_EQ(file, "speed 92 knots and 40 kt");
    EXPECT_EQ(summary_file_text(std::string(1100, 'x')).size(), 1024u);
}

TEST_F(SummaryText, TinyTasksNeverReadOutsideTheTables) {
    for (int count : {0, 1, 2, 31, 40, -3}) {
        task(0);
        rd_fpl_0.nb_wp = count;
        EXPECT_NE(task_summary_text().find("Race in = 0 min\n"), std::string::npos) << count;
    }
}

TEST_F(SummaryText, OutputToTheFilesAndTheBox) {
    const std::string text = "Regatta start\nStart maximum speed = 92 kt\nRace in = 0 min\n";
    tarvex_c.tskwrnfile = program_folder() + "summary.txt";
    tarvex01.qtskwrn = true;
    output_task_summary(text, true);
    EXPECT_EQ(read("summary.txt"), "Regatta start\r\nStart maximum speed 92 knots\r\nRace in 0 min\r\n\r\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].status, 2);
    EXPECT_TRUE(logged("Start maximum speed = 92 kt"));

    // Silent: no box, still logged; LK8000: the notepad in its configuration folder.
    boxes.clear();
    std::filesystem::create_directories(dir_.path() / "LK8000" / "_Configuration");
    tarvex_c.lk8000_root = program_folder() + "LK8000";
    tarvex01.ntarg = kTargetLkt;
    tarvex01.qsilent = true;
    output_task_summary(text, false);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(tarvex_c.tskwrnfile, program_folder() + "LK8000\\_Configuration\\NOTEPAD.txt");
    EXPECT_EQ(read("LK8000/_Configuration/NOTEPAD.txt"),
              "[warnings]\r\nRegatta start\r\nStart maximum speed 92 knots\r\nRace in 0 min\r\n\r\n");

    // Without the summary switch nothing is shown.
    tarvex01.qtskwrn = false;
    tarvex01.qsilent = false;
    output_task_summary(text, false);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
