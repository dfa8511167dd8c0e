#include <cmath>

#include "foundation/terrain_extents.h"
#include "terrain/grid_access.h"
#include "terrain/reach_records.h"
#include "terrain_fixture.h"

namespace terrain_test {
namespace {

using GridAccess = TerrainTest;

// A plane, on which bilinear interpolation is exact: 100 + xg / 2 + y / 4.
float plane(float xg, float y) { return 100.0f + 0.5f * xg + 0.25f * y; }

TEST_F(GridAccess, CellsOfPositionsAtTheirEdges) {
    set_grid(10, 8, [](int, int) { return 0.0f; });
    int ii = 0;
    int jj = 0;
    EXPECT_EQ(rechxy(0.0f, 0.0f, ii, jj), 1);
    EXPECT_EQ(ii, 1);
    EXPECT_EQ(jj, 1);
    EXPECT_EQ(rechxy(89.99f, 90.0f, ii, jj), 1);
    EXPECT_EQ(ii, 1);
    EXPECT_EQ(jj, 2);
    // Truncation toward zero: -90 < xg < 0 falls into the first cell.
    EXPECT_EQ(rechxy(-45.0f, -89.0f, ii, jj), 1);
    EXPECT_EQ(ii, 1);
    EXPECT_EQ(jj, 1);
    EXPECT_EQ(rechxy(899.0f, 719.0f, ii, jj), 1);
    EXPECT_EQ(ii, 10);
    EXPECT_EQ(jj, 8);
    EXPECT_EQ(rechxy(900.0f, 10.0f, ii, jj), 0);
    EXPECT_EQ(ii, kOffGridCell);
    EXPECT_EQ(jj, kOffGridCell);
    EXPECT_EQ(rechxy(10.0f, -90.0f, ii, jj), 0);
    // Positions no cell index can hold are off the grid, without a trap.
    EXPECT_EQ(rechxy(3.0e38f, 10.0f, ii, jj), 0);
    EXPECT_EQ(rechxy(10.0f, -INFINITY, ii, jj), 0);
    EXPECT_EQ(rechxy(NAN, 10.0f, ii, jj), 0);

    // An origin cell other than 1 shifts every index.
    trn001.i_00 = 3;
    trn001.j_00 = 2;
    EXPECT_EQ(rechxy(2.0f * 90.0f + 1.0f, 90.0f + 1.0f, ii, jj), 1);
    EXPECT_EQ(ii, 1);
    EXPECT_EQ(jj, 1);
}

TEST_F(GridAccess, StencilFractionsAndTheLastColumn) {
    set_grid(10, 8, [](int, int) { return 0.0f; });
    int ii = 0;
    int jj = 0;
    float tx = -1.0f;
    float ty = -1.0f;
    EXPECT_EQ(rechxy_i(centre(3), centre(4) + 22.5f, ii, jj, tx, ty), 1);
    EXPECT_EQ(ii, 3);
    EXPECT_EQ(jj, 4);
    EXPECT_FLOAT_EQ(tx, 0.0f);
    EXPECT_NEAR(ty, 0.25f, 1e-6f);
    // Below the first centre there is no stencil; the fractions still come.
    EXPECT_EQ(rechxy_i(10.0f, centre(2), ii, jj, tx, ty), 0);
    EXPECT_EQ(ii, kOffGridCell);
    EXPECT_NEAR(tx, (10.0f + 45.0f) / 90.0f, 1e-6f);
    // The last column is on the grid for rechxy, not for the stencil.
    EXPECT_EQ(rechxy(centre(10), centre(2), ii, jj), 1);
    EXPECT_EQ(rechxy_i(centre(10), centre(2), ii, jj, tx, ty), 0);
    EXPECT_EQ(z_ground_p(centre(10), centre(2), altitude.zp), kOffGridHeight);
    EXPECT_EQ(rechxy_i(centre(2), centre(8), ii, jj, tx, ty), 0);
}

TEST_F(GridAccess, BilinearHeightsAndGradientOnAPlane) {
    set_grid(12, 9, [](int i, int j) { return plane(centre(i), centre(j)); });
    for (const auto& [x, y] : {std::pair{45.0f, 45.0f}, {100.0f, 200.0f}, {512.3f, 333.3f}, {944.9f, 764.9f}}) {
        EXPECT_NEAR(z_ground_p(x, y, altitude.zp), plane(x, y), 1e-3f) << x << " " << y;
    }
    int ii = 0;
    int jj = 0;
    float tx = 0.0f;
    float ty = 0.0f;
    ASSERT_EQ(rechxy_i(300.0f, 400.0f, ii, jj, tx, ty), 1);
    float gx = 0.0f;
    float gy = 0.0f;
    float gn = 0.0f;
    grad(ii, jj, tx, ty, altitude.zp, gx, gy, gn);
    EXPECT_NEAR(gn, std::sqrt(0.5f * 0.5f + 0.25f * 0.25f), 1e-5f);
    EXPECT_NEAR(gx, 0.5f / gn, 1e-5f);
    EXPECT_NEAR(gy, 0.25f / gn, 1e-5f);
    // Steps not set count as 90 m instead of dividing by zero.
    trn001.rew = 0.0f;
    trn001.rns = 0.0f;
    float gn0 = 0.0f;
    grad(ii, jj, tx, ty, altitude.zp, gx, gy, gn0);
    EXPECT_FLOAT_EQ(gn0, gn);
    EXPECT_FLOAT_EQ(z_ground_m(ii, jj, altitude.zp), plane(centre(ii + 1), centre(jj + 1)));
}

TEST_F(GridAccess, FlatGroundHasNoGradient) {
    set_grid(4, 4, [](int, int) { return 250.0f; });
    float gx = 1.0f;
    float gy = 1.0f;
    float gn = 1.0f;
    grad(1, 1, 0.3f, 0.7f, altitude.zp, gx, gy, gn);
    EXPECT_EQ(gn, 0.0f);
    EXPECT_EQ(gx, 0.0f);
    EXPECT_EQ(gy, 0.0f);
    EXPECT_EQ(z_ground_p(centre(2) + 17.0f, centre(3) - 4.0f, altitude.zp), 250.0f);
}

TEST_F(GridAccess, HeightsByLandscapePosition) {
    set_grid(6, 5, [](int i, int j) { return noise_height(i, j, 7); });
    // Landscape x runs westward from the east edge: grid column 6 is at x 0..90.
    const float x_east = 45.0f;
    int ii = -1000001;
    int jj = 0;
    EXPECT_EQ(get_alt(x_east, centre(2) + 30.0f, ii, jj), altitude.zp(6, 2));
    EXPECT_EQ(ii, 6);
    EXPECT_EQ(jj, 2);
    // Interpolated at a cell centre: that cell's height; in the last column -999999.
    ii = 0;
    EXPECT_EQ(get_alt(trn001.x_scn_mx - centre(3), centre(4), ii, jj), altitude.zp(3, 4));
    ii = 0;
    EXPECT_EQ(get_alt(x_east, centre(2), ii, jj), kOffGridHeight);
    ii = 0;
    EXPECT_EQ(get_alt(-10.0f, centre(2), ii, jj), kOffGridAlt);
    EXPECT_EQ(ii, kOffGridAltCell);
    EXPECT_EQ(jj, kOffGridAltCell);
}

TEST_F(GridAccess, NeighbourhoodMaximumMatchesTheDefinition) {
    set_grid(23, 17, [](int i, int j) { return noise_height(i, j, 3) - 300.0f; });
    alt_voisinage();
    for (int i = 1; i <= 23; ++i) {
        for (int j = 1; j <= 17; ++j) {
            float expected = 0.0f;
            for (int u = i - 5; u <= i + 5; ++u) {
                for (int v = j - 5; v <= j + 5; ++v) {
                    if (altitude.zp.holds(u, v)) {
                        expected = std::max(expected, altitude.zp(u, v));
                    }
                }
            }
            ASSERT_EQ(altitude.zp_mx5(i, j), expected) << i << " " << j;
        }
    }
}

TEST_F(GridAccess, NeighbourhoodMaximumOfAWallAndBelowSeaLevel) {
    set_grid(30, 12, [](int i, int) { return i == 10 ? 800.0f : -20.0f; });
    alt_voisinage();
    EXPECT_EQ(altitude.zp_mx5(4, 6), 0.0f);
    EXPECT_EQ(altitude.zp_mx5(5, 1), 800.0f);
    EXPECT_EQ(altitude.zp_mx5(15, 12), 800.0f);
    EXPECT_EQ(altitude.zp_mx5(16, 6), 0.0f);
}

TEST_F(GridAccess, WindFactor) {
    loca00.vtrans = 20.0f;
    EXPECT_FLOAT_EQ(fmod_f(1.0f, 0.0f), 1.0f);
    EXPECT_FLOAT_EQ(fmod_f(0.0f, -1.0f), 1.0f);
    EXPECT_FLOAT_EQ(fmod_f(0.6f, 0.8f), 1.0f);
    loca00.wnd_x = 10.0f;
    EXPECT_FLOAT_EQ(fmod_f(1.0f, 0.0f), 2.0f);
    EXPECT_FLOAT_EQ(fmod_f(-1.0f, 0.0f), 20.0f / 30.0f);
    loca00.wnd_x = 20.0f;
    EXPECT_EQ(fmod_f(1.0f, 0.0f), kNoHeadway);
    // Almost no headway: held at the same bound, without overflow.
    loca00.wnd_x = 20.0f - 1.0e-6f;
    EXPECT_EQ(fmod_f(1.0f, 0.0f), kNoHeadway);
}

TEST_F(GridAccess, PositionsBehindConnectionCodes) {
    CellTable<GlidePoint> ppp(4, 3, GlidePoint{});
    ppp(4, 1) = {1.0f, 2.0f, 3.0f};
    ppp(1, 2) = {4.0f, 5.0f, 6.0f};
    ppp(4, 3) = {7.0f, 8.0f, 9.0f};
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    get_xyz(0, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z);
    EXPECT_EQ(x, 10.0f);
    EXPECT_EQ(y, 20.0f);
    EXPECT_EQ(z, 30.0f);
    get_xyz(4, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z);  // last column of the first row
    EXPECT_EQ(z, 3.0f);
    get_xyz(5, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z);
    EXPECT_EQ(z, 6.0f);
    get_xyz(12, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z);
    EXPECT_EQ(z, 9.0f);
    for (const int bad : {-4, -5, 13, -999}) {
        EXPECT_THROW(get_xyz(bad, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z), StopError) << bad;
    }
    EXPECT_THROW(get_xyz(3, 10.0f, 20.0f, 30.0f, 0, 3, ppp, x, y, z), StopError);
}

TEST_F(GridAccess, AnIndexOffATableEndsTheRun) {
    set_grid(4, 4, [](int, int) { return 1.0f; });
    EXPECT_THROW(z_ground(0.0f, 0.0f, 5, 1, altitude.zp), StopError);
    EXPECT_THROW(z_ground_m(4, 1, altitude.zp), StopError);
    try {
        z_ground_i(0, 2, 0.0f, 0.0f, altitude.zp);
        FAIL();
    } catch (const StopError& stop) {
        EXPECT_EQ(stop.text, "Terrain table index (0, 2) outside its 4 x 4 cells");
    }
}

}  // namespace
}  // namespace terrain_test
