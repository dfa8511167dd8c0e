#include <cmath>
#include <string>
#include <vector>

#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/stopwatch.h"
#include "foundation/terrain_extents.h"
#include "terrain/reach_profile.h"
#include "terrain/reach_records.h"
#include "terrain_fixture.h"

namespace terrain_test {
namespace {

constexpr float kLoss = 0.03125f;

// A reach grid of 12 x 12 cells standing on terrain cells 1..12 of a 14 x 14
// grid, every cell reached at `agl` metres above the ground.
class ReachProfile : public TerrainTest {
protected:
    static constexpr int kCells = 12;

    ReachProfile() {
        loca00.sfty_g = 50.0f;
        loca00.sfty_h = 50.0f;
        loca00.fcalc_inv = kLoss;
        rch001.irch_1 = 1;
        rch001.jrch_1 = 1;
        rch001.irch_min = 1;
        rch001.irch_max = kCells;
        rch001.jrch_min = 1;
        rch001.jrch_max = kCells;
        pelrn00.ngri_cur = 1;
    }

    // Terrain: 0, with a block 5000 m high over columns 3..11, rows 4..12.
    void terrain_with_block() {
        set_grid(14, 14, [](int i, int j) { return i >= 3 && i <= 11 && j >= 4 && j <= 12 ? 5000.0f : 0.0f; });
        fill_reach(1000.0f);
    }

    void fill_reach(float agl) {
        ppp_.assign(kCells, kCells, GlidePoint{});
        n_rch_.assign(kCells, kCells, 1);
        reachable_mod.l_connect.assign(kCells, kCells, 0);
        for (int ii = 1; ii <= kCells; ++ii) {
            for (int jj = 1; jj <= kCells; ++jj) {
                ppp_(ii, jj) = {trn001.x_scn_mx - centre(ii), centre(jj), agl};
            }
        }
    }

    static int code(int ii, int jj) { return ii + (jj - 1) * kCells; }
    // Landscape-frame x of a grid column's centre.
    static float land_x(int i) { return trn001.x_scn_mx - centre(i); }

