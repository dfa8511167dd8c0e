// The reader's load mode: zones kept in memory with their classes, names and
// limits, penalty zones of the plan as class-P zones, the limits of the
// tables, and the routines the terrain code uses on the model.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_reader.h"
#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "airspace/load_mode.h"
#include "foundation/airspace_names.h"
#include "foundation/local_frame.h"
#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/terrain_extents.h"
#include "load_harness.h"
#include "reader_harness.h"
#include "taskfiles/fpl_reader.h"
#include "taskfiles/task_model.h"
#include "support/std_streams.h"

namespace airspace_test {
namespace {

std::string model_name(int n) {
    std::string name;
    int length = 0;
    get_as_name(n, name, length);
    return name;
}

class LoadModeTest : public LoadTest {
protected:
    // The demo landscape's frame, the window its whole map, and the demo's
    // Condor 3 plan read into the task model (two penalty zones; airspaces 4
    // and 5 disabled).
    void use_demo_landscape_and_plan() {
        ASSERT_NO_FATAL_FAILURE(use_demo_landscape());
        write_file("DemoRace3.fpl", tarvex_test::TempDir::read(std::filesystem::path(TARVEX_SOURCE_DIR) /
                                                            "demo/flightplans/DemoRace3.fpl"));
        int lines = 0;
        int ios = 0;
        read_fpl(TextFileReader("DemoRace3.fpl"), true, false, false, lines, ios);
        ASSERT_EQ(rd_fpl_0.nb_pz, 2);
    }

    static std::vector<int> model_classes() {
        std::vector<int> classes;
        for (const AirspaceRing& ring : airspace_mod.as_nb) {
            classes.push_back(ring.typ);
        }
        return classes;
    }
};

TEST_F(LoadModeTest, DemoAirspaceWithThePlansPenaltyZones) {
    use_demo_landscape_and_plan();
    ASSERT_EQ(load(demo_airspace()), 1);
    // Airspaces 4 and 5 are disabled by the plan; its two penalty zones follow.
    ASSERT_EQ(nbzon_, 6);
    EXPECT_EQ(as0001.nb_zon, 6);
    EXPECT_EQ(model_classes(), (std::vector<int>{9, 3, 7, 2, 7, 7}));
    EXPECT_EQ(model_name(0), "DEMO R1 LURE (R) : GND - FL65");
    EXPECT_EQ(model_name(1), "DEMO CTR SAINT-AUBAN (D) : SFC - 3500FT AMSL");
    EXPECT_EQ(model_name(3), "DEMO TMA PROVENCE (C) : 4500FT AMSL - FL115");
    EXPECT_EQ(model_name(4), "PZ #0 : [0-2000m] : 1p");
    EXPECT_EQ(model_name(5), "PZ #1 : [1000-3000m] : 2p");
    EXPECT_EQ(airspace_mod.as_nm[4], "PZ #0 : [0-2000m] : 1p");
    const std::vector<std::pair<float, float>> limits = {
        {0.0f, 1981.2f}, {0.0f, 1066.8f}, {0.0f, 1005.84f}, {1371.6f, 3505.2f}, {0.0f, 2000.0f}, {1000.0f, 3000.0f}};
    for (std::size_t n = 0; n < limits.size(); ++n) {
        EXPECT_NEAR(as0001.as_lim[n][kLimFloor], limits[n].first, 0.01f) << n;
        EXPECT_NEAR(as0001.as_lim[n][kLimCeiling], limits[n].second, 0.01f) << n;
    }
    // A penalty zone is its four corners and the first once more; its box is
    // that of the corners.
    const AirspaceRing& pz = airspace_mod.as_nb[4];
    EXPECT_EQ(pz.count, 5);
    const PlanePoint first = airspace_mod.as_pp[static_cast<std::size_t>(pz.first)];
    const PlanePoint last = airspace_mod.as_pp[static_cast<std::size_t>(pz.first + 4)];
    EXPECT_EQ(first.x, last.x);
    EXPECT_EQ(first.y, last.y);
    EXPECT_FLOAT_EQ(first.x, 44244.74f);
    EXPECT_FLOAT_EQ(as0001.as_lim[4][kLimXmin], 39271.59f);
    EXPECT_FLOAT_EQ(as0001.as_lim[4][kLimYmax], 45138.57f);
    // Boxes of the file's zones lie within the window; the raster is built.
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_GE(as0001.as_lim[n][kLimXmin], as0002.as_xmin) << n;
        EXPECT_LE(as0001.as_lim[n][kLimYmax], as0002.as_ymax) << n;
    }
    EXPECT_EQ(airspace_mod.as_gr_dim.size(), 6u);
    EXPECT_FALSE(airspace_mod.as_gr.code.empty());
}

TEST_F(LoadModeTest, ModeFlagDecidesPenaltyZonesAndRaster) {
    use_demo_landscape_and_plan();
    // 0: no penalty zones, no raster.
    ASSERT_EQ(load(demo_airspace(), 0), 1);
    EXPECT_EQ(nbzon_, 4);
    EXPECT_TRUE(airspace_mod.as_gr.code.empty());
    // Below 0: penalty zones, every point of the window counts, no raster.
    ASSERT_EQ(load(demo_airspace(), -1), 1);
    EXPECT_EQ(nbzon_, 6);
    EXPECT_TRUE(airspace_mod.as_gr_dim.empty());
    // The penalty zones' names follow the display unit.
    tarvex01.fmulalt = 3.28084f;
    tarvex_c.cunitalt = "ft";
    ASSERT_EQ(load(demo_airspace(), 2), 1);
    EXPECT_EQ(model_name(4), "PZ #0 : [0-6562ft] : 1p");
    EXPECT_EQ(model_name(5), "PZ #1 : [3281-9843ft] : 2p");
}

TEST_F(LoadModeTest, LimitsFromEveryAltitudeForm) {
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"500M AMSL", "1500"}, {"300M AGL", "1000FT GND"}, {"GND", "FL 95"}, {"2000 MSL", "UNLIMITED"},
        {"SFC", "2500F AGL"}};
    std::string text;
    for (std::size_t n = 0; n < forms.size(); ++n) {
        text += "AC D\nAN Z" + std::to_string(n) + "\nAL " + forms[n].first + "\nAH " + forms[n].second + "\n" +
                dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" + dp(45, 5, 6, 5) + "\n";
    }
    ASSERT_EQ(load(text), 1);
    ASSERT_EQ(nbzon_, 5);
    const std::vector<std::pair<float, float>> metres = {
        {500.0f, 457.2f}, {-300.0f, -304.8f}, {0.0f, 2895.6f}, {609.6f, 20000.0f}, {0.0f, -762.0f}};
    for (std::size_t n = 0; n < metres.size(); ++n) {
        EXPECT_NEAR(as0001.as_lim[n][kLimFloor], metres[n].first, 0.01f) << n;
        EXPECT_NEAR(as0001.as_lim[n][kLimCeiling], metres[n].second, 0.01f) << n;
    }
    EXPECT_EQ(model_name(1), "Z1 (D) : 300M AGL - 1000FT GND");
}

