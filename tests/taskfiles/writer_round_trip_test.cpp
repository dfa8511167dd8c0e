// The SeeYou task and the Condor flight plan written by the program read back
// through the program's own readers to the same task.

#include "taskfiles/cup_reader.h"
#include "taskfiles/cup_writer.h"
#include "taskfiles/fpl_reader.h"
#include "taskfiles/fpl_writer.h"

#include "output_fixture.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

namespace {

class RoundTripTest : public tarvex_test::OutputTest {
protected:
    void set_point(int i, const std::string& name, float x, float y, int radius, int angle) {
        rd_fpl_2.tpnam[i] = name;
        rd_fpl_1.tpx[i] = x;
        rd_fpl_1.tpy[i] = y;
        rd_fpl_1.tpz[i] = 100.0f * i + 250.0f;
        rd_fpl_1.tplat[i] = 45.0f + 0.1f * i;
        rd_fpl_1.tplon[i] = (i % 2 == 0 ? 1.0f : -1.0f) * (6.0f + 0.05f * i);
        rd_fpl_1.tpsec[i] = 0;
        rd_fpl_1.tprad[i] = radius;
        rd_fpl_1.tpang[i] = angle;
        rd_fpl_1.tphei[i] = 10000.0f;
        rd_fpl_1.tpwid[i] = 0.0f;
        rd_fpl_1.tpalt[i] = 1500.0f;
        rd_fpl_1.tpazi[i] = 0.0f;
    }

