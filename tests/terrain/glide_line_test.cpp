#include <cmath>
#include <vector>

#include "airspace/airspace_records.h"
#include "foundation/geometry.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/glide_line.h"
#include "terrain/grid_access.h"
#include "terrain_fixture.h"

namespace terrain_test {
namespace {

// Glide ratio 32: 1/32 m of height a metre, exact in binary.
constexpr float kLoss = 0.03125f;

class GlideLine : public TerrainTest {
protected:
    GlideLine() {
        loca00.sfty_g = 100.0f;
        loca00.sfty_h = 100.0f;
        loca00.fcalc_inv = kLoss;
        loca00.vtrans = 20.0f;
    }
    // Flat ground at 100 m, 200 x 200 cells.
    static void flat() {
        set_grid(200, 200, [](int, int) { return 100.0f; });
    }
};

TEST_F(GlideLine, ClearOverFlatGroundArrivesWithTheGlideLoss) {
    flat();
    float x = centre(10);
    float y = centre(20);
    float z = 1000.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_TRUE(ligne_droite(true, true, x, y, z, centre(110), centre(20), altitude.zp, zg, dhg));
    EXPECT_FLOAT_EQ(x, centre(110));
    EXPECT_FLOAT_EQ(y, centre(20));
    EXPECT_NEAR(z, 1000.0f - 9000.0f * kLoss, 1e-3f);
    EXPECT_EQ(zg, 100.0f);
    EXPECT_NEAR(dhg, z - 100.0f, 1e-3f);

    // Without qupd the start stays; a diagonal costs its length.
    float x2 = centre(10);
    float y2 = centre(10);
    float z2 = 1000.0f;
    EXPECT_TRUE(ligne_droite(false, true, x2, y2, z2, centre(70), centre(90), altitude.zp, zg, dhg));
    EXPECT_EQ(z2, 1000.0f);
    EXPECT_NEAR(dhg, 900.0f - 100.0f * 90.0f * kLoss, 1e-2f);
}

TEST_F(GlideLine, BlockedWhereTheClearanceRunsOut) {
    flat();
    // Clearance 331.25 at the start, 100 after 7400 m.
    float x = centre(10);
    float y = centre(20);
    float z = 431.25f;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_FALSE(ligne_droite(true, true, x, y, z, centre(110), centre(20), altitude.zp, zg, dhg));
    // The steps shrink to 90 m near the ground: the line stops within one
    // step past the point where the clearance reaches 100 m.
    const float run = x - centre(10);
    EXPECT_GE(run, 7400.0f);
    EXPECT_LT(run, 7490.0f);
    EXPECT_LE(dhg, 100.0f);
    EXPECT_GT(dhg, 100.0f - 90.0f * kLoss);
    EXPECT_NEAR(z, 431.25f - run * kLoss, 1e-3f);
}

TEST_F(GlideLine, BackedOffAndWiderClearanceWithoutHit) {
    flat();
    float x = centre(10);
    float y = centre(20);
    float z = 1000.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_TRUE(ligne_droite(true, false, x, y, z, centre(50), centre(20), altitude.zp, zg, dhg));
    EXPECT_FLOAT_EQ(x, centre(49));
    const float at_target = 1000.0f - 3600.0f * kLoss;
    EXPECT_NEAR(z, at_target + 90.0f * kLoss, 1e-3f);
    EXPECT_NEAR(dhg, at_target - 100.0f + 90.0f * kLoss, 1e-3f);

    // Arriving 120 m above the ground: clear with qhit, not with 1.5 x 100 m.
    float z2 = 100.0f + 120.0f + 3600.0f * kLoss;
    float x2 = centre(10);
    float y2 = centre(20);
    EXPECT_TRUE(ligne_droite(false, true, x2, y2, z2, centre(50), centre(20), altitude.zp, zg, dhg));
    EXPECT_FALSE(ligne_droite(false, false, x2, y2, z2, centre(50), centre(20), altitude.zp, zg, dhg));
}

TEST_F(GlideLine, ClearanceTapersOnTheLastMetresWithHit) {
    flat();
    loca00.sfty_h = 50.0f;
    // 400 m out, arriving 60 m above the ground: inside the last 500 m the
    // clearance wanted is a tenth of the distance left.
    float x = centre(10);
    float y = centre(20);
    float z = 100.0f + 60.0f + 400.0f * kLoss;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_TRUE(ligne_droite(false, true, x, y, z, centre(10) + 400.0f, centre(20), altitude.zp, zg, dhg));
    EXPECT_NEAR(dhg, 60.0f, 1e-3f);
    loca00.sfty_h = 100.0f;
    EXPECT_FALSE(ligne_droite(false, true, x, y, z, centre(10) + 400.0f, centre(20), altitude.zp, zg, dhg));
}

TEST_F(GlideLine, NearAndEqualTargetsAndTheGridEdge) {
    flat();
    float x = centre(10);
    float y = centre(20);
    float z = 300.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    // Start and target the same: no direction, the point examined twice.
    EXPECT_TRUE(ligne_droite(true, true, x, y, z, x, y, altitude.zp, zg, dhg));
    EXPECT_EQ(z, 300.0f);
    EXPECT_EQ(dhg, 200.0f);
    // 100 m away: examined at once at the target.
    EXPECT_TRUE(ligne_droite(true, true, x, y, z, x + 100.0f, y, altitude.zp, zg, dhg));
    EXPECT_FLOAT_EQ(x, centre(10) + 100.0f);
    EXPECT_NEAR(z, 300.0f - 100.0f * kLoss, 1e-4f);
    // Leaving the grid: false at once, the start untouched, dhg as it was.
    float xs = centre(195);
    float ys = centre(20);
    float zs = 2000.0f;
    dhg = 12.0f;
    EXPECT_FALSE(ligne_droite(true, true, xs, ys, zs, centre(260), centre(20), altitude.zp, zg, dhg));
    EXPECT_EQ(zg, kOffGridHeight);
    EXPECT_EQ(xs, centre(195));
    EXPECT_EQ(zs, 2000.0f);
    EXPECT_GT(dhg, 1000.0f);  // the clearance of the last point on the grid
}

TEST_F(GlideLine, HeadwindDoublesTheLoss) {
    flat();
    pelrn00.qwind = true;
    loca00.wnd_x = 10.0f;  // vtrans 20: flying east the factor is 2
    const float z0 = 100.0f + 100.0f + 2.0f * 9000.0f * kLoss;
    float x = centre(10);
    float y = centre(20);
    float z = z0 + 10.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_TRUE(ligne_droite(true, true, x, y, z, centre(110), centre(20), altitude.zp, zg, dhg));
    EXPECT_NEAR(dhg, 110.0f, 1e-2f);
    // Flying west the same wind helps: factor 20 / 30.
    float xw = centre(110);
    float yw = centre(20);
    float zw = 1000.0f;
    EXPECT_TRUE(ligne_droite(true, true, xw, yw, zw, centre(10), centre(20), altitude.zp, zg, dhg));
    EXPECT_NEAR(zw, 1000.0f - 9000.0f * kLoss * 20.0f / 30.0f, 1e-2f);
}

TEST_F(GlideLine, AWallBlocksAndTheMissingHeightClearsIt) {
    // Flat at 0 with a ridge 1000 m high over columns 60..69.
    set_grid(200, 60, [](int i, int) { return i >= 60 && i < 70 ? 1000.0f : 0.0f; });
    loca00.sfty_h = 50.0f;
    loca00.sfty_g = 50.0f;
    float x = centre(10);
    float y = centre(30);
    float z = 900.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_FALSE(ligne_droite(true, true, x, y, z, centre(110), centre(30), altitude.zp, zg, dhg));
    EXPECT_GT(x, centre(58));
    EXPECT_LT(x, centre(70));
    // The ridge's top ends at the centre of column 69, 5310 m out: the line
    // needs 1000 + 50 + 5310 / 32 at the start, 315.9 m more than 900; the
    // bisection stops within 10 m above that.
    const float need = 1000.0f + 50.0f + (centre(69) - centre(10)) * kLoss - 900.0f;
    const float h = get_miss_hei(centre(10), centre(30), 900.0f, centre(110), centre(30), 1000.0f);
    EXPECT_GE(h, need);
    EXPECT_LE(h, need + 10.0f);
    EXPECT_EQ(get_miss_hei(centre(10), centre(30), 900.0f, centre(110), centre(30), 200.0f), 200.0f);
}

TEST_F(GlideLine, MissingHeightOverFlatGroundEndsInTheArrivalBand) {
    flat();
    loca00.sfty_g = 50.0f;
    loca00.sfty_h = 50.0f;
    // Arrival height of 50 m needs 100 + 50 + 9000 / 32 = 431.25 at the start.
    const float h = get_miss_hei(centre(10), centre(20), 300.0f, centre(110), centre(20), 500.0f);
    EXPECT_GE(h, 131.25f);
    EXPECT_LE(h, 131.25f + 5.0f);
}

TEST_F(GlideLine, SlopeSlidesDownAPlane) {
    // 1000 - xg / 2: falling eastward.
    set_grid(100, 20, [](int i, int) { return 1000.0f - 0.5f * centre(i); });
    float x = 1000.0f;
    float y = centre(10);
    float z = 510.0f;
    float dhg = 0.0f;
    int nslope = 0;
    slope(x, y, z, 100.0f, altitude.zp, dhg, nslope);
    // Moves of 45 (10 / 0.5 held at half a cell), 62.19 and 120.49 m.
    EXPECT_EQ(nslope, 3);
    EXPECT_NEAR(x, 1000.0f + 45.0f + 62.1875f + 120.4883f, 0.01f);
    EXPECT_EQ(y, centre(10));
    EXPECT_NEAR(z, 510.0f - (45.0f + 62.1875f + 120.4883f) * kLoss, 0.001f);
    EXPECT_NEAR(dhg, z - (1000.0f - 0.5f * x), 0.001f);
    EXPECT_GT(dhg, 100.0f);

    // Flat ground: one gradient taken, no move.
    set_grid(20, 20, [](int, int) { return 300.0f; });
    float xf = centre(5);
    float yf = centre(5);
    float zf = 310.0f;
    slope(xf, yf, zf, 100.0f, altitude.zp, dhg, nslope);
    EXPECT_EQ(nslope, 1);
    EXPECT_EQ(xf, centre(5));
    EXPECT_EQ(dhg, 10.0f);
    // Off the grid: nothing.
    float xo = -500.0f;
    slope(xo, yf, zf, 100.0f, altitude.zp, dhg, nslope);
    EXPECT_EQ(nslope, 0);
    EXPECT_EQ(dhg, kOffGridHeight);
}

TEST_F(GlideLine, SlopeLosesHeightWithTheWindOfItsOwnDirection) {
    set_grid(100, 20, [](int i, int) { return 1000.0f - 0.5f * centre(i); });
    pelrn00.qwind = true;
    loca00.wnd_x = 10.0f;  // sliding east into this wind costs twice the height
    float x = 1000.0f;
    float y = centre(10);
    float z = 510.0f;
    float dhg = 0.0f;
    int nslope = 0;
    slope(x, y, z, 15.0f, altitude.zp, dhg, nslope);
    EXPECT_EQ(nslope, 1);
    EXPECT_NEAR(z, 510.0f - 2.0f * 45.0f * kLoss, 1e-4f);
}

TEST_F(GlideLine, RouteStoreDropsWhatAStraightGlideMakesUnnecessary) {
    set_grid(200, 60, [](int i, int) { return i >= 60 && i < 70 ? 1000.0f : 0.0f; });
    std::vector<GlidePoint> route(2);
    route[1] = {centre(10), centre(30), 2000.0f};
    int nndd = 1;
    float z = 1990.0f;
    store_pos(nndd, route, centre(20), centre(30), z);
    ASSERT_EQ(nndd, 2);
    EXPECT_EQ(route[2].z, 1990.0f);
    // Within 5 m of the last point in x and y: ignored.
    float z2 = 0.0f;
    store_pos(nndd, route, centre(20) + 5.0f, centre(30) - 5.0f, z2);
    EXPECT_EQ(nndd, 2);
    // The first point sees the new one: the middle point goes, and the
    // altitude is the first point's less the glide loss.
    float z3 = 0.0f;
    store_pos(nndd, route, centre(40), centre(30), z3);
    ASSERT_EQ(nndd, 2);
    EXPECT_NEAR(route[2].z, 2000.0f - 2700.0f * kLoss, 1e-3f);
    EXPECT_EQ(z3, route[2].z);
    // Beyond the ridge from low down: kept behind the last point.
    route[2].z = 1000.0f;
    route[1].z = 1000.0f;
    float z4 = 500.0f;
    store_pos(nndd, route, centre(80), centre(30), z4);
    ASSERT_EQ(nndd, 3);
    EXPECT_EQ(route[3].z, 500.0f);
}

TEST_F(GlideLine, CrestPathGoesRoundACone) {
    // A cone 2000 m high, 1 in 2, centred between start and target.
    set_grid(160, 160, [](int i, int j) {
        const float r = std::hypot(centre(i) - centre(80), centre(j) - centre(80));
        return std::max(0.0f, 2000.0f - 0.5f * r);
    });
    loca00.sfty_g = 50.0f;
    loca00.sfty_h = 50.0f;
    const float xs = centre(20);
    const float ys = centre(80);
    const float xt = centre(140);
    const float yt = centre(80);
    float x = xs;
    float y = ys;
    float z = 1500.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    {
        float xl = x;
        float yl = y;
        float zl = z;
        ASSERT_FALSE(ligne_droite(false, true, xl, yl, zl, xt, yt, altitude.zp, zg, dhg));
    }
    std::vector<GlidePoint> path(2);
    path[1] = {xs, ys, z};
    int nndd = 1;
    float ddh = 0.0f;
    bool qblock = true;
    EXPECT_TRUE(ligne_crb_crete(x, y, z, path, nndd, xt, yt, 0.0f, altitude.zp, zg, dhg, ddh, qblock));
    EXPECT_FALSE(qblock);
    ASSERT_GE(nndd, 3);
    EXPECT_EQ(path[1].x, xs);
    EXPECT_LE(point_distance(path[nndd].x, path[nndd].y, xt, yt), kLastStepDistance);
    // Every leg is a clear straight glide, and the path went round the cone.
    float off_axis = 0.0f;
    for (int k = 2; k <= nndd; ++k) {
        GlidePoint a = path[k - 1];
        EXPECT_TRUE(ligne_droite(false, true, a.x, a.y, a.z, path[k].x, path[k].y, altitude.zp, zg, dhg)) << k;
        EXPECT_NEAR(path[k].z, path[k - 1].z - point_distance(a.x, a.y, path[k].x, path[k].y) * kLoss, 0.01f);
        off_axis = std::max(off_axis, std::fabs(path[k].y - ys));
    }
    EXPECT_GT(off_axis, 500.0f);
    EXPECT_GT(dhg, 0.0f);
}

TEST_F(GlideLine, CrestPathGivesUpAtAWallItCannotPass) {
    // The target inside a ring wall 3000 m high, the glider at 2500 m.
    set_grid(160, 160, [](int i, int j) {
        const float r = std::hypot(centre(i) - centre(80), centre(j) - centre(80));
        return r > 2000.0f && r < 3000.0f ? 3000.0f : 0.0f;
    });
    loca00.sfty_g = 50.0f;
    loca00.sfty_h = 50.0f;
    float x = centre(10);
    float y = centre(80);
    float z = 2500.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    float ddh = 0.0f;
    std::vector<GlidePoint> path(2);
    path[1] = {x, y, z};
    int nndd = 1;
    bool qblock = true;
    EXPECT_FALSE(ligne_crb_crete(x, y, z, path, nndd, centre(80), centre(80), 0.0f, altitude.zp, zg, dhg, ddh, qblock));
    EXPECT_FALSE(qblock);
    EXPECT_LT(point_distance(x, y, centre(80), centre(80)), 3200.0f);
    EXPECT_GT(point_distance(x, y, centre(80), centre(80)), 2600.0f);
}

}  // namespace
}  // namespace terrain_test
