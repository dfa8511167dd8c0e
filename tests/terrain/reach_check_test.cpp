// An independent check of computed reachability: every sampled reached
// cell's path, as the connection codes record it back to the start, clears
// the ground by the safety height on every leg (and each leg leaves no
// higher than the cell it leaves from); no straight glide from the start
// clears the ground to a sampled candidate left unreached. The ground
// between the passes' sampling points may rise over the straight line by at
// most half a cell times the steepest slope: that is the tolerance.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "reach_fixture.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_records.h"
#include "terrain_scenes.h"

namespace terrain_test {
namespace {

using terrain_scenes::Relief;

constexpr int kCells = 300;
constexpr int kReach = 201;

class ReachCheck : public ReachTest, public ::testing::WithParamInterface<Relief> {
protected:
    // Checks every 2nd column of every 3rd row; unreached cells only where
    // the first pass traced at the step `traced` (every traced-th cell).
    void check(const CellTable<GlidePoint>& ppp, const CellTable<int>& state, float z0, int traced, int& reached,
               int& missed) {
        const float xs = centre(kCells / 2);
        const double slope = GlideCheck::steepest_slope();
        const GlideCheck checker{xs, xs, z0, 45.0 * slope + 1.0};
        reached = 0;
        missed = 0;
        for (int ii = 1; ii <= kReach; ii += 2) {
            for (int jj = 1; jj <= kReach; jj += 3) {
                const int s = state(ii, jj);
                const float xc = trn001.x_scn_mx - ppp(ii, jj).x;
                const float yc = ppp(ii, jj).y;
                if (s == kReachStraight || s == kReachConfirmed) {
                    std::string why;
                    ASSERT_TRUE(checker.path_clears(ii, jj, ppp, state, why)) << why;
                    ++reached;
                } else if (std::hypot(xc - xs, yc - xs) > 100.0f && (s == kReachCandidate || s == kReachOutside) &&
                           (ii - 1) % traced == 0 && (jj - 1) % traced == 0) {
                    // The straight line: the passes found the ground within
                    // the safety height at one of their points, which lies
                    // within 5 m of one of the check's.
                    const double least = GlideCheck::least_clearance(xs, xs, z0, xc, yc);
                    ASSERT_LT(least, kSafety + 5.0 * slope + 0.5) << ii << "," << jj << " state " << s;
                    ++missed;
                }
            }
        }
    }
};

TEST_P(ReachCheck, PathsOfReachedCellsClearTheGroundAndUnreachedCellsHaveNoStraightGlide) {
    terrain_scenes::set_scene(GetParam(), kCells, kCells);
    pelrn00.qwind = true;
    loca00.wnd_x = 4.0f;
    loca00.wnd_y = -3.0f;
    const float z0 = GetParam() == Relief::alpine ? 2600.0f : 700.0f;
    const float xs = centre(kCells / 2);
    run_passes(kReach, 1, xs, xs, z0);
    int reached = 0;
    int missed = 0;
    check(ppp_, state_, z0, 1, reached, missed);
    EXPECT_GT(reached, 300);
    EXPECT_GT(missed, 100);
    if (GetParam() == Relief::alpine) {
        EXPECT_GT(nex2_, 1000);  // the second pass has work to do
    }

    // The driver's result, refined down to step 1 by a clock that stands
    // still: its computed and filled cells pass the same check, the filled
    // ones clear their own terrain.
    pelrn00.qrefgri = true;
    int nex = 0;
    int ngri = 0;
    CellTable<GlidePoint> ppp;
    CellTable<int> state;
    ASSERT_TRUE(
        get_reach_p_nav(kReach, kReach, ppp, state, nex, ngri, trn001.x_scn_mx - xs, xs, z0, 0.0f, 0, xdcnt_, ydcnt_));
    EXPECT_EQ(ngri, 1);
    check(ppp, state, z0, 8, reached, missed);
    EXPECT_GT(reached, 100);
    int filled = 0;
    for (int ii = 1; ii <= kReach; ++ii) {
        for (int jj = 1; jj <= kReach; ++jj) {
            int i = 0;
            int j = 0;
            if (state(ii, jj) == kReachFilled && reach_terrain_cell(ii, jj, i, j)) {
                ASSERT_GT(ppp(ii, jj).z, altitude.zp(i, j) + kSafety);
                ++filled;
            }
        }
    }
    EXPECT_GT(filled, 100);
}

INSTANTIATE_TEST_SUITE_P(Scenes, ReachCheck, ::testing::Values(Relief::alpine, Relief::rolling),
                         [](const auto& info) { return info.param == Relief::alpine ? "Alpine" : "Rolling"; });

}  // namespace
}  // namespace terrain_test