TEST_F(LoadModeTest, DisabledAndOutsideZonesAreDroppedAndTheRestNumberedOn) {
    const std::string text = square_zone("D", "ZERO", 45, 0, 6, 0) + square_zone("R", "ONE", 45, 10, 6, 0) +
                             square_zone("C", "FAR", 50, 0, 6, 0) + square_zone("G", "THREE", 45, 20, 6, 0);
    rd_fpl_5.qas_disa[1] = true;
    ASSERT_EQ(load(text), 1);
    ASSERT_EQ(nbzon_, 2);
    EXPECT_EQ(model_name(0), "ZERO (D) : SFC - FL65");
    EXPECT_EQ(model_name(1), "THREE (G) : SFC - FL65");
    EXPECT_EQ(model_classes(), (std::vector<int>{3, 6}));
    EXPECT_EQ(airspace_mod.as_is_derog, (std::vector<bool>{false, true}));
    // Each zone's points follow the previous one's.
    EXPECT_EQ(airspace_mod.as_nb[1].first, airspace_mod.as_nb[0].count);
    // Nothing kept: result 0 and an empty model.
    rd_fpl_5.qas_disa[0] = rd_fpl_5.qas_disa[3] = true;
    EXPECT_EQ(load(text), 0);
    EXPECT_EQ(nbzon_, 0);
    EXPECT_EQ(as0001.nb_zon, 0);
    EXPECT_TRUE(airspace_mod.as_nb.empty());
}

