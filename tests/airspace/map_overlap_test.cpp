// The map-overlap check: the track or task against the frame, the download
// question, the clearance information, the reachability rectangles and the
// terrain grid cells.

#include <gtest/gtest.h>

#include <string>

#include "airspace/airspace_window.h"
#include "airspace/map_overlap.h"
#include "airspace_fixture.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "platform/console.h"
#include "platform/dialogs.h"
#include "support/std_streams.h"
#include "support/temp_dir.h"
#include "taskfiles/task_model.h"

namespace airspace_test {
namespace {

class MapOverlapTest : public AirspaceTest {
protected:
    MapOverlapTest() {
        set_console_utf8(false);
        loca_c.infile = "C:\\Flights\\Track.igc";
        // A 90 km square frame on a grid of 1,000 x 1,000 cells of 90 m.
        trn001.x_scn_mx = trn001.y_scn_mx = 90000.0f;
        trn001.rew = trn001.rns = 90.0f;
        trn001.ni_scn = trn001.nj_scn = 1000;
        loca00.fcalc = 10.0f;
    }
    ~MapOverlapTest() override { clear_console_encoding(); }

    // Track points x, y (metres) with heights (glide reach = height x 10).
    static void track(std::initializer_list<TrackPoint> points) {
        pelloran_mod.ppsec.assign(1, TrackPoint{});
        pelloran_mod.ppsec.insert(pelloran_mod.ppsec.end(), points.begin(), points.end());
        loca02.ntot = static_cast<int>(points.size());
    }

    // Runs the check answering the question with `answer`; returns what it
    // asked on the console.
    std::string run_answering(const std::string& answer, int& result) {
        tarvex_test::ScopedStdin in(answer);
        tarvex_test::CapturedStdout out;
        result = map_overlap();
        return out.finish();
    }

    static int flagged_rectangles() {
        int count = 0;
        for (const auto& column : trn002.qrect) {
            for (const bool flag : column) {
                count += flag ? 1 : 0;
            }
        }
        return count;
    }

