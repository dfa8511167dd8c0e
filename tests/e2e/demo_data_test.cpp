// The demo Condor setup holds together: read with the program's own readers
// from where the layout puts it, every turnpoint of the plans is found among
// the landscape's airports and turnpoints, every position lies in the
// landscape's frame, and the airspace reads without a complaint.

#include "airspace/airspace_reader.h"
#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "driver/layer_reset.h"
#include "foundation/condor_install.h"
#include "foundation/local_frame.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/option_records.h"
#include "foundation/pilot_settings.h"
#include "foundation/terrain_extents.h"
#include "foundation/utm_frame.h"
#include "platform/console.h"
#include "platform/files.h"
#include "support/demo_setup.h"
#include "support/fake_wine_prefix.h"
#include "taskfiles/apt_file.h"
#include "taskfiles/cup_reader.h"
#include "taskfiles/fpl_reader.h"
#include "taskfiles/landscape_match.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using tarvex_test::DemoSetup;
using tarvex_test::FakeWinePrefix;

namespace {

constexpr int kDemoAirports = 6;
constexpr int kDemoTurnpoints = 18;
constexpr int kDemoAirspaces = 6;
constexpr float kFrameSize = 115200.0f;

std::string landscape_file(int version, const std::string& extension) {
    return FakeWinePrefix::landscape_dir(version, tarvex_test::kDemoLandscape) + "\\" +
           tarvex_test::kDemoLandscape + extension;
}

// The demo in a prefix with both Condor versions, every record at its start
// values, messages recorded instead of shown, the log and the airspace lists
// in a temporary current folder.
class DemoData : public ::testing::Test {
protected:
    DemoData() : setup_(tarvex_test::lay_out_demo(prefix_)) {
        reset_all();
        set_console_utf8(false);
        set_airspace_trace(false);
        set_message_box([this](const std::string&, const std::string& text, int&) { messages_.push_back(text); });
        log_message_f("CREATEdemo.log");
        inst00.instpath2 = FakeWinePrefix::install_dir(2);
        inst00.instpath3 = FakeWinePrefix::install_dir(3);
    }
    ~DemoData() override {
        set_message_box(nullptr);
        set_airspace_trace(true);
        clear_console_encoding();
        reset_all();
    }

    static void reset_all() {
        reset_log();
        reset_all_records();
    }

    // Reads a plan as the conversion does, with its landscape's frame,
    // airports and turnpoints.
    void read_plan_and_landscape(const std::string& plan, int version) {
        int nl = 0;
        int ios = 0;
        read_fpl(TextFileReader(plan), true, false, false, nl, ios);
        EXPECT_EQ(ios, -1) << plan;
        EXPECT_EQ(rd_fpl_2.landscape, tarvex_test::kDemoLandscape);
        EXPECT_EQ(rd_fpl_0.nvcnd, version);
        read_landscape(version);
    }

    void read_landscape(int version) {
        float width = 0.0f;
        float height = 0.0f;
        ASSERT_EQ(utm_init(landscape_file(version, ".trn"), width, height), 1);
        EXPECT_EQ(width, kFrameSize);
        EXPECT_EQ(height, kFrameSize);
        EXPECT_EQ(utm000.nzon, 31);
        trn001.x_scn_mx = width;
        trn001.y_scn_mx = height;
        trn001.xmax = width;
        trn001.ymax = height;
        int ios = 0;
        read_apt(landscape_file(version, ".apt"), 1000, tarveap2, tarveap3, tarvex01.nb_apt, ios);
        EXPECT_EQ(ios, 0);
        EXPECT_EQ(tarvex01.nb_apt, kDemoAirports);
        read_cup(prefix_.user_root(version) + "Turnpoints\\" + tarvex_test::kDemoLandscape + ".cup", 15000,
                 tarvewp2, tarvewp3, tarvex01.nb_wp_file, false, true, false, ios);
        EXPECT_EQ(ios, 0);
        EXPECT_EQ(tarvex01.nb_wp_file, kDemoTurnpoints);
    }

    // Every turnpoint of the task is an airport or a turnpoint of the landscape.
    void expect_all_turnpoints_found() {
        tarvex01.qchkwp = true;
        tarvex01.qverb_0 = true;  // so that missing turnpoints would be listed in a warning
        get_wp_data(true, 0);
        for (int i = 0; i < rd_fpl_0.nb_wp; ++i) {
            const auto n = static_cast<std::size_t>(i);
            EXPECT_NE(rd_fpl_1.tpid[n], 0) << rd_fpl_2.tpnam[n];
            expect_in_frame(rd_fpl_1.tpx[n], rd_fpl_1.tpy[n], rd_fpl_2.tpnam[n]);
        }
        EXPECT_EQ(messages_, std::vector<std::string>{});
    }

    static void expect_in_frame(float x, float y, const std::string& what) {
        EXPECT_GT(x, 0.0f) << what;
        EXPECT_LT(x, kFrameSize) << what;
        EXPECT_GT(y, 0.0f) << what;
        EXPECT_LT(y, kFrameSize) << what;
    }

    static void expect_penalty_zones_in_frame(int count) {
        ASSERT_EQ(rd_fpl_0.nb_pz, count);
        for (std::size_t z = 0; z < static_cast<std::size_t>(count); ++z) {
            for (std::size_t c = 0; c < 4; ++c) {
                expect_in_frame(rd_fpl_1.pzp[1][c][z], rd_fpl_1.pzp[2][c][z], "penalty zone corner");
            }
            EXPECT_LT(rd_fpl_1.pza[1][z], rd_fpl_1.pza[2][z]);
        }
    }

