#include "taskfiles/task_checks.h"

#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/utm_frame.h"
#include "platform/files.h"
#include "reader_fixture.h"
#include "taskfiles/fpl_reader.h"
#include "zone32_frame.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

using tarvex_test::ReaderTest;

namespace {

class TaskChecks : public ReaderTest {
protected:
    TaskChecks() {
        tarvex_test::set_zone32_frame();
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

TEST_F(TaskChecks, PenaltyZoneValuesWithinTheirRanges) {
    EXPECT_FALSE(plan_value_out_of_range());
    // The ends of the ranges hold.
    rd_fpl_1.pza[1][0] = kLowestPenaltyZoneHeight;
    rd_fpl_1.pza[2][0] = kHighestPenaltyZoneHeight;
    rd_fpl_1.pza[3][0] = kHighestPenaltyFactor;
    EXPECT_FALSE(plan_value_out_of_range());
    // Beyond them, the first value out names its key and unit.
    rd_fpl_1.pza[2][0] = 1.04e38f;
    auto out = plan_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "PZTop0");
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

TEST_F(TaskChecks, TurnpointValuesWithinTheirRanges) {
    // Every value of the three points at an end of its range holds; point 1
    // is a classic zone, point 2 a window.
    rd_fpl_1.tpsec[1] = kClassicSectorType;
    for (std::size_t i = 0; i < 3; ++i) {
        rd_fpl_1.tpz[i] = i == 0 ? kLowestTaskAltitude : kHighestGroundAltitude;
        rd_fpl_1.tprad[i] = i == 1 ? 0 : 1000000;
        rd_fpl_1.tpang[i] = i == 1 ? 0 : 360;
        rd_fpl_1.tpalt[i] = i == 1 ? kLowestTaskAltitude : kHighestWindowAltitude;
        rd_fpl_1.tpwid[i] = i == 1 ? 0.0f : kHighestZoneWidth;
        rd_fpl_1.tphei[i] = i == 1 ? 0.0f : kHighestZoneHeight;
    }
    EXPECT_FALSE(plan_value_out_of_range());
    // The takeoff has no zone (Condor 3 writes a TPAngle0 such as 26972),
    // nor has a classic zone a centre altitude: no writer takes them.
    rd_fpl_1.tpang[0] = 26972;
    rd_fpl_1.tprad[0] = -1;
    rd_fpl_1.tphei[0] = 1.0e30f;
    rd_fpl_1.tpalt[1] = 1.0e30f;
    EXPECT_FALSE(plan_value_out_of_range());
    // Beyond an end, the first value out names its key with its point.
    rd_fpl_1.tpalt[2] = kHighestWindowAltitude + 1.0f;
    auto out = plan_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "TPAltitude2");
    rd_fpl_1.tphei[1] = 18001.0f;
    EXPECT_EQ(plan_value_out_of_range()->key, "TPHeight1");
    rd_fpl_1.tprad[1] = -1;
    out = plan_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "TPRadius1");
    EXPECT_EQ(out->unit, "m");
    rd_fpl_1.tpz[0] = 1.0e9f;
    EXPECT_EQ(plan_value_out_of_range()->key, "TPPosZ0");
    // The turnpoints come before the penalty zones; points beyond the count
    // are no points of the task.
    rd_fpl_1.pza[2][0] = 1.0e30f;
    EXPECT_EQ(plan_value_out_of_range()->key, "TPPosZ0");
    rd_fpl_0.nb_wp = 0;
    EXPECT_EQ(plan_value_out_of_range()->key, "PZTop0");
}

// A value a writer takes that the plan gives as no number, and a penalty
// zone it counts without giving it, are named by their key; values no
// writer takes are not.
TEST_F(TaskChecks, ValuesThePlanGivesAsNoNumber) {
    const auto read = [this](const std::vector<std::string>& lines) {
        write("plan.fpl", tarvex_test::crlf(lines));
        int nl = 0;
        int ios = 0;
        read_fpl(TextFileReader("plan.fpl"), true, false, false, nl, ios);
        return plan_value_not_given();
    };
    const std::vector<std::string> plan = {"[Version]", "Condor version=3100", "[Task]", "Count=3",
                                           "TPAngle0=abc", "TPSectorType1=0", "TPAzimuth1=x", "TPAltitude1=",
                                           "PZCount=1"};
    std::vector<std::string> zones = plan;
    for (const char* corner : {"0X0", "0Y0", "1X0", "1Y0", "2X0", "2Y0", "3X0", "3Y0"}) {
        zones.push_back(std::string("PZPos") + corner + "=1000");
    }
    EXPECT_EQ(read(zones), "");
    using Case = std::pair<std::vector<std::string>, std::string>;
    for (const auto& [lines, told] :
         {Case{{"TPPosX2=abc"}, "TPPosX2=abc : not a number"}, Case{{"TPPosX2="}, "TPPosX2= : not a number"},
          Case{{"TPPosZ2=nan"}, "TPPosZ2=nan : not a number"}, Case{{"TPPosY0=inf"}, "TPPosY0=inf : not a number"},
          Case{{"TPSectorType2=1.5"}, "TPSectorType2=1.5 : not a whole number"},
          Case{{"PZPos3Y0=abc"}, "PZPos3Y0=abc : not a number"}, Case{{"PZTop0=high"}, "PZTop0=high : not a number"},
          Case{{"PZCount=2"}, "PZPos0X1 missing (PZCount=2)"},
          Case{{"PZCount=two"}, "PZCount=two : not a whole number"},
          Case{{"AAT=1", "AATTime=abc"}, "AATTime=abc : not a number"}}) {
        std::vector<std::string> bad = zones;
        bad.insert(bad.end(), lines.begin(), lines.end());
        EXPECT_EQ(read(bad), told);
    }
    // A line that reads takes an earlier one back; a zone the plan does not
    // count is none of the task.
    std::vector<std::string> again = zones;
    again.insert(again.end(), {"TPPosX2=abc", "TPPosX2=5", "PZPos0X4=abc"});
    EXPECT_EQ(read(again), "");
    EXPECT_EQ(read(plan), "PZPos0X0 missing (PZCount=1)");
    cmndta001.qfr = true;
    EXPECT_EQ(read(plan), "PZPos0X0 absent (PZCount=1)");
}

TEST_F(TaskChecks, SeeYouValuesWithinTheirRanges) {
    // A takeoff, a start, a turnpoint, a finish and a landing.
    rd_cup_0.nb_cup = 4;
    for (std::size_t i = 0; i <= 4; ++i) {
        rd_cup_1.cuprad[1][i] = 1000000.0f;
        rd_cup_1.cupang[1][i] = 180.0f;
        rd_cup_1.cupmxa[i] = kHighestZoneHeight;
        rd_cup_1.cupalt[i] = kHighestGroundAltitude;
        rd_cup_2.cupnam[i] = "Point " + std::to_string(i);
    }
    EXPECT_FALSE(seeyou_value_out_of_range());
    // The landing's zone and elevation are not converted, nor the takeoff's
    // zone (the matching gives it its own).
    rd_cup_1.cuprad[2][4] = 1.0e30f;
    rd_cup_1.cupalt[4] = 1.0e9f;
    rd_cup_1.cupang[2][0] = 1.0e30f;
    EXPECT_FALSE(seeyou_value_out_of_range());
    // A zone value is named by its line; the zones come first.
    rd_cup_1.cupalt[0] = -501.0f;
    rd_cup_1.cupang[2][3] = 180.5f;
    auto out = seeyou_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "ObsZone=2 A2");
    rd_cup_1.cupmxa[1] = -1.0f;
    EXPECT_EQ(seeyou_value_out_of_range()->key, "ObsZone=0 MaxAlt");
    rd_cup_1.cupmxa[1] = 0.0f;
    rd_cup_1.cupang[2][3] = 0.0f;
    out = seeyou_value_out_of_range();
    ASSERT_TRUE(out);
    EXPECT_EQ(out->key, "task point 0 (Point 0) elevation");
    EXPECT_EQ(out->unit, "m");
    cmndta001.qfr = true;
    EXPECT_EQ(seeyou_value_out_of_range()->key, "point du circuit 0 (Point 0) altitude");
}

