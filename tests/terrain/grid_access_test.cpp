#include <cmath>
#include <utility>

#include "foundation/terrain_extents.h"
#include "terrain/grid_access.h"
#include "terrain/reach_records.h"
#include "terrain_fixture.h"

namespace terrain_test {
namespace {

using GridAccess = TerrainTest;
using Cell = std::pair<int, int>;

// A plane, on which bilinear interpolation is exact: 100 + xg / 2 + y / 4.
float plane(float xg, float y) { return 100.0f + 0.5f * xg + 0.25f * y; }

Cell cell(float x, float y) {
    Cell c;
    rechxy(x, y, c.first, c.second);
    return c;
}
Cell stencil(float x, float y, float& tx, float& ty) {
    Cell c;
    rechxy_i(x, y, c.first, c.second, tx, ty);
    return c;
}
const Cell kOff{kOffGridCell, kOffGridCell};

TEST_F(GridAccess, CellsAndStencilsOfPositions) {
    set_grid(10, 8, [](int, int) { return 0.0f; });
    EXPECT_EQ(cell(0.0f, 0.0f), Cell(1, 1));
    EXPECT_EQ(cell(89.99f, 90.0f), Cell(1, 2));
    EXPECT_EQ(cell(-45.0f, -89.0f), Cell(1, 1));  // int() truncates toward zero
    EXPECT_EQ(cell(899.0f, 719.0f), Cell(10, 8));
    EXPECT_EQ(cell(900.0f, 10.0f), kOff);
    EXPECT_EQ(cell(10.0f, -90.0f), kOff);
    // Positions no cell index can hold are off the grid, without a trap.
    EXPECT_EQ(cell(3.0e38f, 10.0f), kOff);
    EXPECT_EQ(cell(10.0f, -INFINITY), kOff);
    EXPECT_EQ(cell(NAN, 10.0f), kOff);

    float tx = -1.0f;
    float ty = -1.0f;
    EXPECT_EQ(stencil(centre(3), centre(4) + 22.5f, tx, ty), Cell(3, 4));
    EXPECT_EQ(tx, 0.0f);
    EXPECT_NEAR(ty, 0.25f, 1e-6f);
    // Below the first centre there is no stencil; the fractions still come.
    EXPECT_EQ(stencil(10.0f, centre(2), tx, ty), kOff);
    EXPECT_NEAR(tx, 55.0f / 90.0f, 1e-6f);
    // The last column and row are on the grid, but hold no stencil.
    EXPECT_EQ(cell(centre(10), centre(2)), Cell(10, 2));
    EXPECT_EQ(stencil(centre(10), centre(2), tx, ty), kOff);
    EXPECT_EQ(stencil(centre(2), centre(8), tx, ty), kOff);
    EXPECT_EQ(z_ground_p(centre(10), centre(2), altitude.zp), kOffGridHeight);

    // An origin cell other than 1 shifts every index.
    trn001.i_00 = 3;
    trn001.j_00 = 2;
    EXPECT_EQ(cell(181.0f, 91.0f), Cell(1, 1));
    EXPECT_EQ(stencil(181.0f + 45.0f, 91.0f + 45.0f, tx, ty), Cell(1, 1));
}

TEST_F(GridAccess, HeightsAndGradientsOnAPlaneAndOnFlatGround) {
    set_grid(12, 9, [](int i, int j) { return plane(centre(i), centre(j)); });
    for (const auto& [x, y] : {std::pair{45.0f, 45.0f}, {100.0f, 200.0f}, {512.3f, 333.3f}, {944.9f, 764.9f}}) {
        EXPECT_NEAR(z_ground_p(x, y, altitude.zp), plane(x, y), 1e-3f) << x << " " << y;
    }
    float tx = 0.0f;
    float ty = 0.0f;
    const auto [ii, jj] = stencil(300.0f, 400.0f, tx, ty);
    float gx = 0.0f;
    float gy = 0.0f;
    float gn = 0.0f;
    grad(ii, jj, tx, ty, altitude.zp, gx, gy, gn);
    EXPECT_NEAR(gn, std::sqrt(0.3125f), 1e-5f);
    EXPECT_NEAR(gx, 0.5f / gn, 1e-5f);
    EXPECT_NEAR(gy, 0.25f / gn, 1e-5f);
    EXPECT_EQ(z_ground_m(ii, jj, altitude.zp), altitude.zp(ii + 1, jj + 1));
    // Steps not set count as 90 m instead of dividing by zero.
    trn001.rew = 0.0f;
    trn001.rns = 0.0f;
    float gn0 = 0.0f;
    grad(ii, jj, tx, ty, altitude.zp, gx, gy, gn0);
    EXPECT_EQ(gn0, gn);

    set_grid(4, 4, [](int, int) { return 250.0f; });
    grad(1, 1, 0.3f, 0.7f, altitude.zp, gx, gy, gn);
    EXPECT_EQ(std::make_pair(gx, gy), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(gn, 0.0f);
}

TEST_F(GridAccess, HeightsByLandscapePosition) {
    set_grid(6, 5, [](int i, int j) { return noise_height(i, j, 7); });
    // Landscape x runs westward from the east edge: grid column 6 is at x 0..90.
    int ii = -1000001;
    int jj = 0;
    EXPECT_EQ(get_alt(45.0f, centre(2) + 30.0f, ii, jj), altitude.zp(6, 2));
    EXPECT_EQ(Cell(ii, jj), Cell(6, 2));
    // Interpolated: a cell centre gives its height, the last column -999999.
    ii = 0;
    EXPECT_EQ(get_alt(trn001.x_scn_mx - centre(3), centre(4), ii, jj), altitude.zp(3, 4));
    EXPECT_EQ(get_alt(45.0f, centre(2), ii, jj), kOffGridHeight);
    EXPECT_EQ(get_alt(-10.0f, centre(2), ii, jj), kOffGridAlt);
    EXPECT_EQ(Cell(ii, jj), Cell(kOffGridAltCell, kOffGridAltCell));
}

TEST_F(GridAccess, NeighbourhoodMaximum) {
    set_grid(23, 17, [](int i, int j) { return noise_height(i, j, 3) - 300.0f; });
    alt_voisinage();
    for (int i = 1; i <= 23; ++i) {
        for (int j = 1; j <= 17; ++j) {
            float expected = 0.0f;
            for (int u = i - 5; u <= i + 5; ++u) {
                for (int v = j - 5; v <= j + 5; ++v) {
                    expected = altitude.zp.holds(u, v) ? std::max(expected, altitude.zp(u, v)) : expected;
                }
            }
            ASSERT_EQ(altitude.zp_mx5(i, j), expected) << i << " " << j;
        }
    }
    // A wall in column 10 over ground below sea level.
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

TEST_F(GridAccess, ConnectionCodesAndIndexFaults) {
    CellTable<GlidePoint> ppp(4, 3, GlidePoint{});
    ppp(4, 1).z = 3.0f;
    ppp(1, 2).z = 6.0f;
    ppp(4, 3).z = 9.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    get_xyz(0, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(10.0f, 20.0f));
    EXPECT_EQ(z, 30.0f);
    for (const auto& [code, height] : {std::pair{4, 3.0f}, {5, 6.0f}, {12, 9.0f}}) {
        get_xyz(code, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z);
        EXPECT_EQ(z, height) << code;
    }
    for (const int bad : {-4, -5, 13, -999}) {
        EXPECT_THROW(get_xyz(bad, 10.0f, 20.0f, 30.0f, 4, 3, ppp, x, y, z), RunStopped) << bad;
    }
    EXPECT_THROW(get_xyz(3, 10.0f, 20.0f, 30.0f, 0, 3, ppp, x, y, z), RunStopped);

    set_grid(4, 4, [](int, int) { return 1.0f; });
    EXPECT_THROW(z_ground_m(4, 1, altitude.zp), RunStopped);
    try {
        z_ground_i(0, 2, 0.0f, 0.0f, altitude.zp);
        FAIL();
    } catch (const RunStopped& stop) {
        EXPECT_EQ(stop.text, "Terrain table index (0, 2) outside its 4 x 4 cells");
    }
}

}  // namespace
}  // namespace terrain_test
