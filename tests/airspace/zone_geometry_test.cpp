#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "airspace/zone_geometry.h"
#include "airspace_fixture.h"

namespace {

using airspace_test::AirspaceTest;

class ZoneGeometryTest : public AirspaceTest {};

TEST_F(ZoneGeometryTest, PointsCloserThanTheToleranceAreDropped) {
    std::vector<PlanePoint> pp(10);
    int npt = 0;
    EXPECT_TRUE(add_point(0.0f, 0.0f, npt, pp, false));  // the table's first point is always stored
    EXPECT_TRUE(add_point(16.0f, 3.0f, npt, pp, false));  // 16 m in x: dropped
    EXPECT_EQ(npt, 1);
    EXPECT_TRUE(add_point(16.5f, 3.0f, npt, pp, false));  // 16.5 m: kept
    EXPECT_EQ(npt, 2);
    EXPECT_TRUE(add_point(16.5f, 3.0f, npt, pp, true));  // a zone's first point: always kept
    EXPECT_EQ(npt, 3);
    EXPECT_EQ(pp[2].x, 16.5f);
}

TEST_F(ZoneGeometryTest, AFullTableStoresNothingMore) {
    std::vector<PlanePoint> pp(2);
    int npt = 0;
    EXPECT_TRUE(add_point(0.0f, 0.0f, npt, pp, false));
    EXPECT_TRUE(add_point(100.0f, 0.0f, npt, pp, false));
    EXPECT_TRUE(add_point(110.0f, 0.0f, npt, pp, false));  // would be dropped anyway: no stop
    EXPECT_FALSE(add_point(500.0f, 0.0f, npt, pp, false));
    EXPECT_EQ(npt, 2);
    int beyond = 5;
    EXPECT_FALSE(add_point(0.0f, 0.0f, beyond, pp, true));
}

TEST_F(ZoneGeometryTest, RingClosing) {
    std::vector<AirspaceZone> zon(1);
    std::vector<PlanePoint> pp(10);
    // Last point 40 m from the first: snapped onto it.
    pp[0] = {0, 0};
    pp[1] = {1000, 0};
    pp[2] = {1000, 1000};
    pp[3] = {40, 0};
    int npt = 4;
    EXPECT_TRUE(check_close(0, zon, pp, npt));
    EXPECT_EQ(npt, 4);
    EXPECT_EQ(pp[3].x, 0.0f);
    // 60 m: a closing point appended.
    pp[3] = {60, 0};
    EXPECT_TRUE(check_close(0, zon, pp, npt));
    EXPECT_EQ(npt, 5);
    EXPECT_EQ(pp[4].x, 0.0f);
    // Two points: left open.
    npt = 2;
    EXPECT_TRUE(check_close(0, zon, pp, npt));
    EXPECT_EQ(npt, 2);
    // No room for the closing point.
    std::vector<PlanePoint> small = {{0, 0}, {1000, 0}, {1000, 1000}};
    npt = 3;
    EXPECT_FALSE(check_close(0, zon, small, npt));
    EXPECT_EQ(npt, 3);
}

TEST_F(ZoneGeometryTest, CirclesHaveAboutOnePointPerKilometre) {
    std::vector<PlanePoint> pp(100);
    int npt = 0;
    const ArcCentre centre{1000.0f, 2000.0f, true};
    // 1 NM: 11.64 rounded gives 12 segments, 13 points, the last on the first.
    EXPECT_TRUE(add_circle_points(centre, 1852.0f, 0, npt, pp));
    EXPECT_EQ(npt, 13);
    EXPECT_FLOAT_EQ(pp[0].x, 2852.0f);
    EXPECT_FLOAT_EQ(pp[0].y, 2000.0f);
    EXPECT_NEAR(pp[12].x, pp[0].x, 1e-2f);
    EXPECT_NEAR(pp[12].y, pp[0].y, 1e-2f);
    // 0.5 NM: 8 segments.
    npt = 0;
    EXPECT_TRUE(add_circle_points(centre, 926.0f, 0, npt, pp));
    EXPECT_EQ(npt, 9);
}

TEST_F(ZoneGeometryTest, ArcsRunBothWays) {
    std::vector<PlanePoint> pp(1000);
    const float t350 = (350.0f + 90.0f) * kAirspacePi / 180.0f;
    const float t10 = (10.0f + 90.0f) * kAirspacePi / 180.0f;
    const float r = 10.0f * 1852.0f;
    // Clockwise from 350 to 10 degrees runs through north: 20 degrees of arc.
    int npt = 0;
    EXPECT_TRUE(add_arc_points({0.0f, 0.0f, true}, r, t350, t10, 0, npt, pp));
    const int short_way = npt;
    EXPECT_EQ(short_way, 9);  // 18520 m x 0.349 rad = 6.5 km: at least 8 segments
    // North (bearing 0) is t = 90 degrees: y positive, x 0.
    EXPECT_NEAR(pp[4].x, 0.0f, 1.0f);
    EXPECT_NEAR(pp[4].y, r, 1.0f);
    // Counter-clockwise the same arc runs the long way round, 340 degrees.
    npt = 0;
    EXPECT_TRUE(add_arc_points({0.0f, 0.0f, false}, r, t350, t10, 0, npt, pp));
    EXPECT_EQ(npt, 111);  // 18520 m x 5.934 rad / 1000 = 109.9, 110 segments
    EXPECT_NEAR(pp[55].x, 0.0f, 1.0f);  // through south
    EXPECT_NEAR(pp[55].y, -r, 1.0f);
}

TEST_F(ZoneGeometryTest, AirwaysBecomeRectangles) {
    std::vector<PlanePoint> pp(10);
    pp[0] = {0.0f, 0.0f};
    pp[1] = {0.0f, 10000.0f};
    int npt = 2;
    EXPECT_EQ(widen_airway(0, 2.0f * 1852.0f, npt, pp), 1);
    ASSERT_EQ(npt, 4);
    // 3704 m wide round the segment, half on each side.
    EXPECT_FLOAT_EQ(std::fabs(pp[0].x - pp[3].x), 3704.0f);
    EXPECT_FLOAT_EQ(pp[0].x, -pp[3].x);
    EXPECT_FLOAT_EQ(pp[1].x, pp[0].x);
    EXPECT_FLOAT_EQ(pp[2].x, pp[3].x);
    EXPECT_FLOAT_EQ(pp[1].y, 10000.0f);
    EXPECT_FLOAT_EQ(pp[2].y, 10000.0f);
    EXPECT_FLOAT_EQ(pp[3].y, 0.0f);
    std::vector<AirspaceZone> zon(1);
    EXPECT_TRUE(check_close(0, zon, pp, npt));
    EXPECT_EQ(npt, 5);  // four corners and the closing point

    // Two equal points, one point, three points: left as they are.
    pp[0] = {5.0f, 5.0f};
    pp[1] = {5.0f, 5.0f};
    npt = 2;
    EXPECT_EQ(widen_airway(0, 1000.0f, npt, pp), 0);
    npt = 1;
    EXPECT_EQ(widen_airway(0, 1000.0f, npt, pp), 0);
    npt = 3;
    EXPECT_EQ(widen_airway(0, 1000.0f, npt, pp), 0);
    // No room for the two added points.
    std::vector<PlanePoint> small = {{0, 0}, {0, 1000}, {0, 0}};
    npt = 2;
    EXPECT_EQ(widen_airway(0, 1000.0f, npt, small), -1);
    EXPECT_EQ(npt, 2);
}

}  // namespace