    CellTable<GlidePoint> ppp_;
    CellTable<int> n_rch_;
    std::vector<GlidePoint> profile_;
    int nman_ = -5;
};

TEST_F(ReachProfile, FollowsTheCellsRoundABlockThroughTheLastColumn) {
    terrain_with_block();
    // The end (12, 12) was reached from (12, 2), in the last column of the
    // reach grid, which was reached straight from the start.
    reachable_mod.l_connect(12, 12) = code(12, 2);
    ppp_(12, 2).z = 3000.0f - 900.0f * kLoss;
    ppp_(12, 12).z = ppp_(12, 2).z - 900.0f * kLoss;
    get_reach_prof(land_x(2), centre(2), 3000.0f, land_x(12), centre(12), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    ASSERT_EQ(nman_, 3);
    EXPECT_EQ(profile_[1].x, land_x(2));
    EXPECT_EQ(profile_[1].z, 3000.0f);
    EXPECT_EQ(profile_[2].x, land_x(12));
    EXPECT_EQ(profile_[2].y, centre(2));
    EXPECT_NEAR(profile_[2].z, 3000.0f - 900.0f * kLoss, 1e-3f);
    EXPECT_EQ(profile_[3].y, centre(12));
    // The end cell's own centre went: the corner sees the end point.
    EXPECT_NEAR(profile_[3].z, 3000.0f - 1800.0f * kLoss, 1e-3f);
}

TEST_F(ReachProfile, StraightGlidesLeaveStartAndEnd) {
    set_grid(14, 14, [](int, int) { return 200.0f; });
    fill_reach(800.0f);
    reachable_mod.l_connect(10, 7) = code(5, 5);
    reachable_mod.l_connect(5, 5) = 0;
    get_reach_prof(land_x(2), centre(2), 1500.0f, land_x(10) + 20.0f, centre(7), kCells, kCells, ppp_, n_rch_,
                   nman_, profile_);
    ASSERT_EQ(nman_, 2);
    EXPECT_EQ(profile_[2].x, land_x(10) + 20.0f);
    const float d = std::hypot(centre(10) - 20.0f - centre(2), centre(7) - centre(2));
    EXPECT_NEAR(profile_[2].z, 1500.0f - d * kLoss, 1e-2f);
}

TEST_F(ReachProfile, EndsThatGiveNoProfile) {
    terrain_with_block();
    // Start off the terrain grid.
    get_reach_prof(-500.0f, centre(2), 3000.0f, land_x(12), centre(12), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    EXPECT_EQ(nman_, 0);
    // End off the reach grid (terrain column 13).
    get_reach_prof(land_x(2), centre(2), 3000.0f, land_x(13), centre(12), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    EXPECT_EQ(nman_, -1);
    // End not reached (as the passes leave it: -1000), and no corner of its
    // coarse cell either.
    n_rch_.fill(0);
    ppp_(6, 6).z = -1000.0f;
    pelrn00.ngri_cur = 2;
    get_reach_prof(land_x(2), centre(2), 3000.0f, land_x(6), centre(6), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    EXPECT_EQ(nman_, -1);
    // A corner of the coarse cell stands in for the end.
    n_rch_(5, 7) = 1;
    ppp_(5, 7).z = -1.0f;
    get_reach_prof(land_x(2), centre(2), 3000.0f, land_x(6), centre(6), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    EXPECT_EQ(nman_, -1);  // its reach height is below 0
    ppp_(5, 7).z = 100.0f;
    get_reach_prof(land_x(2), centre(2), 3000.0f, land_x(6), centre(6), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    EXPECT_GE(nman_, 2);
    // A chain that loops gives no profile instead of running on.
    n_rch_.fill(1);
    reachable_mod.l_connect(12, 12) = code(12, 1);
    reachable_mod.l_connect(12, 1) = code(12, 12);
    get_reach_prof(land_x(2), centre(2), 3000.0f, land_x(12), centre(12), kCells, kCells, ppp_, n_rch_, nman_,
                   profile_);
    EXPECT_EQ(nman_, -1);
}

TEST_F(ReachProfile, HeightsAboveGroundExtentAndSummary) {
    set_grid(14, 14, [](int i, int) { return 100.0f * static_cast<float>(i); });
    fill_reach(0.0f);
    rch001.irch_min = 2;
    rch001.irch_max = 9;
    ppp_(3, 3).z = 1000.0f;  // 700 above the ground
    ppp_(7, 9).z = 740.0f;   // 40 above: not beyond sfty_g
    ppp_(11, 3).z = 5000.0f;  // outside the window
    posi00.x_rch = land_x(1);
    posi00.y_rch = centre(1);
    posi00.t_rch = 3600.0f;
    posi00.z_rch = 1234.5f;
    set_time_of_day_source([] { return TimeOfDay{10, 0, 0, 0}; });
    reset_stopwatches();
    ReachExtent pmima{};
    std::string line;
    to_agl(kCells, kCells, ppp_, 1, pmima, line);
    EXPECT_EQ(ppp_(3, 3).z, 700.0f);
    EXPECT_EQ(ppp_(7, 9).z, 40.0f);
    EXPECT_EQ(ppp_(11, 3).z, 5000.0f);
    EXPECT_EQ(pmima[1][1], land_x(7));
    EXPECT_EQ(pmima[1][2], land_x(3));
    EXPECT_EQ(pmima[2][1], centre(3));
    EXPECT_EQ(pmima[2][2], centre(9));
    EXPECT_FLOAT_EQ(pmima[1][3], std::hypot(180.0f, 180.0f));
    EXPECT_EQ(line, "  3600.0,  1234.5,   254.6, 90, 0.000E+00");

    // Step 2 puts the seconds one column further; steps other than 1, 2, 4,
    // 8 give no line; the French form uses ";" and ",".
    fill_reach(0.0f);
    cmndta001.qfr = true;
    to_agl(kCells, kCells, ppp_, 2, pmima, line);
    EXPECT_EQ(line, "  3600,0;  1234,5;     0,0;180;; 0,000E+00");
    to_agl(kCells, kCells, ppp_, 3, pmima, line);
    EXPECT_EQ(line, "");
    set_time_of_day_source(nullptr);
    reset_stopwatches();
}

}  // namespace
}  // namespace terrain_test
