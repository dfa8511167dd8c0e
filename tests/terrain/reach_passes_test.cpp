// The glide reachability passes on scenes with answers worked out by hand:
// flat ground (the disc the glide ratio gives), a wall of finite length (its
// shadow reached round its ends by the second pass), a wind (the disc
// shifted as the wind factor says); the window bounds, the refusals, the
// neighbour glide's last step and the fault report.

#include <gtest/gtest.h>

#include <climits>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "reach_fixture.h"
#include "support/temp_dir.h"
#include "terrain/reach_records.h"
#include "zone_model.h"

namespace terrain_test {
namespace {

constexpr int kGrid = 241;         // terrain cells a side
constexpr int kReach = 201;        // reach cells a side
constexpr int kStartCell = 121;    // terrain cell of the start, reach cell 101
constexpr float kRange = 7000.0f;  // flat glide range of the start altitude
constexpr float kStartZ = kSafety + kRange / kGlideRatio;

std::string read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ReachPasses : public ReachTest {
protected:
    float d(int ii, int jj) const {
        return std::hypot(cell_x(ii) - centre(kStartCell), cell_y(jj) - centre(kStartCell));
    }
    void run(int ngri = 1) { run_passes(kReach, ngri, centre(kStartCell), centre(kStartCell), kStartZ); }
};

TEST_F(ReachPasses, FlatGroundReachesTheDiscOfTheGlideRatio) {
    set_grid(kGrid, kGrid, [](int, int) { return 0.0f; });
    run();
    int straight = 0;
    int straight_all = 0;
    for (int ii = 1; ii <= kReach; ++ii) {
        for (int jj = 1; jj <= kReach; ++jj) {
            const float dist = d(ii, jj);
            const int s = state_(ii, jj);
            straight_all += s == kReachStraight ? 1 : 0;
            if (dist > 90.5f && dist < kRange - 2.0f) {
                ASSERT_EQ(s, kReachStraight) << ii << "," << jj;
                // A glide arrives within 0.9 m of the centre.
                EXPECT_NEAR(ppp_(ii, jj).z, kStartZ - dist / kGlideRatio, 0.9f / kGlideRatio + 0.002f);
                ++straight;
            } else if (dist > kRange + 2.0f || dist == 0.0f) {
                ASSERT_EQ(s, kReachOutside) << ii << "," << jj;
            } else if (dist < 90.5f) {
                // The four cells 90 m away are too near for a straight glide:
                // the second pass reaches them from their neighbours.
                EXPECT_EQ(s, kReachConfirmed);
                EXPECT_NE(reachable_mod.l_connect(ii, jj), 0);
            }
        }
    }
    EXPECT_EQ(nex1_, straight_all);
    EXPECT_LE(straight_all - straight, 200);
    EXPECT_EQ(nex2_, 4);
    // The candidate box is the disc's square; the start cell stays outside.
    EXPECT_EQ(rch001.irch_1, kStartCell - 100);
    EXPECT_EQ(rch001.irch_max - rch001.irch_min, 2 * 77);
    EXPECT_EQ(state_(101, 101), kReachOutside);
    // The reach window runs from the outer edge of the box's first cell to
    // the outer edge of its last, half a cell round their centres.
    EXPECT_FLOAT_EQ(rch001.xrch_min, cell_x(rch001.irch_min) - 45.0f);
    EXPECT_FLOAT_EQ(rch001.xrch_max, cell_x(rch001.irch_max) + 45.0f);
    EXPECT_FLOAT_EQ(rch001.yrch_min, cell_y(rch001.jrch_min) - 45.0f);
    EXPECT_FLOAT_EQ(rch001.yrch_max, cell_y(rch001.jrch_max) + 45.0f);

    // A start below the safety height over its ground reaches nothing.
    run_passes(kReach, 1, centre(kStartCell), centre(kStartCell), 100.0f);
    EXPECT_EQ(nex1_, 0);
    EXPECT_EQ(nex2_, 0);

    // At step 2 only the odd cells are computed; the others keep their marks.
    run(2);
    EXPECT_EQ(state_(101 + 10, 101), kReachStraight);
    EXPECT_EQ(state_(101 + 11, 101), kReachCandidate);
}

// A wall 3000 m high, one cell thick, 2 km east of the start and 4 km long
// north to south.
constexpr int kWallColumn = kStartCell + 22;
constexpr int kWallHalf = 22;
bool wall(int i, int j) { return i == kWallColumn && std::abs(j - kStartCell) <= kWallHalf; }

TEST_F(ReachPasses, AWallShadowIsReachedRoundItsEndsWithBendingPaths) {
    set_grid(kGrid, kGrid, [](int i, int j) { return wall(i, j) ? 3000.0f : 0.0f; });
    run();
    const float xs = centre(kStartCell);
    const float x_wall = centre(kWallColumn);
    // The ends of the wall, where the shortest way round passes.
    const float y_end = centre(kStartCell + kWallHalf) + 90.0f;
    int shadow = 0;
    int bent = 0;
    for (int ii = 1; ii <= kReach; ++ii) {
        for (int jj = 1; jj <= kReach; ++jj) {
            const float x = cell_x(ii) - xs;
            const float y = cell_y(jj) - xs;
            if (cell_x(ii) <= x_wall + 90.0f) {
                continue;
            }
            // Where the straight line crosses the wall's column.
            const float y_cross = y * (x_wall - xs) / x;
            if (std::fabs(y_cross) > y_end - xs - 180.0f) {
                continue;
            }
            ++shadow;
            const int s = state_(ii, jj);
            ASSERT_NE(s, kReachStraight) << ii << "," << jj;
            // The shortest way round an end.
            const float to_end = std::hypot(x_wall - xs, y_end - xs);
            const float round = to_end + std::hypot(x - (x_wall - xs), std::fabs(y) - (y_end - xs));
            if (s == kReachConfirmed) {
                // No path beats the way round the wall.
                EXPECT_LE(ppp_(ii, jj).z, kStartZ - round / kGlideRatio + 0.5f) << ii << "," << jj;
                // The path bends: some cell of it lies beyond the wall's end.
                int k = reachable_mod.l_connect(ii, jj);
                float widest = 0.0f;
                while (k > 0) {
                    const int jc = (k - 1) / kReach + 1;
                    const int ic = k - kReach * (jc - 1);
                    widest = std::max(widest, std::fabs(ppp_(ic, jc).y - xs));
                    k = reachable_mod.l_connect(ic, jc);
                }
                EXPECT_GE(widest, y_end - xs - 90.0f) << ii << "," << jj;
                ++bent;
            } else if (round < 0.9f * kRange) {
                ADD_FAILURE() << "not reached round the wall: " << ii << "," << jj << " state " << s;
            }
            if (round > kRange) {
                EXPECT_NE(s, kReachConfirmed) << ii << "," << jj;
            }
        }
    }
    EXPECT_GT(shadow, 1000);
    EXPECT_GT(bent, 500);
    EXPECT_GE(nex2_, bent);
}

TEST_F(ReachPasses, AWindShiftsTheDiscAsItsFactorSays) {
    set_grid(kGrid, kGrid, [](int, int) { return 0.0f; });
    pelrn00.qwind = true;
    loca00.wnd_x = 5.0f;  // toward the east in the grid frame
    loca00.wnd_y = -2.0f;
    run();
    float east = 0.0f;
    float west = 0.0f;
    for (int ii = 1; ii <= kReach; ++ii) {
        for (int jj = 1; jj <= kReach; ++jj) {
            const float dx = cell_x(ii) - centre(kStartCell);
            const float dy = cell_y(jj) - centre(kStartCell);
            const float dist = std::hypot(dx, dy);
            if (dist < 91.0f) {
                continue;
            }
            // Height lost per metre: vtrans / |vtrans m - w| / 35.
            const float f = 25.0f / std::hypot(25.0f * dx / dist - 5.0f, 25.0f * dy / dist + 2.0f);
            const float reach_along = kRange / f;
            const bool reached = state_(ii, jj) == kReachStraight;
            if (std::fabs(dist - reach_along) > 3.0f) {
                ASSERT_EQ(reached, dist < reach_along) << ii << "," << jj;
            }
            if (reached && dy == 0.0f) {
                east = std::max(east, dx);
                west = std::min(west, dx);
            }
        }
    }
    // Along the x axis |m - w / vtrans| is about 0.81 eastward and 1.21
    // westward: 5640 m and 8450 m.
    EXPECT_NEAR(east, kRange * std::hypot(0.8f, 0.08f), 90.0f);
    EXPECT_NEAR(west, -kRange * std::hypot(1.2f, 0.08f), 90.0f);
}

class ReachAirspace : public ReachPasses, protected ZoneModel {
protected:
    ReachAirspace() { reset_airspace_mod(); }
    ~ReachAirspace() override { reset_airspace_mod(); }
};

TEST_F(ReachAirspace, GlidesStayOutOfTheShortListedAirspace) {
    set_grid(kGrid, kGrid, [](int, int) { return 0.0f; });
    // A class D zone 2 to 3 km east of the start, 2 km wide, from the ground
    // to 5000 m.
    const float xs = centre(kStartCell);
    add_zone(3, square(xs + 2000.0f, xs - 1000.0f, 1000.0f), 0.0f, 5000.0f);
    add_zone(3, square(xs + 2000.0f, xs, 1000.0f), 0.0f, 5000.0f);
    build();
    as0001.qseltyp.fill(true);
    pelrn00.qnav = true;
    as0003.qcheckas_trj = true;
    run();
    EXPECT_EQ(rch003.as_nb_shortlist, 2);
    int inside = 0;
    int behind = 0;
    for (int ii = 1; ii <= kReach; ++ii) {
        for (int jj = 1; jj <= kReach; ++jj) {
            const float x = cell_x(ii) - xs;
            const float y = cell_y(jj) - xs;
            const int s = state_(ii, jj);
            if (x > 2000.0f && x < 3000.0f && std::fabs(y) < 1000.0f) {
                EXPECT_LT(s, kReachStraight) << ii << "," << jj;
                ++inside;
            } else if (x > 3000.0f && std::fabs(y * 2000.0f / x) < 950.0f && d(ii, jj) < kRange - 2.0f) {
                // Behind the zone: round it, not through it.
                EXPECT_NE(s, kReachStraight) << ii << "," << jj;
                ++behind;
            } else if (x < 1900.0f && d(ii, jj) > 100.0f && d(ii, jj) < kRange - 2.0f) {
                EXPECT_EQ(s, kReachStraight) << ii << "," << jj;
            }
        }
    }
    EXPECT_EQ(inside, 11 * 23);
    EXPECT_GT(behind, 500);
    EXPECT_GT(nex2_, 500);  // the second pass goes round the zone
}

TEST_F(ReachPasses, TheWindowShiftsForwardAlongTheTrackAndAFastStartSlidesOffItsSlope) {
    // Ground rising eastward 1 m in 10 from the start's column.
    set_grid(kGrid, kGrid, [](int i, int) { return 9.0f * static_cast<float>(std::max(i - kStartCell, 0)); });
    // 50 m/s eastward (landscape x falling) for 120 s, ending at the start.
    const float xs = centre(kStartCell);
    pelloran_mod.ppsec.assign(1, TrackPoint{});
    for (int k = 0; k <= 12; ++k) {
        const float t = 10.0f * static_cast<float>(k);
        pelloran_mod.ppsec.push_back({t, trn001.x_scn_mx - (xs - 50.0f * (120.0f - t)), xs, 1000.0f});
    }
    loca02.ntot = 13;
    pelrn00.qdecentr = true;
    run_passes(kReach, 1, xs, xs, kStartZ, 120.0f);
    // From 70 s back (the first point over 60 s old), 3500 m at 50 m/s: a
    // shift of 0.625 x a quarter of 200 cells, 31, held to whole steps of 8.
    EXPECT_EQ(rch001.irch_1, kStartCell - (100 - 24));
    EXPECT_EQ(rch001.jrch_1, kStartCell - 100);
    EXPECT_FLOAT_EQ(xdcnt_, -0.625f);
    EXPECT_FLOAT_EQ(ydcnt_, 0.0f);
    EXPECT_EQ(reach_pass.x00, xs);
    // Faster than vfmax, 40 m over the slope 2 cells east: the start slides
    // back down, westward, until it is 150 m above the ground.
    loca00.vfmax = 10.0f;
    run_passes(kReach, 1, xs + 180.0f, xs, 58.0f, 120.0f);
    EXPECT_LT(reach_pass.x00, xs + 180.0f);
    EXPECT_GT(reach_pass.z00 - 9.0f * (reach_pass.x00 - xs) / 90.0f, 0.0f);
}

TEST_F(ReachPasses, WindowBoundsAreClippedWidenedAndAligned) {
    int i1 = 0;
    int i2 = 0;
    int j1 = 0;
    int j2 = 0;
    // Reach cells 1..50 over terrain cells 91..140 of a 100-cell grid: on the
    // terrain up to 10, aligned to the cells of step 4.
    i1 = 3;
    i2 = 40;
    j1 = 7;
    j2 = 45;
    adjust_limits(50, 50, 100, 100, 91, -4, 4, i1, i2, j1, j2);
    EXPECT_EQ(i1, 5);
    EXPECT_EQ(i2, 9);
    EXPECT_EQ(j1, 9);
    EXPECT_EQ(j2, 45);
    // An empty box becomes the whole grid.
    i1 = 50;
    i2 = 1;
    j1 = 50;
    j2 = 1;
    adjust_limits(50, 50, 100, 100, 1, 1, 1, i1, i2, j1, j2);
    EXPECT_EQ(i1, 1);
    EXPECT_EQ(i2, 50);
    EXPECT_EQ(j1, 1);
    EXPECT_EQ(j2, 50);
}

TEST_F(ReachPasses, BadStepsGridsAndThreadCountsAreRefusedOrHeld) {
    set_grid(50, 50, [](int, int) { return 0.0f; });
    int nex = kNewComputation;
    // A step from 1 cell to the grid's larger side.
    for (const int step : {0, -2, 22}) {
        EXPECT_FALSE(get_reach_p(21, 20, ppp_, state_, nex, step, 100.0f, 100.0f, 500.0f, 0.0f, 0, xdcnt_, ydcnt_));
    }
    EXPECT_FALSE(get_reach_p(0, 21, ppp_, state_, nex, 1, 100.0f, 100.0f, 500.0f, 0.0f, 0, xdcnt_, ydcnt_));
    EXPECT_FALSE(get_reach_p(INT_MAX / 4, 1, ppp_, state_, nex, 1, 100.0f, 100.0f, 500.0f, 0.0f, 0, xdcnt_, ydcnt_));
    nex = 0;
    EXPECT_FALSE(get_reach_p(21, 21, ppp_, state_, nex, 1, 100.0f, 100.0f, 500.0f, 0.0f, 0, xdcnt_, ydcnt_));
    ASSERT_EQ(boxes_.size(), 6u);
    EXPECT_NE(boxes_[2].find("Reach grid step 22 refused: the step is 1 to 21 cells"), std::string::npos);
    EXPECT_NE(boxes_[4].find("Reach grid of 536870911 x 1 cells refused"), std::string::npos);
    EXPECT_TRUE(ppp_.empty());
    EXPECT_EQ(clamp_thread_count(0, 8), 1);
    EXPECT_EQ(clamp_thread_count(6, 4), 4);
    EXPECT_EQ(clamp_thread_count(100, 64), 32);
    EXPECT_EQ(clamp_thread_count(3, 0), 1);
    pelrn00.num_threads = 500;
    init_mp();
    EXPECT_GE(pelrn00.num_threads, 1);
    EXPECT_LE(pelrn00.num_threads, 32);
}

TEST_F(ReachPasses, ConnectionsFollowABiggerReachGrid) {
    set_grid(kGrid, kGrid, [](int, int) { return 0.0f; });
    run_passes(21, 1, centre(kStartCell), centre(kStartCell), kStartZ);
    EXPECT_EQ(reachable_mod.l_connect.ni(), 21);
    run_passes(kReach, 1, centre(kStartCell), centre(kStartCell), kStartZ);
    EXPECT_EQ(reachable_mod.l_connect.ni(), kReach);
    EXPECT_EQ(reachable_mod.l_connect.nj(), kReach);
    EXPECT_EQ(reachable_mod.l_connect(kReach, kReach), kNoConnection);
    EXPECT_EQ(state_(101 + 50, 101 + 40), kReachStraight);
}

TEST_F(ReachPasses, TheLastShortenedStepOfANeighbourGlideLosesItsOwnHeight) {
    set_grid(20, 20, [](int, int) { return 0.0f; });
    ppp_.assign(5, 5, GlidePoint{});
    state_.assign(5, 5, kReachCandidate);
    reachable_mod.l_connect.assign(5, 5, kNoConnection);
    rch001 = Rch001{};
    rch001.irch_1 = rch001.jrch_1 = 1;
    rch001.irch_min = rch001.jrch_min = 1;
    rch001.irch_max = rch001.jrch_max = 5;
    for (int ii = 1; ii <= 5; ++ii) {
        for (int jj = 1; jj <= 5; ++jj) {
            ppp_(ii, jj) = {trn001.x_scn_mx - centre(ii), centre(jj), kNoArrival};
        }
    }
    // One reached cell, diagonally next to the centre: 127.3 m, a step of
    // 90 m and one of 37.3 m.
    ppp_(2, 2).z = 1000.0f;
    state_(2, 2) = kReachStraight;
    ReachStencil st;
    fill_stencil(1, st);
    rech_vois(3, 3, 3, 3, 1, 4, 5, 5, ppp_, state_, st);
    EXPECT_EQ(state_(3, 3), kReachPending);
    EXPECT_EQ(reachable_mod.l_connect(3, 3), 2 + 5);
    EXPECT_NEAR(ppp_(3, 3).z, 1000.0f - std::hypot(90.0f, 90.0f) / kGlideRatio, 1.0e-3f);
}

TEST_F(ReachPasses, ACellBelowTheSafetyHeightIsReportedAndReset) {
    set_grid(20, 20, [](int, int) { return 100.0f; });
    set_log_clock([] { return LogDateTime{2024, 5, 1, 13, 45, 9}; });
    loca_c.infile = "C:\\Flights\\Track.igc";
    const auto prepare = [this] {
        ppp_.assign(5, 5, GlidePoint{0.0f, 0.0f, kNoArrival});
        state_.assign(5, 5, kReachOutside);
        reachable_mod.l_connect.assign(5, 5, kNoConnection);
        rch001 = Rch001{};
        rch001.irch_1 = rch001.jrch_1 = 1;
        rch001.irch_min = rch001.jrch_min = 1;
        rch001.irch_max = rch001.jrch_max = 5;
        reach_pass.ical_min = reach_pass.jcal_min = 1;
        reach_pass.ical_max = reach_pass.jcal_max = 5;
        // Reached in a second pass that came before, 40 m over the ground.
        ppp_(2, 3) = {1500.0f, 2500.0f, 140.0f};
        state_(2, 3) = kReachPending;
        reachable_mod.l_connect(2, 3) = 0;
    };
    prepare();
    int nex = 0;
    ASSERT_TRUE(get_reach_p(5, 5, ppp_, state_, nex, 1, 1000.0f, 2000.0f, 900.0f, 3725.0f, 0, xdcnt_, ydcnt_));
    EXPECT_EQ(state_(2, 3), kReachCandidate);
    EXPECT_EQ(ppp_(2, 3).z, kNoArrival);
    EXPECT_EQ(nex, 0);
    const std::string name = "TarvexBug_2024_05_01_13_45_09.txt";
    EXPECT_EQ(read_file(name),
              "C:\\Flights\\Track.igc\r\n"
              "      1000.00      2000.00       900.00      3725.00  1:02:05\r\n"
              "      2      3      2      3      1500.00      2500.00        40.00          0"
              "      1000.00      2000.00\r\n");

    // A report that cannot be written (a folder holds its name) stops nothing.
    std::filesystem::remove(name);
    std::filesystem::create_directory(name);
    prepare();
    ASSERT_TRUE(get_reach_p(5, 5, ppp_, state_, nex, 1, 1000.0f, 2000.0f, 900.0f, 3725.0f, 0, xdcnt_, ydcnt_));
    EXPECT_EQ(state_(2, 3), kReachCandidate);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].find(name + " cannot be written"), std::string::npos);
    set_log_clock(nullptr);
}

}  // namespace
}  // namespace terrain_test
