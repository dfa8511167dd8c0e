#include "taskfiles/layer_reset.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

class TaskModel : public testing::Test {
protected:
    void SetUp() override { reset_taskfiles_layer(); }
    void TearDown() override { reset_taskfiles_layer(); }
};

// Fills every record with values no clearing routine gives.
void dirty_model() {
    rd_fpl_0 = {3, 5, 4, 3, 4, 120, 2, 17};
    for (int n = 0; n < kTurnpointSlots; ++n) {
        rd_fpl_1.tpx[n] = 1.5f;
        rd_fpl_1.tpz[n] = 2.5f;
        rd_fpl_1.tpwid[n] = 3.5f;
        rd_fpl_1.tpsecdir[n] = 2;
        rd_fpl_1.tpdist[n] = 99.0f;
        rd_fpl_1.tpair[n] = 1;
        rd_fpl_1.tpsec[n] = 0;
        rd_fpl_1.tprad[n] = 500;
        rd_fpl_1.tpang[n] = 360;
        rd_fpl_1.tpid[n] = -4;
        rd_fpl_2.tpnam[n] = "TP";
    }
    rd_fpl_1.pzp[2][3][10] = 8.0f;
    rd_fpl_1.pza[3][10] = 9.0f;
    rd_fpl_1.wzp[1][16][16] = 7.0f;
    rd_fpl_2.wznam[16] = "Zone";
    rd_fpl_2.fpldesc[16] = "last line";
    rd_fpl_2.landscape = "AA3";
    rd_fpl_2.fpl_000 = "C:\\plan.fpl";
    rd_fpl_4 = {2450000, 800.0f, 95000.0f, 123456.0f, 1500};
    rd_fpl_5.qas_disa[8192] = true;
    rd_fpl_5.qas_disa[0] = true;
    rd_fpl_6.taskdate = 45000;
    rd_fpl_6.starttime = 13.5f;
    rd_fpl_6.t_aat = 90.0f;
    rd_fpl_6.qaat = true;
    rd_fpl_6.start_max_speed = 170;
    rd_fpl_6.allowmidaircollisionrecovery = true;
    rd_fpl_6.maxwingloading = 50;
    rd_fpl_6.team = 3;
    rd_fpl_wz1.thermalstemp[16] = 293.15f;
    rd_fpl_wz2.pointcount[16] = 5;
    rd_fpl_wz2.thermalsoverdevelopment[0] = 0.5f;
    rd_fpl_wz2.randomizeweatheroneachflight = true;
    rd_fpl_wz2.wzcount = 4;
    ggg001 = {"ASW 20", "Standard", "Default"};
    ggg002 = {0.3f, 2, true};
    gggmas = {100.0f, 20.0f, 1.0f, 2.0f, 3.0f, 4.0f};
    gggpol.vap[3] = 1.0f;
    gggpol.vvzm = 2.0f;
    gggpol.vfmax_00 = 250.0f;
    gggpol.fmax_00 = 40.0f;
    gggpol.gforce = 5.3f;
}

// Runs compute_dist and returns the lines it wrote.
std::vector<std::string> run_compute_dist() {
    testing::internal::CaptureStdout();
    compute_dist();
    std::istringstream out(testing::internal::GetCapturedStdout());
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);) {
        lines.push_back(line);
    }
    return lines;
}

void set_point(int n, float x, float y, int ang = 90, int rad = 3000) {
    rd_fpl_1.tpx[n] = x;
    rd_fpl_1.tpy[n] = y;
    rd_fpl_1.tpang[n] = ang;
    rd_fpl_1.tprad[n] = rad;
}

}  // namespace