TEST_F(LoadModeTest, BandsAcrossTheWindowAreKeptAndOpenLinesDropped) {
    // A band across the window west to east (all points 3 E and 10 E, the
    // window 5 .. 8 E), two open lines of two points, a zone of three.
    const std::string band = "AC C\nAN BAND\nAL SFC\nAH FL65\n" + dp(45, 0, 3, 0) + "\n" + dp(45, 0, 10, 0) + "\n" +
                             dp(45, 1, 10, 0) + "\n" + dp(45, 1, 3, 0) + "\n";
    const std::string line = "AC D\nAN LINE\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n";
    const std::string three = "AC D\nAN THREE\nAL SFC\nAH FL65\n" + dp(45, 0, 6, 0) + "\n" + dp(45, 5, 6, 0) + "\n" +
                              dp(45, 5, 6, 5) + "\n";
    set_airspace_trace(true);
    tarvex_test::CapturedStdout out;
    const int loaded = load(band + line + line + three);
    const std::string trace = out.finish();
    set_airspace_trace(false);
    ASSERT_EQ(loaded, 1);
    ASSERT_EQ(nbzon_, 2);
    EXPECT_EQ(model_name(0), "BAND (C) : SFC - FL65");
    EXPECT_EQ(model_name(1), "THREE (D) : SFC - FL65");
    // The band's box is cut to the window.
    EXPECT_EQ(as0001.as_lim[0][kLimXmin], as0002.as_xmin);
    EXPECT_EQ(as0001.as_lim[0][kLimXmax], as0002.as_xmax);
    EXPECT_NE(trace.find("Zones of fewer than 3 points dropped:      2"), std::string::npos) << trace;
}

TEST_F(LoadModeTest, ZoneAndPointLimitsStopInOrder) {
    std::string text;
    for (int i = 0; i < 8; ++i) {
        text += square_zone("D", "Z" + std::to_string(i), 45, 6 * i, 6, 0);
    }
    // Room for 5 zones: zones 0 to 2 are held when the fourth closes.
    EXPECT_EQ(load(text, 1, 5, 1000), 1);
    EXPECT_EQ(nbzon_, 3);
    EXPECT_EQ(airspace_mod.as_gr_dim.size(), 3u);
    EXPECT_EQ(model_name(2), "Z2 (D) : SFC - FL65");
    EXPECT_EQ(cmndta001.nbwarn, 1);
    EXPECT_NE(read_file("Logfile.txt").find("only the first 3 airspaces were processed"), std::string::npos);
    // Room for 12 points: two zones of five.
    EXPECT_EQ(load(text, 1, 100, 12), 1);
    EXPECT_EQ(nbzon_, 2);
    EXPECT_EQ(airspace_mod.as_pp.size(), 10u);
    EXPECT_EQ(cmndta001.nbwarn, 2);
    // Penalty zones find no room after the file's zones: warned, left out.
    rd_fpl_0.nb_pz = 1;
    rd_fpl_1.pzp[1] = {};
    EXPECT_EQ(load(square_zone("D", "Z", 45, 0, 6, 0), 1, 100, 8), 1);
    EXPECT_EQ(nbzon_, 1);
    EXPECT_NE(read_file("Logfile.txt").find("penalty zones from PZ #0 on are not loaded"), std::string::npos);
}

// An arc asking for more points than the whole table holds loses only its
// zone; the zones after it are loaded.
TEST_F(LoadModeTest, AnArcThatCannotBeDrawnLosesOnlyItsZone) {
    const std::string text = square_zone("D", "Z0", 45, 0, 6, 0) +
                             "AC C\nAN WRONG\nV X=45:30:00 S 006:10:00 E\n"
                             "DB 45:30:00 N 006:20:00 E, 45:30:00 N 006:00:00 E\n" +
                             square_zone("D", "Z2", 45, 12, 6, 0);
    EXPECT_EQ(load(text, 1, 100, 1000), 1);
    EXPECT_EQ(nbzon_, 2);
    EXPECT_EQ(model_name(0), "Z0 (D) : SFC - FL65");
    EXPECT_EQ(model_name(1), "Z2 (D) : SFC - FL65");
    EXPECT_EQ(cmndta001.nbwarn, 1);
    EXPECT_EQ(read_file("Logfile.txt").find("airspaces were processed"), std::string::npos);
}

