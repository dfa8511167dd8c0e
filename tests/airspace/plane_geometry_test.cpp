#include <gtest/gtest.h>

#include <vector>

#include "airspace/airspace_records.h"
#include "airspace/plane_geometry.h"
#include "airspace_fixture.h"

namespace {

using airspace_test::AirspaceTest;

class PlaneGeometryTest : public AirspaceTest {};

TEST_F(PlaneGeometryTest, WindingNumberFollowsOrientationAndHalfOpenRules) {
    const std::vector<PlanePoint> square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    EXPECT_EQ(wn_poly({0.5f, 0.5f}, square, 5), 1);
    EXPECT_EQ(wn_poly({2.0f, 0.5f}, square, 5), 0);
    const std::vector<PlanePoint> reversed(square.rbegin(), square.rend());
    EXPECT_EQ(wn_poly({0.5f, 0.5f}, reversed, 5), -1);
    // Fewer than two points, and a count beyond the table, read nothing wrong.
    EXPECT_EQ(wn_poly({0.5f, 0.5f}, square, 1), 0);
    EXPECT_EQ(wn_poly({0.5f, 0.5f}, square, 500), 1);
    // An open chain is taken as it is: without the closing edge (0,1)-(0,0)
    // a point west of the square sees only the upward edge (1,0)-(1,1).
    EXPECT_EQ(wn_poly({-0.5f, 0.5f}, square, 5), 0);
    EXPECT_EQ(wn_poly({-0.5f, 0.5f}, square, 4), 1);
    // A vertex at the point's own height counts as lying below it.
    EXPECT_EQ(wn_poly({0.5f, 0.0f}, square, 5), 1);
    EXPECT_EQ(wn_poly({0.5f, 1.0f}, square, 5), 0);
    // On an edge (isleft 0) no count from that edge.
    EXPECT_EQ(wn_poly({1.0f, 0.5f}, square, 5), 0);
}

TEST_F(PlaneGeometryTest, IsLeftSign) {
    EXPECT_GT(isleft({0, 1}, {0, 0}, {1, 0}), 0.0f);
    EXPECT_LT(isleft({0, -1}, {0, 0}, {1, 0}), 0.0f);
    EXPECT_EQ(isleft({5, 0}, {0, 0}, {1, 0}), 0.0f);
}

TEST_F(PlaneGeometryTest, SegmentIntersection) {
    EXPECT_FALSE(seg_intersect(0, 0, 2, 0, 1, 0, 3, 0));  // collinear, overlapping
    EXPECT_TRUE(seg_intersect(0, 0, 2, 2, 2, 2, 4, 0));   // meeting at an end
    EXPECT_TRUE(seg_intersect(0, 0, 2, 2, 0, 2, 2, 0));   // crossing
    EXPECT_FALSE(seg_intersect(0, 0, 1, 0, 0, 1, 1, 1));  // parallel
    EXPECT_TRUE(seg_intersect(0, 0, 2, 0, 1, 0, 1, 5));   // end point on the other segment
    EXPECT_FALSE(seg_intersect(0, 0, 1, 1, 3, 0, 2, 1));  // boxes apart
    EXPECT_FALSE(seg_intersect(0, 0, 4, 4, 3, 0, 4, 1));  // boxes overlap, lines cross beyond
    EXPECT_TRUE(seg_intersect(2, 2, 0, 0, 2, 0, 0, 2));   // reversed directions
}

TEST_F(PlaneGeometryTest, ThinningToleranceBands) {
    as0002 = As0002{0.0f, 100000.0f, 0.0f, 100000.0f};
    EXPECT_EQ(get_min_dist(-1.0e6f, 5.0e6f), 16.0f);  // switch off: 16 everywhere
    as0003.qcoarsedist = true;
    EXPECT_EQ(get_min_dist(100000.0f, 50000.0f), 16.0f);   // on the window's edge
    EXPECT_EQ(get_min_dist(120000.0f, 50000.0f), 100.0f);  // exactly 20 km outside
    EXPECT_EQ(get_min_dist(120001.0f, 50000.0f), 316.23f);
    EXPECT_EQ(get_min_dist(50000.0f, -60000.0f), 1000.0f);
    EXPECT_EQ(get_min_dist(-80000.0f, 50000.0f), 3162.3f);
    EXPECT_EQ(get_min_dist(50000.0f, 200000.0f), 10000.0f);
    EXPECT_EQ(get_min_dist(50000.0f, 200001.0f), 31623.0f);
}

TEST_F(PlaneGeometryTest, RectangleFlagsAndCrop) {
    trn002.qrect[3][4] = true;
    EXPECT_TRUE(is_in_rect(3, 4));
    EXPECT_FALSE(is_in_rect(4, 3));
    EXPECT_FALSE(is_in_rect(0, 4));
    EXPECT_FALSE(is_in_rect(51, 4));
    EXPECT_FALSE(is_in_rect(3, -2));

    bool e = true, w = true, s = true, n = true;
    crop(0.0f, 1000.0f, 0.0f, 2000.0f, 1000.0f, 2000.0f, e, w, s, n);
    EXPECT_FALSE(e || w || s || n);
    crop(-1.0f, 1001.0f, -0.5f, 2000.5f, 1000.0f, 2000.0f, e, w, s, n);
    EXPECT_TRUE(e && w && s && n);
}

}  // namespace