    tarvex_test::TempDir dir_{"tarvex-demo-data"};
    tarvex_test::ScopedCwd cwd_{dir_.path()};
    FakeWinePrefix prefix_;
    DemoSetup setup_;
    std::vector<std::string> messages_;
};

TEST_F(DemoData, Condor3PlanMatchesTheLandscape) {
    read_plan_and_landscape(setup_.condor3_plan, 3);
    EXPECT_EQ(rd_fpl_0.nb_wp, 6);
    EXPECT_EQ(rd_fpl_0.nb_as_zones, kDemoAirspaces);
    expect_penalty_zones_in_frame(2);
    // The Q and GP airspaces are off.
    EXPECT_EQ(rd_fpl_0.last_dis_as, 5);
    EXPECT_TRUE(rd_fpl_5.qas_disa[4]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[5]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[3]);
    expect_all_turnpoints_found();
    // The takeoff is Sisteron, the landscape's first airport (-1 for LK8000 and SeeYou, 1 here).
    EXPECT_EQ(rd_fpl_1.tpid[0], 1);
}

TEST_F(DemoData, Condor2PlanMatchesTheLandscape) {
    read_plan_and_landscape(setup_.condor2_plan, 2);
    EXPECT_EQ(rd_fpl_0.nb_wp, 6);
    expect_penalty_zones_in_frame(1);
    expect_all_turnpoints_found();
    // Inner turnpoints are cylinders, so an AAT from the command line needs no warning.
    for (std::size_t n = 2; n + 1 < static_cast<std::size_t>(rd_fpl_0.nb_wp); ++n) {
        EXPECT_EQ(rd_fpl_1.tpang[n], 360) << rd_fpl_2.tpnam[n];
    }
}

TEST_F(DemoData, PilotsFlightPlansAreThePlansOfTheirVersion) {
    EXPECT_EQ(tarvex_test::TempDir::read(prefix_.host(prefix_.flight_plan(3))),
              tarvex_test::TempDir::read(prefix_.host(setup_.condor3_plan)));
    EXPECT_EQ(tarvex_test::TempDir::read(prefix_.host(prefix_.flight_plan(2))),
              tarvex_test::TempDir::read(prefix_.host(setup_.condor2_plan)));
    // Condor 3's plan is the newer one: Condor 3 is the active version.
    check_condor_install(std::string(200, ' '));
    get_active_condor_version();
    EXPECT_EQ(inst00.condor_version, 3);
    // Condor's pilot settings follow the metric units.
    rdstng00.nunit_cndr = 7;
    EXPECT_EQ(read_settings(prefix_.pilot_dir(3) + "\\Setup.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
    EXPECT_EQ(rdstng00.tau_int, 15.0f);
}

TEST_F(DemoData, SeeYouTaskTakesOffFromALandscapeAirport) {
    read_landscape(3);
    int nb_wp = 0;
    int ios = 0;
    read_cup(setup_.seeyou_task, 15000, tarvewp2, tarvewp3, nb_wp, false, true, false, ios);
    EXPECT_EQ(ios, 0);
    ASSERT_EQ(rd_cup_0.nb_cup, 5);
    EXPECT_EQ(rd_cup_2.cupdesc, "\"Demo task\"");
    for (int k = 0; k <= rd_cup_0.nb_cup; ++k) {
        EXPECT_NE(rd_cup_1.cuplat[static_cast<std::size_t>(k)], 0.0f) << rd_cup_2.cupnam[static_cast<std::size_t>(k)];
    }
    set_wp_data(false);
    EXPECT_EQ(rd_fpl_2.tpnam[0], "Saint-Auban");  // kept: it is an airport of the landscape
    EXPECT_EQ(rd_fpl_0.nb_wp, 5);  // takeoff, start, two turnpoints, finish
    for (std::size_t n = 0; n < 5; ++n) {
        expect_in_frame(rd_fpl_1.tpx[n], rd_fpl_1.tpy[n], rd_fpl_2.tpnam[n]);
    }
    EXPECT_EQ(rd_fpl_1.tpang[1], 180);  // the start line
    EXPECT_EQ(rd_fpl_1.tprad[3], 500);  // the 500 m cylinder inside the sector
    EXPECT_EQ(rd_fpl_1.tpang[3], 360);
    EXPECT_EQ(messages_, std::vector<std::string>{});
}

TEST_F(DemoData, AirspaceReadsWithoutComplaint) {
    read_landscape(3);
    as000c.aspfile = landscape_file(3, ".air");
    as000c.new_aspfile = "filtered.txt";
    as000c.asp_d_file = "list.txt";
    as0003.qwriteas = true;
    as0003.qcropas = false;
    rd_fpl_5.qas_disa[4] = true;
    rd_fpl_5.qas_disa[5] = true;
    init_airspace_map();
    AirspacePens sp{};
    AirspaceBrushes sb{};
    std::vector<AirspaceZone> zon(kConversionMaxZones);
    std::vector<PlanePoint> pp(kConversionMaxPoints);
    int nbzon = 0;
    read_airspace(0, sp, sb, nbzon, zon, pp, kConversionMaxZones, kConversionMaxPoints);
    EXPECT_EQ(cmndta001.nberr, 0);
    EXPECT_EQ(cmndta001.nbwarn, 0);
    EXPECT_EQ(messages_, std::vector<std::string>{});
    // Four zones kept, the two disabled ones left out.
    const std::string list = tarvex_test::TempDir::read(dir_.path() / "list.txt");
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 4) << list;
    EXPECT_NE(list.find("DEMO TMA PROVENCE (C) : 4500FT AMSL - FL115"), std::string::npos) << list;
    EXPECT_EQ(list.find("DEMO Q VALENSOLE"), std::string::npos) << list;
}

}  // namespace