TEST_F(TaskModel, StartValuesAfterReset) {
    dirty_model();
    reset_task_model();

    EXPECT_EQ(rd_fpl_0.nvcnd, 0);
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 0);
    EXPECT_EQ(rd_fpl_0.last_dis_as, -1);
    for (int n = 0; n < kTurnpointSlots; ++n) {
        EXPECT_EQ(rd_fpl_1.tpsec[n], 1);
        EXPECT_EQ(rd_fpl_1.tprad[n], 3000);
        EXPECT_EQ(rd_fpl_1.tpang[n], 90);
        EXPECT_EQ(rd_fpl_1.tpid[n], 0);
        EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[n], 0.0f);
        EXPECT_EQ(rd_fpl_2.tpnam[n], "");
    }
    EXPECT_FLOAT_EQ(rd_fpl_1.pzp[2][3][10], 0.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.wzp[1][16][16], 0.0f);
    EXPECT_EQ(rd_fpl_2.fpldesc[16], "");
    EXPECT_EQ(rd_fpl_2.fpl_000, "");
    EXPECT_FLOAT_EQ(rd_fpl_4.pressure, 101325.0f);
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 0.0f);
    EXPECT_FALSE(rd_fpl_5.qas_disa[0]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[8192]);
    EXPECT_EQ(rd_fpl_6.taskdate, 0);
    EXPECT_FALSE(rd_fpl_6.qaat);
    EXPECT_EQ(rd_fpl_6.team, 0);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 0);
    EXPECT_EQ(ggg001.glider, "");
    EXPECT_EQ(ggg002.glseat, 1);
    EXPECT_FALSE(ggg002.qbugwipers);
    EXPECT_FLOAT_EQ(gggmas.fmass, 0.0f);
    EXPECT_FLOAT_EQ(gggpol.gforce, 0.0f);
}

TEST_F(TaskModel, SecondNamesShareTheirStorage) {
    rd_fpl_0.fpl_vers() = 3;
    EXPECT_EQ(rd_fpl_0.nvcnd, 3);
    rd_fpl_6.aattime() = 120.0f;
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 120.0f);
    rd_fpl_6.qpda() = true;
    EXPECT_TRUE(rd_fpl_6.allowpda);
    rd_fpl_6.qmidair() = true;
    EXPECT_TRUE(rd_fpl_6.allowmidaircollisionrecovery);
    rd_fpl_6.penaltycloudflying() = 2;
    EXPECT_EQ(rd_fpl_6.cloudpen, 2);
    rd_fpl_6.maxstartgroundspeed() = 150;
    EXPECT_EQ(rd_fpl_6.start_max_speed, 150);
    ggg001.glnam() = "LS8";
    EXPECT_EQ(ggg001.glider, "LS8");
}

TEST_F(TaskModel, InitReadFplClearsAllButThePreviousPlansLeftovers) {
    dirty_model();
    init_read_fpl();

    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    EXPECT_EQ(rd_fpl_0.nb_pz, 0);
    EXPECT_EQ(rd_fpl_0.npzmax, 0);
    EXPECT_EQ(rd_fpl_0.nwpmax, 0);
    EXPECT_EQ(rd_fpl_0.nb_as_zones, 0);
    EXPECT_EQ(rd_fpl_0.nb_fpldesc, 0);
    EXPECT_EQ(rd_fpl_0.last_dis_as, -1);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpx[30], 0.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpwid[0], 0.0f);
    EXPECT_EQ(rd_fpl_1.tpair[5], 0);
    EXPECT_EQ(rd_fpl_1.tpsec[5], 0);   // clear sets 0; init_wp sets 1 afterwards
    EXPECT_EQ(rd_fpl_1.tprad[5], 0);
    EXPECT_EQ(rd_fpl_1.tpang[5], 0);
    EXPECT_EQ(rd_fpl_1.tpid[5], 0);
    EXPECT_FLOAT_EQ(rd_fpl_1.pzp[2][3][10], 0.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.pza[3][10], 0.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.wzp[1][16][16], 0.0f);
    EXPECT_EQ(rd_fpl_2.tpnam[30], "");
    EXPECT_EQ(rd_fpl_2.wznam[16], "");
    EXPECT_EQ(rd_fpl_2.fpldesc[16], "");
    EXPECT_EQ(rd_fpl_2.landscape, "");
    EXPECT_FLOAT_EQ(rd_fpl_4.pressure, 101325.0f);
    EXPECT_FALSE(rd_fpl_5.qas_disa[0]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[8192]);
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 0.0f);
    EXPECT_FALSE(rd_fpl_6.qaat);
    EXPECT_EQ(rd_fpl_6.start_max_speed, 0);
    EXPECT_FALSE(rd_fpl_6.allowmidaircollisionrecovery);
    EXPECT_EQ(rd_fpl_6.maxwingloading, 0);
    EXPECT_FLOAT_EQ(rd_fpl_wz1.thermalstemp[16], 0.0f);
    EXPECT_EQ(rd_fpl_wz2.pointcount[16], 0);
    EXPECT_FLOAT_EQ(rd_fpl_wz2.thermalsoverdevelopment[0], 0.0f);

    // What a fresh reading keeps from the previous plan.
    EXPECT_EQ(rd_fpl_0.nvcnd, 3);
    EXPECT_EQ(rd_fpl_1.tpsecdir[5], 2);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[30], 99.0f);
    EXPECT_EQ(rd_fpl_2.fpl_000, "C:\\plan.fpl");
    EXPECT_EQ(rd_fpl_4.jdate, 2450000);
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 800.0f);
    EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, 123456.0f);
    EXPECT_EQ(rd_fpl_4.cloudbase, 1500);
    EXPECT_EQ(rd_fpl_6.taskdate, 45000);
    EXPECT_FLOAT_EQ(rd_fpl_6.starttime, 13.5f);
    EXPECT_EQ(rd_fpl_6.team, 3);
    EXPECT_TRUE(rd_fpl_wz2.randomizeweatheroneachflight);
    EXPECT_EQ(rd_fpl_wz2.wzcount, 4);
    // Not its business.
    EXPECT_EQ(ggg001.glider, "ASW 20");
}

