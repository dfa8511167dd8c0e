// The reach driver with a scripted clock: the starting step halves after a
// computation under 0.3 s, doubles after one over 0.9 s, and refinement stops
// at the 0.9 s budget; the refinement's filled cells; any steps, the refused ones.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "reach_fixture.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_records.h"

namespace terrain_test {
namespace {

constexpr int kCells = 120;
constexpr int kReach = 65;

class ReachDriver : public ReachTest {
protected:
    ReachDriver() {
        set_grid(kCells, kCells, [](int i, int j) { return noise_height(i, j, 7, 300); });
    }

    // One computation from the middle at 1500 m; the step it ended at.
    int compute() {
        int nex = 0;
        int ngri = 0;
        const float x = centre(kCells / 2);
        EXPECT_TRUE(get_reach_p_nav(kReach, kReach, out_ppp_, out_state_, nex, ngri, trn001.x_scn_mx - x, x, 1500.0f,
                                    0.0f, 0, xdcnt_, ydcnt_));
        return ngri;
    }

    // A clock that advances by `step` seconds at each reading.
    void ticking_clock(float step) {
        now_ = 100.0f;
        set_reach_clock([this, step] { return now_ += step; });
    }

    float now_ = 0.0f;
    CellTable<GlidePoint> out_ppp_;
    CellTable<int> out_state_;
};

TEST_F(ReachDriver, TheStartingStepFollowsTheTimeOfTheLastComputation) {
    // A clock that stands still: every computation takes 0 s, which is
    // fast, not "no computation yet".
    std::vector<int> steps;
    for (int n = 0; n < 5; ++n) {
        steps.push_back(compute());
    }
    EXPECT_EQ(steps, (std::vector<int>{8, 4, 2, 1, 1}));
    // A second at every reading: slow computations double the step.
    ticking_clock(1.0f);
    steps.clear();
    for (int n = 0; n < 5; ++n) {
        steps.push_back(compute());
    }
    // The first still follows the fast one before it.
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 4, 8, 8}));
    // Half a second in all: the step stays.
    for (int n = 0; n < 2; ++n) {
        now_ = 0.0f;
        set_reach_clock([this, calls = 0]() mutable { return calls++ == 0 ? now_ : now_ + 0.5f; });
        EXPECT_EQ(compute(), 8);
    }
    EXPECT_FLOAT_EQ(reach_nav.rchtim, 0.5f);
    // The result is the driver's own arrays, copied.
    EXPECT_EQ(out_state_.ni(), kReach);
    EXPECT_TRUE(std::equal(out_state_.cells().begin(), out_state_.cells().end(), reach_nav.n_rch.cells().begin()));
}

TEST_F(ReachDriver, RefinementHalvesTheStepUntilTheBudgetIsSpent) {
    pelrn00.qrefgri = true;
    // Time runs out once the step-2 passes are done: refinement stops there.
    set_reach_clock([] { return pelrn00.ngri_cur <= 2 && pelrn00.ngri_cur >= 1 ? 0.95f : 0.0f; });
    EXPECT_EQ(compute(), 2);
    EXPECT_FALSE(pelrn00.qrefining);
    // With time to spare it goes down to the finest step.
    reset_reach_nav();
    set_reach_clock([] { return 0.0f; });
    EXPECT_EQ(compute(), 1);
    // Finest and coarsest alike: no refinement, the step never changes.
    reset_reach_nav();
    pelrn00.min_gri = pelrn00.max_gri = 4;
    EXPECT_EQ(compute(), 4);
    EXPECT_EQ(compute(), 4);
}

TEST_F(ReachDriver, StepsBelowOneCellOrOutOfOrderAreRefused) {
    int nex = 0;
    int ngri = 0;
    for (const auto& [lo, hi] : {std::pair{4, 2}, std::pair{0, 8}, std::pair{-1, -1}}) {
        pelrn00.min_gri = lo;
        pelrn00.max_gri = hi;
        EXPECT_FALSE(get_reach_p_nav(kReach, kReach, out_ppp_, out_state_, nex, ngri, 1000.0f, 1000.0f, 1500.0f, 0.0f,
                                     0, xdcnt_, ydcnt_));
    }
    EXPECT_EQ(boxes_.size(), 3u);
    EXPECT_TRUE(out_state_.empty());
}