    // The waypoints of a SeeYou file read as a landscape's waypoint file.
    struct CupWaypoints {
        std::unique_ptr<Tarvewp2> numbers = std::make_unique<Tarvewp2>();
        std::unique_ptr<Tarvewp3> texts = std::make_unique<Tarvewp3>();
        int nb = 0;
    };
    // Writes the task as "task.cup" and reads its waypoints back, with no
    // fault and no message box.
    void write_and_read_cup(CupWaypoints& back) {
        int iost = -1;
        write_cup("task.cup", iost);
        ASSERT_EQ(iost, 0);
        int ios = -1;
        read_cup("task.cup", kMaxLandscapeWaypoints, *back.numbers, *back.texts, back.nb, false, true, true, ios);
        EXPECT_EQ(ios, 0);
        EXPECT_TRUE(boxes.empty());
    }
};

TEST_F(RoundTripTest, TheSeeYouTaskReadsBackToTheSameTask) {
    for (const int layout : {0, 1}) {
        SCOPED_TRACE(layout);
        reset_task_model();
        reset_landscape_records();
        tarvex01.nform_cup = layout;
        rd_fpl_0.nb_wp = 6;
        set_point(0, "Home Field", 0, 0, 3000, 360);
        set_point(1, "Start, Line", 0, 5000, 2000, 180);
        rd_fpl_1.tphei[1] = 1800.0f;
        set_point(2, "B&B <Inn>", 20000, 5000, 3000, 360);
        set_point(3, "\xC9glise \xE0 l'or\xE9", 20000, -5000, 500, 90);
        set_point(4, "Window", 10000, -9000, 3000, 180);
        rd_fpl_1.tpsec[4] = 1;
        rd_fpl_1.tpwid[4] = 1200.0f;
        rd_fpl_1.tphei[4] = 400.0f;
        set_point(5, "Home Field", 0, 0, 1000, 180);
        rd_fpl_1.tplat[5] = rd_fpl_1.tplat[0];  // the same airfield
        rd_fpl_1.tplon[5] = rd_fpl_1.tplon[0];
        rd_fpl_1.tpz[5] = rd_fpl_1.tpz[0];
        rd_fpl_1.tpid = {-1, 2, 0, 5, 0, -1};
        tarveap2.apt_sty[1] = 5;
        tarveap2.apt_rwd[1] = 270.0f;
        tarveap2.apt_rwl[1] = 1200.0f;
        tarveap2.apt_frq[1] = 122.5f;
        tarvewp2.wp_typ[2] = 1;
        tarvewp2.wp_rwd[2] = kNoWaypointValue;
        tarvewp2.wp_rwl[2] = kNoWaypointValue;
        tarvewp2.wp_frq[2] = kNoWaypointValue;
        tarvewp3.wp_dsc.set(2, "Gate, by the river");
        tarvewp2.wp_typ[5] = 3;
        tarvewp2.wp_rwd[5] = 40.0f;
        tarvewp2.wp_rwl[5] = 300.0f;
        tarvewp2.wp_frq[5] = kNoWaypointValue;
        tarvewp3.wp_dsc.set(5, "Church");

        CupWaypoints back;
        ASSERT_NO_FATAL_FAILURE(write_and_read_cup(back));
        const auto& [numbers, texts, nb] = back;

        // One waypoint per distinct point, with the landscape's extra columns.
        ASSERT_EQ(nb, 5);
        EXPECT_EQ(texts->wp_nam[1], "Home Field");
        EXPECT_EQ(numbers->wp_typ[1], 5);
        EXPECT_EQ(numbers->wp_rwd[1], 270.0f);
        EXPECT_EQ(numbers->wp_rwl[1], 1200.0f);
        EXPECT_FLOAT_EQ(numbers->wp_frq[1], 122.5f);
        EXPECT_EQ(texts->wp_dsc[2], "Gate, by the river");
        EXPECT_EQ(numbers->wp_rwl[2], kNoWaypointValue);
        EXPECT_EQ(texts->wp_dsc[4], "Church");
        EXPECT_EQ(numbers->wp_rwd[4], 40.0f);
        EXPECT_EQ(numbers->wp_typ[3], 1);  // the unlinked turnpoint

        // The task: every point, then the landing placeholder.
        ASSERT_EQ(rd_cup_0.nb_cup, 6);
        EXPECT_EQ(rd_cup_2.cupdesc, "\"Circuit\"");
        EXPECT_EQ(rd_cup_2.cupnam[6], "???");
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(rd_cup_2.cupnam[i], rd_fpl_2.tpnam[i]);
            EXPECT_NEAR(rd_cup_1.cuplat[i], rd_fpl_1.tplat[i], 1e-4);
            EXPECT_NEAR(rd_cup_1.cuplon[i], rd_fpl_1.tplon[i], 1e-4);
            EXPECT_EQ(rd_cup_1.cupalt[i], std::round(rd_fpl_1.tpz[i]));
        }
        const float r1[] = {0, 2000, 3000, 500, 600, 1000};
        const float a1[] = {0, 90, 180, 45, 90, 90};
        const bool line[] = {false, true, false, false, true, true};
        for (int i = 1; i < 6; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(rd_cup_1.cuprad[1][i], r1[i]);
            EXPECT_EQ(rd_cup_1.cupang[1][i], a1[i]);
            EXPECT_EQ(rd_cup_1.cupline[i], line[i]);
        }
        EXPECT_EQ(rd_cup_1.cupmxa[1], 1900.0f);  // 1800 + the start margin
        EXPECT_EQ(rd_cup_1.cupmxa[4], 1800.0f);  // 200 above the window centre + the margin
    }
}