TEST_F(TaskModel, InitWpGivesWindowZonesOfTheDefaultSize) {
    dirty_model();
    init_wp();
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    for (int n = 0; n < kTurnpointSlots; ++n) {
        EXPECT_EQ(rd_fpl_1.tpsec[n], 1);
        EXPECT_EQ(rd_fpl_1.tprad[n], 3000);
        EXPECT_EQ(rd_fpl_1.tpang[n], 90);
        EXPECT_EQ(rd_fpl_1.tpsecdir[n], 0);
        EXPECT_EQ(rd_fpl_1.tpair[n], 0);
        EXPECT_FLOAT_EQ(rd_fpl_1.tpx[n], 0.0f);
        EXPECT_FLOAT_EQ(rd_fpl_1.tpz[n], 0.0f);
        EXPECT_FLOAT_EQ(rd_fpl_1.tpwid[n], 0.0f);
        EXPECT_EQ(rd_fpl_2.tpnam[n], "");
        EXPECT_EQ(rd_fpl_1.tpid[n], -4);          // cleared by init_read_fpl only
        EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[n], 99.0f);
    }
    EXPECT_EQ(rd_fpl_0.nb_pz, 4);
}

TEST_F(TaskModel, InitGliderKeepsThePolarsThreeFixedValues) {
    dirty_model();
    init_glider();
    EXPECT_EQ(ggg001.glider, "");
    EXPECT_EQ(ggg001.glclass, "");
    EXPECT_EQ(ggg001.glskin, "");
    EXPECT_FLOAT_EQ(ggg002.cgbias, 0.0f);
    EXPECT_EQ(ggg002.glseat, 1);
    EXPECT_FALSE(ggg002.qbugwipers);
    EXPECT_FLOAT_EQ(gggmas.wmass, 0.0f);
    EXPECT_FLOAT_EQ(gggmas.fmass, 0.0f);
    EXPECT_FLOAT_EQ(gggmas.balmax, 0.0f);
    EXPECT_FLOAT_EQ(gggpol.vap[3], 0.0f);
    EXPECT_FLOAT_EQ(gggpol.vvzm, 0.0f);
    EXPECT_FLOAT_EQ(gggpol.vfmax_00, 250.0f);
    EXPECT_FLOAT_EQ(gggpol.fmax_00, 40.0f);
    EXPECT_FLOAT_EQ(gggpol.gforce, 5.3f);
}

TEST_F(TaskModel, ClearingInReaderOrderGivesTheStartValues) {
    dirty_model();
    init_read_fpl();
    init_glider();
    init_wp();
    const RdFpl1 fresh;
    EXPECT_EQ(rd_fpl_1.tpsec, fresh.tpsec);
    EXPECT_EQ(rd_fpl_1.tprad, fresh.tprad);
    EXPECT_EQ(rd_fpl_1.tpang, fresh.tpang);
    EXPECT_EQ(rd_fpl_1.tpid, fresh.tpid);
    EXPECT_EQ(rd_fpl_1.tpsecdir, fresh.tpsecdir);
    EXPECT_EQ(rd_fpl_0.last_dis_as, -1);
    EXPECT_EQ(ggg002.glseat, 1);
}

TEST_F(TaskModel, ComputeDistWithoutLegs) {
    for (const int count : {0, 1, -5}) {
        rd_fpl_0.nb_wp = count;
        rd_fpl_4.dist_tot = 55.0f;
        const auto lines = run_compute_dist();
        EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, 0.0f);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find("Tot dist"), std::string::npos);
    }
}