TEST_F(TaskChecks, SeeYouPointsWithoutAPosition) {
    rd_cup_0.nb_cup = 4;
    for (std::size_t i = 0; i <= 4; ++i) {
        rd_cup_1.cupwp[i] = static_cast<int>(i) + 1;
        rd_cup_2.cupnam[i] = "Point " + std::to_string(i);
    }
    rd_fpl_1.tpid[0] = 1;
    EXPECT_EQ(seeyou_point_without_position(true), "");
    // The landing is never written.
    rd_cup_1.cupwp[4] = 0;
    EXPECT_EQ(seeyou_point_without_position(true), "");
    rd_cup_1.cupwp[2] = 0;
    rd_cup_2.cupnam[2] = "Nowhere";
    EXPECT_EQ(seeyou_point_without_position(false), "task point 2 (Nowhere)");
    // The takeoff is the matching's: its own waypoint or an airport (tpid),
    // whatever its waypoint in the file.
    rd_cup_1.cupwp[0] = 0;
    EXPECT_EQ(seeyou_point_without_position(true), "task point 2 (Nowhere)");
    rd_fpl_1.tpid[0] = 0;
    EXPECT_EQ(seeyou_point_without_position(true), "task point 0 (Point 0)");
    EXPECT_EQ(seeyou_point_without_position(false), "task point 2 (Nowhere)");
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
    // A latitude "9959.000N" reads as 99.98 degrees; the landing is never
    // written.
    rd_cup_1.cuplat[3] = 99.98f;
    EXPECT_EQ(point_off_the_earth(), "");
    rd_cup_1.cuplat[2] = 99.98f;
    EXPECT_EQ(point_off_the_earth(), "task point 2 (Point 2)");
    rd_cup_1.cuplat[2] = 44.0f;
    rd_cup_1.cuplon[0] = -200.0f;
    EXPECT_EQ(point_off_the_earth(), "task point 0 (Point 0)");
}

}  // namespace
