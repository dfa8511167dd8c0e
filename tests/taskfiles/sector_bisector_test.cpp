#include "taskfiles/sector_bisector.h"

#include "taskfiles/layer_reset.h"
#include "taskfiles/task_model.h"
#include "writer_support.h"

#include <gtest/gtest.h>

namespace {

using tarvex_test::set_task;

class SectorBisector : public testing::Test {
protected:
    void SetUp() override { reset_taskfiles_layer(); }
    void TearDown() override { reset_taskfiles_layer(); }
};

TEST_F(SectorBisector, BearingsAreCompassBearingsWithXToTheWest) {
    EXPECT_FLOAT_EQ(landscape_bearing(0.0f, 1.0f), 0.0f);     // north
    EXPECT_FLOAT_EQ(landscape_bearing(-1.0f, 0.0f), 90.0f);   // east: x falls
    EXPECT_FLOAT_EQ(landscape_bearing(0.0f, -1.0f), 180.0f);  // south
    EXPECT_FLOAT_EQ(landscape_bearing(1.0f, 0.0f), 270.0f);   // west
    EXPECT_FLOAT_EQ(landscape_bearing(0.0f, 0.0f), 0.0f);     // no leg
}

TEST_F(SectorBisector, PointsAwayFromTheInsideOfTheTurn) {
    // North to the turnpoint, then east: the sector faces north-west.
    set_task({{"T", 0, -20000}, {"S", 0, -10000}, {"TP", 0, 0}, {"F", -10000, 0}});
    EXPECT_NEAR(sector_bisector(2), 315.0f, 1e-3);
    // Straight through: the right-hand side of the course.
    set_task({{"T", 0, -20000}, {"S", 0, -10000}, {"TP", 0, 0}, {"F", 0, 10000}});
    EXPECT_NEAR(sector_bisector(2), 90.0f, 1e-3);
    // Turned back: beyond the point.
    set_task({{"T", 0, -20000}, {"S", 0, -10000}, {"TP", 0, 0}, {"F", 0, -5000}});
    EXPECT_NEAR(sector_bisector(2), 0.0f, 1e-3);
}

TEST_F(SectorBisector, TheFinishFacesAlongItsLastLeg) {
    set_task({{"T", 0, -20000}, {"S", 0, -10000}, {"TP", 0, 0}, {"F", -10000, 0}});
    EXPECT_NEAR(sector_bisector(3), 90.0f, 1e-3);
    // A full task has no point after its finish; nothing beyond slot 30 is read.
    std::vector<tarvex_test::TestPoint> points;
    for (int n = 0; n < kTurnpointSlots; ++n) {
        points.push_back({"P", 0.0f, 1000.0f * static_cast<float>(n)});
    }
    set_task(points);
    EXPECT_NEAR(sector_bisector(30), 0.0f, 1e-3);
    EXPECT_EQ(sector_bisector(31), 0.0f);
    EXPECT_EQ(sector_bisector(0), 0.0f);
}

TEST_F(SectorBisector, HugePositionsDoNotOverflow) {
    set_task({{"T", -3e38f, -3e38f}, {"S", 3e38f, 3e38f}, {"F", -3e38f, 3e38f}});
    const float alb = sector_bisector(1);
    EXPECT_GE(alb, 0.0f);
    EXPECT_LE(alb, 360.0f);
}

}  // namespace
