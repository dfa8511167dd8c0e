#include "taskfiles/task_checks.h"

#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/utm_frame.h"
#include "reader_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using tarvex_test::ReaderTest;

namespace {

class TaskChecks : public ReaderTest {
protected:
    TaskChecks() {
        // A frame in UTM zone 32 north, its east edge at easting 600 km.
        utm000.nzon = 32;
        utm000.zlat = 'N';
        utm000.rlon0 = 9.0;
        utm000.raddeg = kDegreesPerRadian;
        utm000.degrad = kRadiansPerDegree;
        utm000.orig_e = 600000.0;
        utm000.orig_n = 5000000.0;
        utm001.initialized = true;
        // Three points and one penalty zone, all in the frame.
        rd_fpl_0.nb_wp = 3;
        for (std::size_t i = 0; i < 3; ++i) {
            rd_fpl_1.tpx[i] = 100000.0f + 10000.0f * static_cast<float>(i);
            rd_fpl_1.tpy[i] = 100000.0f;
        }
        rd_fpl_2.tpnam[2] = "Far";
        rd_fpl_0.nb_pz = 1;
        for (std::size_t c = 0; c < 4; ++c) {
            rd_fpl_1.pzp[1][c][0] = 50000.0f + 1000.0f * static_cast<float>(c);
            rd_fpl_1.pzp[2][c][0] = 50000.0f;
        }
        rd_fpl_1.pza[2][0] = 2000.0f;
        rd_fpl_1.pza[3][0] = 1.0f;
    }
};

TEST_F(TaskChecks, APlanHoldsATaskPointAfterTheTakeoff) {
    EXPECT_TRUE(plan_has_task());
    rd_fpl_0.nb_wp = 1;
    EXPECT_FALSE(plan_has_task());
    rd_fpl_0.nb_wp = 0;
    EXPECT_FALSE(plan_has_task());
}

TEST_F(TaskChecks, PenaltyZoneValuesWithinTheirRanges) {
    EXPECT_FALSE(plan_value_out_of_range());
    // The ends of the ranges hold.
    rd_fpl_1.pza[1][0] = kLowestPenaltyZoneHeight;
    rd_fpl_1.pza[2][0] = kHighestPenaltyZoneHeight;
    rd_fpl_1.pza[3][0] = kHighestPenaltyFactor;
    EXPECT_FALSE(plan_value_out_of_range());
    // Beyond them, the first value out names its key, range and unit.
    rd_fpl_1.pza[2][0] = 1.04e38f;
    auto out = plan_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "PZTop0");
    EXPECT_EQ(out->lowest, -3000.0f);
    EXPECT_EQ(out->highest, 30000.0f);
    EXPECT_EQ(out->unit, "m");
    rd_fpl_1.pza[1][0] = -std::numeric_limits<float>::max();
    EXPECT_EQ(plan_value_out_of_range()->key, "PZBase0");
    rd_fpl_1.pza[1][0] = 0.0f;
    rd_fpl_1.pza[2][0] = 0.0f;
    rd_fpl_1.pza[3][0] = -1.0f;
    out = plan_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "PZPenaltyTimeFactor0");
    EXPECT_EQ(out->unit, "");
    // Only the zones the plan counts are looked at.
    rd_fpl_1.pza[3][0] = 1.0f;
    rd_fpl_1.pza[2][5] = 1.0e30f;
    EXPECT_FALSE(plan_value_out_of_range());
    rd_fpl_0.nb_pz = 6;
    EXPECT_EQ(plan_value_out_of_range()->key, "PZTop5");
}

TEST_F(TaskChecks, PositionsOnTheEarth) {
    EXPECT_TRUE(position_on_earth(90.0f, -180.0f));
    EXPECT_FALSE(position_on_earth(-90.01f, 6.0f));
    EXPECT_FALSE(position_on_earth(45.0f, 180.01f));
    EXPECT_FALSE(position_on_earth(std::numeric_limits<float>::infinity(), 6.0f));
}

TEST_F(TaskChecks, TheFirstPointOffTheEarthIsNamed) {
    EXPECT_EQ(point_off_the_earth(), "");
    // Far, so far that the frame gives no latitude; then a latitude beyond
    // 90 degrees; then no latitude and longitude at all.
    for (const float far : {1.0e10f, 9.5e6f, 3.4e38f}) {
        rd_fpl_1.tpx[2] = far;
        rd_fpl_1.tpy[2] = far;
        EXPECT_EQ(point_off_the_earth(), "turnpoint 2 (Far)") << far;
    }
    cmndta001.qfr = true;
    EXPECT_EQ(point_off_the_earth(), "point de virage 2 (Far)");
    cmndta001.qfr = false;
    // A point beyond the task's count is no point of the task.
    rd_fpl_0.nb_wp = 2;
    EXPECT_EQ(point_off_the_earth(), "");
    rd_fpl_1.pzp[2][3][0] = -1.0e10f;
    EXPECT_EQ(point_off_the_earth(), "penalty zone PZ#00, corner 3");
    rd_fpl_0.nb_pz = 0;
    EXPECT_EQ(point_off_the_earth(), "");
}

TEST_F(TaskChecks, ASeeYouTaskIsCheckedAsRead) {
    tarvex01.qcup_in = true;
    rd_cup_0.nb_cup = 3;
    for (std::size_t i = 0; i <= 3; ++i) {
        rd_cup_1.cuplat[i] = 44.0f;
        rd_cup_1.cuplon[i] = 6.0f;
        rd_cup_2.cupnam[i] = "Point " + std::to_string(i);
    }
    // The frame positions are not a SeeYou task's.
    rd_fpl_1.tpx[1] = 1.0e10f;
    EXPECT_EQ(point_off_the_earth(), "");
    // A latitude "9959.000N" reads as 99.98 degrees.
    rd_cup_1.cuplat[3] = 99.98f;
    EXPECT_EQ(point_off_the_earth(), "task point 3 (Point 3)");
    rd_cup_1.cuplat[3] = 44.0f;
    rd_cup_1.cuplon[0] = -200.0f;
    EXPECT_EQ(point_off_the_earth(), "task point 0 (Point 0)");
}

}  // namespace