TEST_F(LoadModeTest, PenaltyZonesOutsideTheWindowOrOutOfRangeAreLeftOut) {
    const PlanePoint inside = frame_point(45.5f, 6.5f);
    const PlanePoint outside = frame_point(50.0f, 6.5f);
    rd_fpl_0.nb_pz = 3;
    const std::array<PlanePoint, 3> corner0 = {outside, PlanePoint{3.0e9f, 0.0f}, inside};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            rd_fpl_1.pzp[1][k][i] = corner0[i].x + (k == 1 || k == 2 ? 2000.0f : 0.0f);
            rd_fpl_1.pzp[2][k][i] = corner0[i].y + (k >= 2 ? 2000.0f : 0.0f);
        }
        rd_fpl_1.pza[2][i] = 1000.0f;
        rd_fpl_1.pza[3][i] = 2.5f;
    }
    ASSERT_EQ(load(square_zone("D", "Z", 45, 0, 6, 0)), 1);
    // PZ #0 lies outside, PZ #1 is out of range: PZ #2 takes slot 1.
    ASSERT_EQ(nbzon_, 2);
    EXPECT_EQ(model_name(1), "PZ #2 : [0-1000m] : 3p");
    EXPECT_EQ(airspace_mod.as_nb[1].first, 5);
    EXPECT_EQ(cmndta001.nbwarn, 1);
    EXPECT_NE(read_file("Logfile.txt").find("Penalty zone PZ #1 not loaded: a corner lies out of range"),
              std::string::npos);
}

TEST_F(LoadModeTest, NotInDerogationOutsideEveryBoxOfClassesGAndGsec) {
    EXPECT_TRUE(notinderog(0.0f, 0.0f));
    ASSERT_EQ(load(square_zone("G", "G", 45, 0, 6, 0) + square_zone("D", "D", 45, 10, 6, 0) +
                   "AC W\nAN GSEC\n" + dp(45, 20, 6, 0) + "\n" + dp(45, 25, 6, 0) + "\n" + dp(45, 25, 6, 5) + "\n"),
              1);
    const AirspaceLimits& g = as0001.as_lim[0];
    EXPECT_FALSE(notinderog(g[kLimXmin], g[kLimYmax]));
    EXPECT_FALSE(notinderog((g[kLimXmin] + g[kLimXmax]) / 2, (g[kLimYmin] + g[kLimYmax]) / 2));
    EXPECT_TRUE(notinderog(g[kLimXmin] - 1.0f, g[kLimYmax]));
    const AirspaceLimits& d = as0001.as_lim[1];
    EXPECT_TRUE(notinderog((d[kLimXmin] + d[kLimXmax]) / 2, (d[kLimYmin] + d[kLimYmax]) / 2));
    const AirspaceLimits& w = as0001.as_lim[2];
    EXPECT_FALSE(notinderog(w[kLimXmax], w[kLimYmin]));
    // A filter-mode read releases the model.
    as0003.qwriteas = true;
    as000c.new_aspfile = "out.txt";
    as000c.asp_d_file = "list.txt";
    load(square_zone("G", "G", 45, 0, 6, 0));
    EXPECT_EQ(as0001.nb_zon, 0);
    EXPECT_TRUE(airspace_mod.as_pp.empty());
    EXPECT_TRUE(notinderog(g[kLimXmin], g[kLimYmax]));
}

TEST_F(LoadModeTest, RoutinesOfTheTerrainCode) {
    // Near-duplicate points of the zone being read are removed.
    std::vector<AirspaceZone> zon = {AirspaceZone{3, 1, 0}};
    std::vector<PlanePoint> pp = {{0, 0}, {100, 100}, {140, 100}, {130, 140}, {260, 100}, {0, 0}};
    int npt = 5;
    check_dup(0, zon, pp, npt);
    EXPECT_EQ(npt, 3);
    EXPECT_EQ(pp[1].x, 100.0f);
    EXPECT_EQ(pp[2].x, 260.0f);

    set_class_sel(3, true);
    set_class_sel(20, true);
    EXPECT_TRUE(as0001.qseltyp[3]);
    ASSERT_EQ(load(square_zone("D", "Z", 45, 0, 6, 0), 0), 1);
    set_as_act(0, false);
    set_as_act(1, false);
    EXPECT_EQ(airspace_mod.as_act, (std::vector<bool>{false}));

    AirspacePens sp{};
    AirspaceBrushes sb{};
    init_airspace_col(sp, sb);
    EXPECT_EQ(sp[11][1], 3);  // GP drawn 3 wide, as its SP lines are
    for (const AirspaceBrush& brush : sb) {
        EXPECT_EQ(brush, (AirspaceBrush{-1, -1, -1}));
    }
}

}  // namespace
}  // namespace airspace_test