// A double quote inside a name or a description would end its quoted column
// early and break the line: it is written as a single quote, and the line
// reads back whole.
TEST_F(RoundTripTest, AQuoteInANameOrADescriptionKeepsTheLineWhole) {
    rd_fpl_0.nb_wp = 3;
    set_point(0, "Home", 0, 0, 3000, 360);
    set_point(1, "Lar&agne <b>\"q'uo'te\"</", 0, 5000, 2000, 180);
    set_point(2, "Home", 0, 0, 1000, 180);
    rd_fpl_1.tpid = {0, 1, 0};
    tarvewp2.wp_typ[1] = 4;
    tarvewp2.wp_rwd[1] = 120.0f;
    tarvewp2.wp_rwl[1] = 650.0f;
    tarvewp2.wp_frq[1] = 123.45f;
    tarvewp3.wp_dsc.set(1, "Said \"go\", left");
    CupWaypoints back;
    ASSERT_NO_FATAL_FAILURE(write_and_read_cup(back));
    const auto& [numbers, texts, nb] = back;
    ASSERT_EQ(nb, 2);
    EXPECT_EQ(texts->wp_nam[2], "Lar&agne <b>'q'uo'te'</");
    EXPECT_EQ(numbers->wp_typ[2], 4);
    EXPECT_EQ(numbers->wp_rwd[2], 120.0f);
    EXPECT_EQ(numbers->wp_rwl[2], 650.0f);
    EXPECT_FLOAT_EQ(numbers->wp_frq[2], 123.45f);
    EXPECT_EQ(texts->wp_dsc[2], "Said 'go', left");
    // The task names the point as its waypoint line does.
    ASSERT_EQ(rd_cup_0.nb_cup, 3);
    EXPECT_EQ(rd_cup_2.cupnam[1], "Lar&agne <b>'q'uo'te'</");
}

TEST_F(RoundTripTest, TheFlightPlanReadsBackToTheSameTurnpoints) {
    const std::filesystem::path data = std::filesystem::path(TARVEX_SOURCE_DIR) / "data";
    for (const int version : {2, 3}) {
        SCOPED_TRACE(version);
        const std::string name = version == 3 ? "Template_V3.fpl" : "Template.fpl";
        std::filesystem::copy_file(data / name, path(name), std::filesystem::copy_options::overwrite_existing);
        reset_task_model();
        inst00.condor_version = version;
        rd_fpl_2.landscape = "Alps";
        rd_fpl_0.nb_wp = 31;
        for (int i = 0; i <= 30; ++i) {
            set_point(i, "TP " + std::to_string(i) + (i == 7 ? " B&B \xE9t\xE9" : ""), 1234.5f * i, -987.25f * i, 500 + i,
                      i % 3 == 0 ? 360 : 180);
            rd_fpl_1.tpair[i] = i == 0 ? 1 : 0;
            rd_fpl_1.tphei[i] = i == 5 ? 2500.0f : 10000.0f;
        }
        const RdFpl1 written = rd_fpl_1;
        const RdFpl2 written_texts = rd_fpl_2;

        int iost = -1;
        write_fpl("out.fpl", iost);
        ASSERT_EQ(iost, 0);

        int nl = 0;
        int ios = 0;
        read_fpl(TextFileReader("out.fpl"), true, false, false, nl, ios);
        EXPECT_EQ(ios, -1);
        EXPECT_EQ(rd_fpl_0.nvcnd, version);
        EXPECT_EQ(rd_fpl_2.landscape, "Alps");
        ASSERT_EQ(rd_fpl_0.nb_wp, 31);
        EXPECT_EQ(rd_fpl_0.nb_pz, 0);
        for (int i = 0; i <= 30; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(rd_fpl_2.tpnam[i], written_texts.tpnam[i]);
            EXPECT_EQ(rd_fpl_1.tpx[i], written.tpx[i]);
            EXPECT_EQ(rd_fpl_1.tpy[i], written.tpy[i]);
            EXPECT_EQ(rd_fpl_1.tpz[i], written.tpz[i]);
            EXPECT_EQ(rd_fpl_1.tpair[i], written.tpair[i]);
            EXPECT_EQ(rd_fpl_1.tpsec[i], written.tpsec[i]);
            EXPECT_EQ(rd_fpl_1.tprad[i], written.tprad[i]);
            EXPECT_EQ(rd_fpl_1.tpang[i], written.tpang[i]);
            EXPECT_EQ(rd_fpl_1.tpalt[i], written.tpalt[i]);
            EXPECT_EQ(rd_fpl_1.tpwid[i], written.tpwid[i]);
            EXPECT_EQ(rd_fpl_1.tphei[i], written.tphei[i]);
            EXPECT_EQ(rd_fpl_1.tpazi[i], written.tpazi[i]);
        }
    }
}

}  // namespace