TEST_F(TaskModel, ComputeDistFinishCylinderShortensTheLastLeg) {
    rd_fpl_0.nb_wp = 3;
    set_point(0, 0, -4000);
    set_point(1, 0, 0);
    set_point(2, 0, 10000, 360, 500);
    const auto lines = run_compute_dist();
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[1], 4000.0f);   // takeoff to start: stored, not counted
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[2], 9500.0f);
    EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, 9500.0f);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("4000"), std::string::npos);
    EXPECT_NE(lines[1].find("9500"), std::string::npos);
    EXPECT_NE(lines[2].find("Tot dist"), std::string::npos);
    EXPECT_NE(lines[2].find("9500"), std::string::npos);
}

TEST_F(TaskModel, ComputeDistOnlyTheFinishCylinderIsShortened) {
    rd_fpl_0.nb_wp = 4;
    set_point(0, 0, 0, 360, 1000);
    set_point(1, 3000, 4000, 360, 1000);   // a start cylinder keeps its leg
    set_point(2, 3000, 10000, 360, 1000);  // so does a turnpoint cylinder
    set_point(3, 3000, 20000, 180, 1000);  // a finish line
    run_compute_dist();
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[1], 5000.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[2], 6000.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[3], 10000.0f);
    EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, 16000.0f);

    rd_fpl_1.tpang[3] = 90;  // a finish sector
    run_compute_dist();
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[3], 10000.0f);
}

TEST_F(TaskModel, ComputeDistCylinderLargerThanItsLegGoesNegative) {
    rd_fpl_0.nb_wp = 3;
    set_point(0, 0, 0);
    set_point(1, 0, 0);                    // takeoff and start coincide
    set_point(2, 1000, 0, 360, 3000);
    run_compute_dist();
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[1], 0.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[2], -2000.0f);
    EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, -2000.0f);
}

TEST_F(TaskModel, ComputeDistLeavesSlotsBeyondTheTask) {
    rd_fpl_1.tpdist[5] = 42.0f;
    rd_fpl_0.nb_wp = 3;
    set_point(2, 100, 0);
    run_compute_dist();
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[5], 42.0f);
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[0], 0.0f);
}

TEST_F(TaskModel, ComputeDistStaysInItsTablesAndTheFloatRange) {
    // A count beyond the tables is held to the 31 slots.
    rd_fpl_0.nb_wp = 1000;
    for (int n = 0; n < kTurnpointSlots; ++n) {
        set_point(n, 0, static_cast<float>(n) * 1000.0f);
    }
    auto lines = run_compute_dist();
    EXPECT_EQ(lines.size(), 31u);
    EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, 29000.0f);

    // Points at the ends of the float range: no overflow under the traps.
    const float big = std::numeric_limits<float>::max();
    rd_fpl_0.nb_wp = 4;
    set_point(0, -big, 0);
    set_point(1, big, 0);
    set_point(2, -big, 0);
    set_point(3, big, 0, 360, -5);
    run_compute_dist();
    EXPECT_FLOAT_EQ(rd_fpl_1.tpdist[2], big);
    EXPECT_FLOAT_EQ(rd_fpl_4.dist_tot, big);
}

TEST_F(TaskModel, CleanupNameEscapesAndCutsToTheField) {
    std::string name = "A<B>C";
    cleanup_name(name, kTpNameCapacity);
    EXPECT_EQ(name, "A&lt;B&gt;C");

    name = std::string(32, '<');
    cleanup_name(name, kTpNameCapacity);
    std::string expected;
    for (int i = 0; i < 8; ++i) {
        expected += "&lt;";
    }
    EXPECT_EQ(name, expected);

    name = std::string(32, '>');
    cleanup_name(name, kTpNameCapacity);
    EXPECT_EQ(name, "&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;");

    // Already escaped text and a bare "&" stay as they are.
    name = "&lt;X&gt; & Y";
    cleanup_name(name, kTpNameCapacity);
    EXPECT_EQ(name, "&lt;X&gt; & Y");

    // "<" is done before ">", so a late ">" may be cut away entirely.
    name = std::string(29, 'x') + "<>";
    cleanup_name(name, kTpNameCapacity);
    EXPECT_EQ(name, std::string(29, 'x') + "&lt");

    // Characters pushed beyond the field are lost; the cut leaves no trailing blank.
    name = "<AB" + std::string(27, ' ') + "C";
    cleanup_name(name, kTpNameCapacity);
    EXPECT_EQ(name, "&lt;AB");

    // The reader escapes into an 80-character field before its own cut.
    name = std::string(40, '<');
    cleanup_name(name, 80);
    EXPECT_EQ(name.size(), 80u);

    name = "";
    cleanup_name(name, kTpNameCapacity);
    EXPECT_EQ(name, "");
}