    tarvex_test::ScopedEnv display_{"DISPLAY", nullptr};
    tarvex_test::ScopedEnv wayland_{"WAYLAND_DISPLAY", nullptr};
    tarvex_test::ScopedEnv dialogs_{"TARVEX_DIALOGS", "console"};
};

TEST_F(MapOverlapTest, TrackInsideTheFrameSetsExtentsRectanglesAndGrid) {
    track({{0, 20000, 30000, 500}, {0, 40000, 36000, 1000}, {0, 30000, 33000, 900}});
    int result = 0;
    const std::string asked = run_answering("", result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(asked.find("Tarvex\n"), std::string::npos);
    EXPECT_EQ(trn001.xmin, 20000.0f);
    EXPECT_EQ(trn001.xmax, 40000.0f);
    EXPECT_EQ(trn001.ymin, 30000.0f);
    EXPECT_EQ(trn001.ymax, 36000.0f);
    EXPECT_EQ(trn001.zmin, 500.0f);
    EXPECT_EQ(trn001.zmax, 1000.0f);
    EXPECT_FLOAT_EQ(trn001.zmoy, 800.0f);
    // Reach: each point widened by ten times its height: 15..50 km by
    // 24..46 km; the window takes it before the grid moves it onto cells.
    EXPECT_EQ(as0002.as_xmin, 15000.0f);
    EXPECT_EQ(as0002.as_xmax, 50000.0f);
    EXPECT_EQ(as0002.as_ymin, 24000.0f);
    EXPECT_EQ(as0002.as_ymax, 46000.0f);
    // 35 km by 22 km in rectangles of 35/30 km: 30 by 19.
    EXPECT_EQ(trn002.nx_rect, 30);
    EXPECT_EQ(trn002.ny_rect, 19);
    EXPECT_TRUE(trn002.qrect[1][1]);
    EXPECT_TRUE(trn002.qrect[30][19]);
    EXPECT_FALSE(trn002.qrect[30][1]);
    // Columns from the west edge, where x is 90 km: the reach's 50 .. 15 km
    // are 40 .. 75 km from it, columns 445 (40,000 / 90 + 1) to 834: 390,
    // raised to 448; rows 267 to 512: 246, raised to 256.
    EXPECT_EQ(trn001.i_00, 445);
    EXPECT_EQ(trn001.ni_00, 448);
    EXPECT_EQ(trn001.j_00, 267);
    EXPECT_EQ(trn001.nj_00, 256);
    EXPECT_EQ(trn001.xmin_r, 90000.0f - (444 + 448) * 90.0f);
    EXPECT_EQ(trn001.xmax_r, 90000.0f - 444 * 90.0f);
    EXPECT_EQ(trn001.ymax_r, (266 + 256) * 90.0f);
}

TEST_F(MapOverlapTest, TrackOverTheEastAndNorthEdgesAsksForTopography) {
    track({{0, -500, 30000, 500}, {0, 40000, 90500, 500}});
    int result = 0;
    std::string asked = run_answering("y\n", result);
    EXPECT_EQ(result, -1);
    EXPECT_NE(asked.find("Tarvex\nC:\\Flights\\Track.igc\nThe track extends beyond the map: E, N \n"
                         "No processing possible\n\nDo you want to download topographic data for this task ?"),
              std::string::npos)
        << asked;
    asked = run_answering("n\n", result);
    EXPECT_EQ(result, 0);
    cmndta001.qfr = true;
    asked = run_answering("n\n", result);
    EXPECT_EQ(result, 0);
    EXPECT_NE(asked.find("Le circuit s'\xE9tend au del\xE0 de la carte : E, N \nTraitement impossible"),
              std::string::npos);
    // West and south alone.
    cmndta001.qfr = false;
    track({{0, 90500, -1, 500}});
    asked = run_answering("n\n", result);
    EXPECT_NE(asked.find("map: W, S \n"), std::string::npos);
}

TEST_F(MapOverlapTest, ClearanceBeyondTheMapIsToldAndCutBack) {
    track({{0, 85000, 45000, 1000}});
    cmndta001.nberr = cmndta001.nbwarn = 0;
    int result = 0;
    run_answering("", result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(cmndta001.nberr + cmndta001.nbwarn, 0);
    const std::string log = read_file("Logfile.txt");
    EXPECT_NE(log.find("Possible clearance tracks go beyond the map: W\r\n"), std::string::npos);
    EXPECT_NE(log.find("Some LAs could be ignored"), std::string::npos);
    EXPECT_EQ(as0002.as_xmax, 90000.0f);
    EXPECT_EQ(as0002.as_xmin, 75000.0f);
    // 75 .. 90 km is the frame's west end: columns 1 .. 167 from the west
    // edge, raised to 192.
    EXPECT_EQ(trn001.ni_00, 192);
    EXPECT_EQ(trn001.i_00, 1);
    EXPECT_EQ(trn001.xmax_r, 90000.0f);
    EXPECT_EQ(trn001.xmin_r, 90000.0f - 192 * 90.0f);
}

TEST_F(MapOverlapTest, RectanglesAroundEachTrackPointOnly) {
    // The whole frame by map generation: a square, 30 x 30 rectangles of 3 km.
    pelrn02.qgenmap = true;
    track({{0, 45000, 45000, 100}});
    ASSERT_EQ(map_overlap(), 1);
    EXPECT_EQ(trn002.nx_rect, 30);
    EXPECT_EQ(trn002.ny_rect, 30);
    EXPECT_EQ(trn002.dx_rect, 3000.0f);
    // 1 km reach round 45 km: rectangles 15 and 16 on each axis.
    EXPECT_EQ(flagged_rectangles(), 4);
    EXPECT_TRUE(trn002.qrect[15][16]);
    EXPECT_EQ(trn001.zmin, 100.0f);
    // Twice as wide as high: 30 x 15.
    trn001.y_scn_mx = 45000.0f;
    ASSERT_EQ(map_overlap(), 1);
    EXPECT_EQ(trn002.nx_rect, 30);
    EXPECT_EQ(trn002.ny_rect, 15);
}

TEST_F(MapOverlapTest, NavigationFlagsEveryRectangleAndWidensTheTaskBox) {
    pelrn00.qnav = true;
    pelrn00.nrcdim0 = 100;
    pelrn00.maxtaskmargin = 20;
    rd_fpl_0.nb_wp = 2;
    rd_fpl_1.tpx[0] = 40000.0f;
    rd_fpl_1.tpy[0] = 40000.0f;
    rd_fpl_1.tpx[1] = 50000.0f;
    rd_fpl_1.tpy[1] = 44000.0f;
    rd_fpl_1.tprad[0] = rd_fpl_1.tprad[1] = 1000;
    ASSERT_EQ(map_overlap(), 1);
    EXPECT_EQ(trn001.xmin, 39000.0f);
    EXPECT_EQ(trn001.xmax, 51000.0f);
    EXPECT_EQ(flagged_rectangles(), 2500);
    // Half the box is 6 km: the reach margin is its least, 25 km; the window
    // margin 25 km held to the task margin of 20 km.
    EXPECT_EQ(as0002.as_xmin, 19000.0f);
    EXPECT_EQ(as0002.as_ymax, 65000.0f);
    // Reach from 14 km: column 156, 690 columns raised to 704.
    EXPECT_EQ(trn001.i_00, 156);
    EXPECT_EQ(trn001.ni_00, 704);
}

TEST_F(MapOverlapTest, GridCountsBecomeMultiplesOfSixtyFourHoldingTheColumnsAskedFor) {
    // Reach over columns 1 to 100 (the whole frame of 99 cells of 90 m).
    pelrn02.qgentrn = true;
    trn001.x_scn_mx = 99 * 90.0f;
    ASSERT_EQ(map_overlap(), 1);
    EXPECT_EQ(trn001.i_00, 1);
    EXPECT_EQ(trn001.ni_00, 128);
    // A grid of 120 columns cannot hold 128: the count is lowered to 64,
    // from the first column asked for, 1 .. 64 (not 57 .. 120, which would
    // drop the 56 first columns asked for).
    trn001.ni_scn = 120;
    ASSERT_EQ(map_overlap(), 1);
    EXPECT_EQ(trn001.ni_00, 64);
    EXPECT_EQ(trn001.i_00, 1);
    // Columns 1 .. 64 from the west edge, x = 8,910 m.
    EXPECT_EQ(trn001.xmin_r, 8910.0f - 64 * 90.0f);
    EXPECT_EQ(trn001.xmax_r, 8910.0f);
}

TEST_F(MapOverlapTest, ARangeRaisedOverTheGridsEndIsShiftedBackOverIt) {
    // A track point 5 km from the east edge with 10 km of glide: reach x 0 ..
    // 15 km (cut back to the frame), columns 834 .. 1000, 167 raised to 192,
    // which end at column 1000 from column 809 and still hold them.
    track({{0, 5000, 45000, 1000}});
    int result = 0;
    run_answering("", result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(trn001.ni_00, 192);
    EXPECT_EQ(trn001.i_00, 809);
    EXPECT_EQ(trn001.xmin_r, 0.0f);
    EXPECT_EQ(trn001.xmax_r, 90000.0f - 808 * 90.0f);
}

TEST_F(MapOverlapTest, RectanglesAreFoundFromTheOriginTheyWereBuiltOn) {
    // Two points 40 km apart, 5 km of glide each: reach 15 .. 65 km by 40 ..
    // 50 km, rectangles of 1,667 m, flagged round each point and not
    // between them.
    track({{0, 20000, 45000, 500}, {0, 60000, 45000, 500}});
    int result = 0;
    run_answering("", result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(trn002.xorg_rect, 15000.0f);
    EXPECT_EQ(trn002.yorg_rect, 40000.0f);
    // The grid's cells moved the reach extents 1,770 m further east.
    EXPECT_EQ(trn001.xmin_r, 90000.0f - 853 * 90.0f);
    EXPECT_TRUE(in_reach_rect(20000.0f, 45000.0f));
    EXPECT_TRUE(in_reach_rect(56000.0f, 45000.0f));
    EXPECT_FALSE(in_reach_rect(40000.0f, 45000.0f));
    // 1.5 km east of the second point's box: no flagged rectangle (from the
    // moved extents it would read the first rectangle of that box).
    EXPECT_FALSE(in_reach_rect(53500.0f, 45000.0f));
}

TEST_F(MapOverlapTest, NothingToCheckIsAnError) {
    int result = -9;
    run_answering("", result);
    EXPECT_EQ(result, 0);  // no track point
    pelrn00.qnav = true;
    EXPECT_EQ(map_overlap(), 0);  // no turnpoint
    pelrn00.qnav = false;
    track({{0, 45000, 45000, 100}});
    trn001.rew = 0.0f;
    EXPECT_EQ(map_overlap(), 0);  // no terrain grid
    EXPECT_EQ(cmndta001.nberr, 3);
    const std::string log = read_file("Logfile.txt");
    EXPECT_NE(log.find("Map overlap check: the track has no point"), std::string::npos);
    EXPECT_NE(log.find("Map overlap check: the task has no turnpoint"), std::string::npos);
    EXPECT_NE(log.find("Map overlap check: the terrain grid is not set"), std::string::npos);
}

}  // namespace
}  // namespace airspace_test
