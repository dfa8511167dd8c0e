#include <gtest/gtest.h>

#include <vector>

#include "airspace/airspace_window.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "airspace_fixture.h"

namespace {

using airspace_test::AirspaceTest;

class AirspaceWindowTest : public AirspaceTest {
protected:
    // Zone 0 of the table holds the given ring.
    bool touches(const std::vector<PlanePoint>& ring, bool qglob = true) {
        points_ = ring;
        zones_[0] = AirspaceZone{3, 0, static_cast<int>(ring.size()) - 1};
        return in_map(1, zones_, points_, qglob);
    }

    std::vector<AirspaceZone> zones_ = std::vector<AirspaceZone>(2);
    std::vector<PlanePoint> points_;
};

TEST_F(AirspaceWindowTest, WindowFromTheMapOrFixed) {
    trn001 = Trn001{};
    init_airspace_map();
    EXPECT_EQ(as0002.as_xmax, 1.0e7f);  // no map extents: 10,000 km square
    EXPECT_EQ(as0002.as_ymax, 1.0e7f);
    trn001.xmax = 150000.0f;
    trn001.ymax = 120000.0f;
    init_airspace_map();
    EXPECT_EQ(as0002.as_xmin, 0.0f);
    EXPECT_EQ(as0002.as_xmax, 150000.0f);
    EXPECT_EQ(as0002.as_ymin, 0.0f);
    EXPECT_EQ(as0002.as_ymax, 120000.0f);
    init_airspace_map_1(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_EQ(as0002.as_xmin, 1.0f);
    EXPECT_EQ(as0002.as_xmax, 2.0f);
    EXPECT_EQ(as0002.as_ymin, 3.0f);
    EXPECT_EQ(as0002.as_ymax, 4.0f);
    // In navigation mode the window is the reach extents.
    trn001.xmin_r = 10.0f;
    trn001.xmax_r = 20.0f;
    trn001.ymin_r = 30.0f;
    trn001.ymax_r = 40.0f;
    pelrn00.qnav = true;
    init_airspace_map();
    pelrn00.qnav = false;
    EXPECT_EQ(as0002.as_xmin, 10.0f);
    EXPECT_EQ(as0002.as_ymax, 40.0f);
    trn001 = Trn001{};
}

TEST_F(AirspaceWindowTest, CropRule) {
    init_airspace_map_1(0.0f, 100.0f, 0.0f, 100.0f);
    // A vertex inside the window (its edge counts).
    EXPECT_TRUE(touches({{100, 100}, {200, 100}, {200, 200}, {100, 100}}));
    // A box corner inside though no vertex is: a triangle whose box reaches in.
    EXPECT_TRUE(touches({{90, 150}, {150, 150}, {150, 90}, {90, 150}}));
    // A window corner inside the zone's box: a zone round the whole window.
    EXPECT_TRUE(touches({{-50, -50}, {150, -50}, {150, 150}, {-50, 150}, {-50, -50}}));
    // Wholly outside.
    EXPECT_FALSE(touches({{200, 200}, {300, 200}, {300, 300}, {200, 200}}));
    // A band crossing the window west to east, and one south to north: no
    // vertex and no corner of either box inside the other, but the boxes
    // overlap: kept, whether the rectangles are asked or not.
    EXPECT_TRUE(touches({{-50, 40}, {150, 40}, {150, 60}, {-50, 60}, {-50, 40}}));
    EXPECT_TRUE(touches({{40, -50}, {60, -50}, {60, 150}, {40, 150}, {40, -50}}, false));
    // An L round the window's corner: its box overlaps the window though its
    // outline does not; kept, keeping too much being safe.
    EXPECT_TRUE(touches({{-50, -50}, {150, -50}, {150, -20}, {-20, -20}, {-20, 150}, {-50, 150}, {-50, -50}}));
    // A band that passes beside the window, and a far zone: outside.
    EXPECT_FALSE(touches({{-50, 140}, {150, 140}, {150, 160}, {-50, 160}, {-50, 140}}));
    EXPECT_FALSE(touches({{100000, 100000}, {100100, 100000}, {100100, 100100}, {100000, 100000}}));
    // A single point, even inside, and an empty ring: outside.
    EXPECT_FALSE(touches({{50, 50}}));
    points_.clear();
    zones_[0] = AirspaceZone{3, 0, -1};
    EXPECT_FALSE(in_map(1, zones_, points_, true));
    // Indices beyond the tables: outside, nothing read.
    zones_[0] = AirspaceZone{3, 0, 99};
    EXPECT_FALSE(in_map(1, zones_, points_, true));
    EXPECT_FALSE(in_map(0, zones_, points_, true));
    EXPECT_FALSE(in_map(7, zones_, points_, true));
}

TEST_F(AirspaceWindowTest, PointTestByRectangleWithoutGlobalMode) {
    init_airspace_map_1(0.0f, 100.0f, 0.0f, 100.0f);
    // A vertex inside the window counts only in a flagged rectangle; the box
    // corners then decide.
    const std::vector<PlanePoint> ring = {{50, 50}, {500, 50}, {500, 500}, {50, 50}};
    EXPECT_TRUE(touches(ring, false));  // the corner (50, 50) of its box lies inside
    // No rectangles set up: no division by their zero size.
    const std::vector<PlanePoint> far = {{50, 50}, {50, 500}, {-500, 500}, {50, 50}};
    EXPECT_TRUE(touches(far, false));
    trn002.dx_rect = 10.0f;
    trn002.dy_rect = 10.0f;
    trn002.nx_rect = 10;
    trn002.ny_rect = 10;
    trn002.qrect[6][6] = true;
    EXPECT_TRUE(touches(ring, false));
}

}  // namespace