TEST_F(ReachDriver, AnyStepsRunAndTheStepStaysWithinThem) {
    // From 6 to 3 cells: halving and doubling stop at the two.
    pelrn00.min_gri = 3;
    pelrn00.max_gri = 6;
    std::vector<int> steps;
    for (int n = 0; n < 3; ++n) {
        steps.push_back(compute());
    }
    ticking_clock(1.0f);
    for (int n = 0; n < 3; ++n) {
        steps.push_back(compute());
    }
    // The first slow one still follows the fast one before it.
    EXPECT_EQ(steps, (std::vector<int>{6, 3, 3, 3, 6, 6}));
    // Refined from 5 cells: to 2, not below the finest, then to 1.
    reset_reach_nav();
    set_reach_clock([] { return 0.0f; });
    pelrn00.qrefgri = true;
    pelrn00.min_gri = 2;
    pelrn00.max_gri = 5;
    EXPECT_EQ(compute(), 2);
    EXPECT_EQ(reach_nav.ngri_0, 5);
    reset_reach_nav();
    pelrn00.min_gri = 1;
    pelrn00.max_gri = 3;
    EXPECT_EQ(compute(), 1);
    EXPECT_EQ(reach_nav.ngri_0, 3);
    EXPECT_TRUE(boxes_.empty());
    // Every cell of the last step round the start is computed or filled:
    // the reached ones lie together, with no gaps of the coarse step.
    int reached = 0;
    for (int jj = 20; jj <= 46; ++jj) {
        for (int ii = 20; ii <= 46; ++ii) {
            reached += out_state_(ii, jj) >= kReachStraight ? 1 : 0;
        }
    }
    EXPECT_GT(reached, 27 * 27 * 9 / 10);
}

// Reach cells over terrain cells 1.., all of them computed at step 2 before.
class Refinement : public ReachTest {
protected:
    Refinement() {
        set_grid(20, 20, [](int i, int j) { return i == 3 && j == 6 ? 5000.0f : 0.0f; });
        ppp_.assign(9, 9, GlidePoint{});
        state_.assign(9, 9, kReachCandidate);
        reachable_mod.l_connect.assign(9, 9, kNoConnection);
        rch001 = Rch001{};
        rch001.irch_1 = rch001.jrch_1 = 1;
        for (int ii = 1; ii <= 9; ++ii) {
            for (int jj = 1; jj <= 9; ++jj) {
                ppp_(ii, jj) = {land(ii), centre(jj), kNoArrival};
            }
        }
    }
    static float land(int ii) { return trn001.x_scn_mx - centre(ii); }
    void reach(int ii, int jj, float z, int lc) {
        ppp_(ii, jj).z = z;
        state_(ii, jj) = lc == 0 ? kReachStraight : kReachConfirmed;
        reachable_mod.l_connect(ii, jj) = lc;
    }
};

