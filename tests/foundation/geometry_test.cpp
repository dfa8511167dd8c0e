#include "foundation/geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <string>

namespace {

constexpr float kFloatMax = std::numeric_limits<float>::max();

struct Line {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
};

}  // namespace

TEST(Geometry, EquaDroiteGivesUnitNormalOrNoLine) {
    Line l;
    EXPECT_EQ(equa_droite(0, 0, 2, 0, l.a, l.b, l.c), 1);
    EXPECT_FLOAT_EQ(l.a, 0.0f);
    EXPECT_FLOAT_EQ(l.b, -1.0f);
    EXPECT_FLOAT_EQ(l.c, 0.0f);

    // A slanted line: every point of it satisfies a·x + b·y + c = 0.
    EXPECT_EQ(equa_droite(1, 2, 4, 6, l.a, l.b, l.c), 1);
    EXPECT_FLOAT_EQ(l.a, 0.8f);
    EXPECT_FLOAT_EQ(l.b, -0.6f);
    EXPECT_NEAR(l.a * 7 + l.b * 10 + l.c, 0.0f, 1e-5f);

    EXPECT_EQ(equa_droite(5, 5, 5, 5, l.a, l.b, l.c), 0);
    EXPECT_FLOAT_EQ(l.a, 1e10f);
    EXPECT_FLOAT_EQ(l.b, 1e10f);
    EXPECT_FLOAT_EQ(l.c, 1e10f);

    // 1e-10 apart or less is one point; a little more is a line.
    EXPECT_EQ(equa_droite(0, 0, 1e-10f, 0, l.a, l.b, l.c), 0);
    EXPECT_EQ(equa_droite(0, 0, 0, 1e-11f, l.a, l.b, l.c), 0);
    EXPECT_EQ(equa_droite(0, 0, 1e-9f, 0, l.a, l.b, l.c), 1);
    EXPECT_FLOAT_EQ(l.b, -1.0f);
}

TEST(Geometry, DroitePerpIsTheUnitDirectionThroughTheFirstPoint) {
    Line l;
    droite_perp(1, 1, 1, 3, l.a, l.b, l.c);
    EXPECT_FLOAT_EQ(l.a, 0.0f);
    EXPECT_FLOAT_EQ(l.b, 1.0f);
    EXPECT_FLOAT_EQ(l.c, -1.0f);  // the line y = 1

    droite_perp(2, 0, -1, 4, l.a, l.b, l.c);
    EXPECT_FLOAT_EQ(l.a, -0.6f);
    EXPECT_FLOAT_EQ(l.b, 0.8f);
    EXPECT_FLOAT_EQ(l.c, 1.2f);

    droite_perp(3, 4, 3, 4, l.a, l.b, l.c);
    EXPECT_FLOAT_EQ(l.a, 1e10f);
    EXPECT_FLOAT_EQ(l.b, 1e10f);
    EXPECT_FLOAT_EQ(l.c, 1e10f);
    droite_perp(0, 0, 0, 1e-10f, l.a, l.b, l.c);
    EXPECT_FLOAT_EQ(l.c, 1e10f);
}

TEST(Geometry, DistDroiteToTheInfiniteLine) {
    EXPECT_FLOAT_EQ(dist_droite(0, 0, 2, 0, 5, 3), 3.0f);   // beyond the segment's end
    EXPECT_FLOAT_EQ(dist_droite(0, 0, 2, 0, 1, -4), 4.0f);
    EXPECT_FLOAT_EQ(dist_droite(0, 0, 0, 2, 7, 100), 7.0f);
    EXPECT_FLOAT_EQ(dist_droite(1, 1, 1, 1, 4, 5), 5.0f);   // no line: distance to the point
}

TEST(Geometry, DistSegmentPerpendicularOrNearerEnd) {
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 2, 2, 2, 0), std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 2, 2, 3, 3), std::sqrt(2.0f));   // end point
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 2, 0, 5, 0), 3.0f);              // horizontal, beyond the end
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 2, 0, 1, -2), 2.0f);             // horizontal, above the middle
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 2, 0, -3, 4), 5.0f);             // before the first end
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 0, 10, 3, 5), 3.0f);             // vertical
    EXPECT_FLOAT_EQ(dist_segment(0, 10, 0, 0, 3, 12), std::sqrt(13.0f));
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 2, 0, 2, 1), 1.0f);              // foot on the end point
    EXPECT_FLOAT_EQ(dist_segment(4, 4, 4, 4, 7, 8), 5.0f);              // a point, not a segment
    EXPECT_FLOAT_EQ(dist_segment(0, 0, 1e-10f, 0, 0, 2), 2.0f);
}