TEST_F(Refinement, BetweenCellsOfOneSourceTheMeanOfOtherSourcesTheBestGlide) {
    // Start west of the grid at 2000 m; an east-west wind.
    pelrn00.qwind = true;
    loca00.wnd_x = 6.0f;
    const float x0 = land(1) + 900.0f;  // 900 m west of cell 1 (landscape x grows west)
    const float y0 = centre(1);
    reach(1, 1, 1800.0f, 0);
    reach(3, 1, 1790.0f, 0);  // same source: the mean
    reach(1, 3, 1700.0f, 5);  // from cell 5 (5, 1): the better glide wins
    reach(5, 1, 1750.0f, 0);
    reach(3, 3, 1600.0f, 0);
    int nex = 10;
    refine_reach(9, 9, ppp_, state_, nex, 1, x0, y0, 2000.0f);
    EXPECT_EQ(state_(2, 1), kReachFilled);
    EXPECT_EQ(reachable_mod.l_connect(2, 1), 0);
    EXPECT_FLOAT_EQ(ppp_(2, 1).z, 1795.0f);
    // Cell (1, 2) from the start or from cell (5, 1): the start's glide, in
    // the grid frame (eastward, against a wind from the east), is the higher.
    const auto glide = [](float xs, float ys, float zs, int ii, int jj) {
        const float dxg = centre(ii) - (trn001.x_scn_mx - xs);
        const float dy = centre(jj) - ys;
        const float d = std::hypot(dxg, dy);
        const float f = 25.0f / std::hypot(25.0f * dxg / d - 6.0f, 25.0f * dy / d);
        return zs - f * d / kGlideRatio;
    };
    const float from_start = glide(x0, y0, 2000.0f, 1, 2);
    const float from_cell = glide(land(5), centre(1), 1750.0f, 1, 2);
    ASSERT_GT(from_start, from_cell);
    EXPECT_EQ(reachable_mod.l_connect(1, 2), 0);
    EXPECT_NEAR(ppp_(1, 2).z, from_start, 1.0e-3f);
    // The centre of the four: 00, 20, 22 all from the start, 02 from cell 5.
    EXPECT_EQ(state_(2, 2), kReachFilled);
    EXPECT_NEAR(ppp_(2, 2).z, glide(x0, y0, 2000.0f, 2, 2), 1.0e-3f);
    // (3, 2) between (3, 1) and (3, 3); (2, 3) between (1, 3) and (3, 3)...
    EXPECT_EQ(state_(3, 2), kReachFilled);
    EXPECT_EQ(nex, 10 + 6);
    // No two reached coarse cells side by side: nothing to fill.
    CellTable<int> alone(9, 9, kReachCandidate);
    alone(5, 5) = kReachStraight;
    reachable_mod.l_connect(5, 5) = 0;
    int none = 3;
    refine_reach(9, 9, ppp_, alone, none, 1, x0, y0, 2000.0f);
    EXPECT_EQ(none, 3);
    // ...but a cell on the 5000 m peak at (3, 6) is left to the passes.
    reach(3, 5, 1600.0f, 0);
    reach(3, 7, 1600.0f, 0);
    reach(3, 9, 1600.0f, 0);
    refine_reach(9, 9, ppp_, state_, nex, 1, x0, y0, 2000.0f);
    EXPECT_EQ(state_(3, 6), kReachCandidate);
    EXPECT_EQ(state_(3, 8), kReachFilled);
}

TEST_F(Refinement, FromAnyCoarserStepEachCellBetweenIsWeightedByItsPlace) {
    const float x0 = land(1) + 900.0f;
    const float y0 = centre(1);
    // From step 3 to step 1, all from the start.
    reach(1, 1, 1800.0f, 0);
    reach(4, 1, 1770.0f, 0);
    reach(7, 1, 1740.0f, 0);
    reach(1, 4, 1710.0f, 0);
    reach(4, 4, 1680.0f, 0);
    int nex = 0;
    refine_reach(9, 9, ppp_, state_, nex, 1, x0, y0, 2000.0f, 3);
    // Along a row, a third and two thirds of the way.
    EXPECT_NEAR(ppp_(2, 1).z, 1790.0f, 1.0e-3f);
    EXPECT_NEAR(ppp_(3, 1).z, 1780.0f, 1.0e-3f);
    EXPECT_NEAR(ppp_(6, 1).z, 1750.0f, 1.0e-3f);
    EXPECT_NEAR(ppp_(1, 3).z, 1740.0f, 1.0e-3f);
    // Inside a square of four, by both places: 4/9, 2/9, 1/9, 2/9.
    EXPECT_NEAR(ppp_(2, 2).z, 1760.0f, 1.0e-2f);
    EXPECT_EQ(state_(3, 3), kReachFilled);
    // Row 1 (4 cells), row 4 (2), columns 1 and 4 (2 each) and the square
    // (4); the square east of it lacks its fourth corner.
    EXPECT_EQ(nex, 14);
    EXPECT_EQ(state_(5, 2), kReachCandidate);

    // From step 3 to step 2: the cells of step 2 between, 3 and 5.
    state_.fill(kReachCandidate);
    reach(1, 1, 1800.0f, 0);
    reach(4, 1, 1770.0f, 0);
    reach(7, 1, 1740.0f, 0);
    nex = 0;
    refine_reach(9, 9, ppp_, state_, nex, 2, x0, y0, 2000.0f, 3);
    EXPECT_EQ(nex, 2);
    EXPECT_NEAR(ppp_(3, 1).z, 1780.0f, 1.0e-3f);
    EXPECT_NEAR(ppp_(5, 1).z, 1760.0f, 1.0e-3f);
    EXPECT_EQ(state_(2, 1), kReachCandidate);
    EXPECT_EQ(reach_nav.ngri_0, 3);
}

}  // namespace
}  // namespace terrain_test