TEST(Geometry, DistPolySmallestOverItsSegments) {
    const PlanePoint p{5, 1};
    const std::array<PlanePoint, 4> pol{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}};
    EXPECT_FLOAT_EQ(dist_poly(p, pol, 4), 1.0f);        // nearest: the side x = 4
    EXPECT_FLOAT_EQ(dist_poly(p, pol, 2), std::sqrt(2.0f));  // only the first side
    EXPECT_FLOAT_EQ(dist_poly(p, pol, 1), 1e20f);
    EXPECT_FLOAT_EQ(dist_poly(p, pol, 0), 1e20f);
    EXPECT_FLOAT_EQ(dist_poly(p, pol, -3), 1e20f);
    // A count beyond the points given reads no further than they go.
    EXPECT_FLOAT_EQ(dist_poly(p, std::span(pol).first(2), 4), std::sqrt(2.0f));
    // Repeated points make degenerate segments, which count as points.
    const std::array<PlanePoint, 3> dup{{{1, 1}, {1, 1}, {1, 1}}};
    EXPECT_FLOAT_EQ(dist_poly(p, dup, 3), 4.0f);
}

TEST(Geometry, ModangKeepsBothEndsOfTheWindow) {
    EXPECT_FLOAT_EQ(modang(-30, 0), 330.0f);
    EXPECT_FLOAT_EQ(modang(400, 0), 40.0f);
    EXPECT_FLOAT_EQ(modang(360, 0), 360.0f);
    EXPECT_FLOAT_EQ(modang(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(modang(720, 0), 360.0f);
    EXPECT_FLOAT_EQ(modang(-720, 0), 0.0f);
    EXPECT_FLOAT_EQ(modang(10, -180), 10.0f);
    EXPECT_FLOAT_EQ(modang(190, -180), -170.0f);
    EXPECT_FLOAT_EQ(modang(-1000, 0), 80.0f);
    EXPECT_FLOAT_EQ(modang(3610, 0), 10.0f);
    // Many turns away: exact multiples end where the whole-turn steps would.
    EXPECT_FLOAT_EQ(modang(36000, 0), 360.0f);
    EXPECT_FLOAT_EQ(modang(-36000, 0), 0.0f);
    EXPECT_FLOAT_EQ(modang(36000 + 45, -180), 45.0f);
}

TEST(Geometry, ModangEndsOnHugeAngles) {
    // Far beyond the float precision of a turn: the result still lies in the window.
    for (const float aa : {1e9f, -1e9f, 4.3e9f, 1e12f, -1e30f, kFloatMax}) {
        const float r = modang(aa, 0);
        EXPECT_GE(r, 0.0f) << aa;
        EXPECT_LE(r, 360.0f) << aa;
    }
    const float r = modang(0, 1e12f);
    EXPECT_GE(r, 1e12f);
}

TEST(Geometry, FEqRelativeToTheLargerMagnitude) {
    testing::internal::CaptureStdout();
    EXPECT_TRUE(f_eq(0, 0));
    EXPECT_TRUE(f_eq(1, 1.0000001f));
    EXPECT_FALSE(f_eq(1, 1.00001f));
    EXPECT_TRUE(f_eq(1e6f, 1e6f + 0.5f));
    EXPECT_FALSE(f_eq(0, 1e-7f));    // only one of them zero: relative difference 1
    EXPECT_FALSE(f_eq(kFloatMax, -kFloatMax));
    EXPECT_TRUE(f_eq(-kFloatMax, -kFloatMax));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("f_eq"), std::string::npos);
}

TEST(Geometry, ExtremeCoordinatesStayWithinTheFloatRange) {
    // Runs with the overflow trap on: nothing may overflow.
    EXPECT_FLOAT_EQ(point_distance(-kFloatMax, 0, kFloatMax, 0), kFloatMax);
    EXPECT_FLOAT_EQ(point_distance(3, 0, 0, 4), 5.0f);
    EXPECT_FLOAT_EQ(dist_segment(-kFloatMax, -kFloatMax, kFloatMax, kFloatMax, kFloatMax, -kFloatMax), kFloatMax);
    Line l;
    EXPECT_EQ(equa_droite(-kFloatMax, -kFloatMax, kFloatMax, kFloatMax, l.a, l.b, l.c), 1);
    EXPECT_NEAR(l.a, 0.7071068f, 1e-6f);
    droite_perp(kFloatMax, kFloatMax, -kFloatMax, kFloatMax, l.a, l.b, l.c);
    EXPECT_FLOAT_EQ(l.a, -1.0f);
    EXPECT_FLOAT_EQ(l.c, kFloatMax);
    EXPECT_FLOAT_EQ(dist_droite(0, 0, 1, 0, 0, kFloatMax), kFloatMax);
}
