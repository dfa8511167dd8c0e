#include <cmath>
#include <vector>

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

// A straight glide with the end point written back (qupd).
struct Line {
    bool clear = false;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
};
Line glide(float x, float y, float z, float xt, float yt, bool qhit = true, float dhg = 0.0f) {
    Line l{false, x, y, z, 0.0f, dhg};
    l.clear = ligne_droite(true, qhit, l.x, l.y, l.z, xt, yt, altitude.zp, l.zg, l.dhg);
    return l;
}

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
    // Flat at 0 with a ridge 1000 m high over columns 60..69.
    static void ridge() {
        set_grid(200, 60, [](int i, int) { return i >= 60 && i < 70 ? 1000.0f : 0.0f; });
    }
};

TEST_F(GlideLine, ClearOrBlockedOverFlatGround) {
    flat();
    const Line a = glide(centre(10), centre(20), 1000.0f, centre(110), centre(20));
    EXPECT_TRUE(a.clear);
    EXPECT_EQ(a.x, centre(110));
    EXPECT_NEAR(a.z, 1000.0f - 9000.0f * kLoss, 1e-3f);
    EXPECT_EQ(a.zg, 100.0f);
    EXPECT_NEAR(a.dhg, a.z - 100.0f, 1e-3f);
    // Without qupd the start stays; a diagonal costs its length.
    float x = centre(10);
    float y = centre(10);
    float z = 1000.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    EXPECT_TRUE(ligne_droite(false, true, x, y, z, centre(70), centre(90), altitude.zp, zg, dhg));
    EXPECT_EQ(z, 1000.0f);
    EXPECT_NEAR(dhg, 900.0f - 9000.0f * kLoss, 1e-2f);

    // Clearance 331.25 at the start, 100 after 7400 m: the steps shrink to
    // 90 m near the ground, so the line stops within a step past that point.
    const Line b = glide(centre(10), centre(20), 431.25f, centre(110), centre(20));
    EXPECT_FALSE(b.clear);
    EXPECT_GE(b.x - centre(10), 7400.0f);
    EXPECT_LT(b.x - centre(10), 7490.0f);
    EXPECT_LE(b.dhg, 100.0f);
    EXPECT_GT(b.dhg, 100.0f - 90.0f * kLoss);
    EXPECT_NEAR(b.z, 431.25f - (b.x - centre(10)) * kLoss, 1e-3f);
}

TEST_F(GlideLine, ClearancesWithAndWithoutHit) {
    flat();
    // Without qhit: backed off 90 m, dhg raised by the loss of 90 m.
    const Line a = glide(centre(10), centre(20), 1000.0f, centre(50), centre(20), false);
    EXPECT_TRUE(a.clear);
    EXPECT_EQ(a.x, centre(49));
    const float at_target = 1000.0f - 3600.0f * kLoss;
    EXPECT_NEAR(a.z, at_target + 90.0f * kLoss, 1e-3f);
    EXPECT_NEAR(a.dhg, at_target - 100.0f + 90.0f * kLoss, 1e-3f);
    // Arriving 120 m above the ground: clear with qhit, not with 1.5 x 100 m.
    const float z = 100.0f + 120.0f + 3600.0f * kLoss;
    EXPECT_TRUE(glide(centre(10), centre(20), z, centre(50), centre(20)).clear);
    EXPECT_FALSE(glide(centre(10), centre(20), z, centre(50), centre(20), false).clear);
    // 400 m out, arriving 60 m up: with sfty_h 50 the clearance wanted tapers
    // to a tenth of the distance left over the last 500 m.
    const float z2 = 100.0f + 60.0f + 400.0f * kLoss;
    EXPECT_FALSE(glide(centre(10), centre(20), z2, centre(10) + 400.0f, centre(20)).clear);
    loca00.sfty_h = 50.0f;
    const Line b = glide(centre(10), centre(20), z2, centre(10) + 400.0f, centre(20));
    EXPECT_TRUE(b.clear);
    EXPECT_NEAR(b.dhg, 60.0f, 1e-3f);
}

TEST_F(GlideLine, NearAndEqualTargetsAndTheGridEdge) {
    flat();
    // Start and target the same: no direction, the point examined twice.
    const Line a = glide(centre(10), centre(20), 300.0f, centre(10), centre(20));
    EXPECT_TRUE(a.clear);
    EXPECT_EQ(a.z, 300.0f);
    EXPECT_EQ(a.dhg, 200.0f);
    // 100 m away: examined at once at the target.
    const Line b = glide(centre(10), centre(20), 300.0f, centre(10) + 100.0f, centre(20));
    EXPECT_EQ(b.x, centre(10) + 100.0f);
    EXPECT_NEAR(b.z, 300.0f - 100.0f * kLoss, 1e-4f);
    // Leaving the grid: false at once, the start untouched, dhg that of the
    // last point on the grid.
    const Line c = glide(centre(195), centre(20), 2000.0f, centre(260), centre(20), true, 12.0f);
    EXPECT_FALSE(c.clear);
    EXPECT_EQ(c.zg, kOffGridHeight);
    EXPECT_EQ(c.x, centre(195));
    EXPECT_EQ(c.z, 2000.0f);
    EXPECT_GT(c.dhg, 1000.0f);
}

TEST_F(GlideLine, WindFactorOfTheDirectionFlown) {
    flat();
    pelrn00.qwind = true;
    loca00.wnd_x = 10.0f;  // vtrans 20: flying east the factor is 2, west 2/3
    const Line east = glide(centre(10), centre(20), 210.0f + 2.0f * 9000.0f * kLoss, centre(110), centre(20));
    EXPECT_TRUE(east.clear);
    EXPECT_NEAR(east.dhg, 110.0f, 1e-2f);
    const Line west = glide(centre(110), centre(20), 1000.0f, centre(10), centre(20));
    EXPECT_NEAR(west.z, 1000.0f - 9000.0f * kLoss * 20.0f / 30.0f, 1e-2f);
}

TEST_F(GlideLine, AHeadwindShortensASlideAndATailwindLengthensIt) {
    // Ground falling eastward: the slide goes east, down the slope, against
    // the gradient g (which points west, uphill). A wind that costs a
    // straight glide eastward twice the calm loss is a headwind for it.
    set_grid(100, 20, [](int i, int) { return 1000.0f - 0.5f * centre(i); });
    pelrn00.qwind = true;
    const auto straight_loss = [](float wnd_x) {
        loca00.wnd_x = wnd_x;
        return 1000.0f - glide(centre(10), centre(10), 1000.0f, centre(20), centre(10)).z;
    };
    const auto slide = [](float wnd_x) {
        loca00.wnd_x = wnd_x;
        float x = 1000.0f;
        float y = centre(10);
        float z = 510.0f;
        float dhg = 0.0f;
        int nslope = 0;
        slope(x, y, z, 15.0f, altitude.zp, dhg, nslope);
        EXPECT_EQ(nslope, 1);
        EXPECT_NEAR(x, 1045.0f, 1e-3f);
        return 510.0f - z;
    };
    const float calm = slide(0.0f);
    EXPECT_NEAR(calm, 45.0f * kLoss, 1e-4f);
    ASSERT_NEAR(straight_loss(10.0f), 2.0f * straight_loss(0.0f), 1e-2f);
    // The slide pays the factor of the direction it flies, -g: the headwind
    // makes it lose more height (a shorter glide), a tailwind less.
    EXPECT_NEAR(slide(10.0f), 2.0f * calm, 1e-4f);
    EXPECT_NEAR(slide(-10.0f), calm * 20.0f / 30.0f, 1e-4f);
    // The factor of g itself would turn that round: 2/3 in the headwind.
    loca00.wnd_x = 10.0f;
    EXPECT_NEAR(fmod_f(-1.0f, 0.0f), 20.0f / 30.0f, 1e-6f);
    EXPECT_NEAR(fmod_f(1.0f, 0.0f), 2.0f, 1e-6f);
}

TEST_F(GlideLine, MissingHeight) {
    ridge();
    loca00.sfty_h = 50.0f;
    loca00.sfty_g = 50.0f;
    const Line a = glide(centre(10), centre(30), 900.0f, centre(110), centre(30));
    EXPECT_FALSE(a.clear);
    EXPECT_GT(a.x, centre(58));
    EXPECT_LT(a.x, centre(70));
    // The ridge's top ends at the centre of column 69, 5310 m out: the line
    // needs 1000 + 50 + 5310 / 32 at the start; the bisection stops within
    // 10 m above that.
    const float need = 1050.0f + (centre(69) - centre(10)) * kLoss - 900.0f;
    const float h = get_miss_hei(centre(10), centre(30), 900.0f, centre(110), centre(30), 1000.0f);
    EXPECT_GE(h, need);
    EXPECT_LE(h, need + 10.0f);
    EXPECT_EQ(get_miss_hei(centre(10), centre(30), 900.0f, centre(110), centre(30), 200.0f), 200.0f);
    // Over flat ground it ends in the arrival band sfty_h .. 1.1 sfty_h:
    // 50 m on arrival needs 100 + 50 + 9000 / 32 = 431.25 at the start.
    flat();
    const float h2 = get_miss_hei(centre(10), centre(20), 300.0f, centre(110), centre(20), 500.0f);
    EXPECT_GE(h2, 131.25f);
    EXPECT_LE(h2, 131.25f + 5.0f);
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
    const float moved = 45.0f + 62.1875f + 120.4883f;
    EXPECT_NEAR(x, 1000.0f + moved, 0.01f);
    EXPECT_EQ(y, centre(10));
    EXPECT_NEAR(z, 510.0f - moved * kLoss, 0.001f);
    EXPECT_NEAR(dhg, z - (1000.0f - 0.5f * x), 0.001f);
    // Flat ground: one gradient taken, no move; off the grid nothing.
    set_grid(20, 20, [](int, int) { return 300.0f; });
    x = centre(5);
    z = 310.0f;
    slope(x, y, z, 100.0f, altitude.zp, dhg, nslope);
    EXPECT_EQ(nslope, 1);
    EXPECT_EQ(x, centre(5));
    EXPECT_EQ(dhg, 10.0f);
    x = -500.0f;
    slope(x, y, z, 100.0f, altitude.zp, dhg, nslope);
    EXPECT_EQ(nslope, 0);
    EXPECT_EQ(dhg, kOffGridHeight);
}

TEST_F(GlideLine, RouteStoreDropsWhatAStraightGlideMakesUnnecessary) {
    ridge();
    std::vector<GlidePoint> route(2);
    route[1] = {centre(10), centre(30), 2000.0f};
    int nndd = 1;
    float z = 1990.0f;
    store_pos(nndd, route, centre(20), centre(30), z);
    ASSERT_EQ(nndd, 2);
    EXPECT_EQ(route[2].z, 1990.0f);
    // Within 5 m of the last point in x and y: ignored.
    z = 0.0f;
    store_pos(nndd, route, centre(20) + 5.0f, centre(30) - 5.0f, z);
    EXPECT_EQ(nndd, 2);
    // The first point sees the new one: the middle point goes, the altitude
    // is the first point's less the glide loss.
    store_pos(nndd, route, centre(40), centre(30), z);
    ASSERT_EQ(nndd, 2);
    EXPECT_NEAR(route[2].z, 2000.0f - 2700.0f * kLoss, 1e-3f);
    EXPECT_EQ(z, route[2].z);
    // Beyond the ridge from low down: kept after the last point.
    route[1].z = route[2].z = 1000.0f;
    z = 500.0f;
    store_pos(nndd, route, centre(80), centre(30), z);
    ASSERT_EQ(nndd, 3);
    EXPECT_EQ(route[3].z, 500.0f);
}

class CrestPath : public GlideLine {
protected:
    CrestPath() {
        loca00.sfty_g = 50.0f;
        loca00.sfty_h = 50.0f;
    }
    // Builds the path from (x0, y0, z0) to the target; its result.
    bool run(float x0, float y0, float z0, float xt, float yt) {
        path_.assign(2, GlidePoint{x0, y0, z0});
        nndd_ = 1;
        end_ = {x0, y0, z0};
        return ligne_crb_crete(end_.x, end_.y, end_.z, path_, nndd_, xt, yt, 0.0f, altitude.zp, zg_, dhg_, ddh_,
                               qblock_);
    }
    std::vector<GlidePoint> path_;
    int nndd_ = 0;
    GlidePoint end_;
    float zg_ = 0.0f;
    float dhg_ = 0.0f;
    float ddh_ = 0.0f;
    bool qblock_ = true;
};

// Ground 2000 - r / 2 (a cone) or a ring wall 3000 m high over 2 < r < 3 km,
// centred on cell (80, 80).
float radius(int i, int j) { return std::hypot(centre(i) - centre(80), centre(j) - centre(80)); }

TEST_F(CrestPath, GoesRoundACone) {
    set_grid(160, 160, [](int i, int j) { return std::max(0.0f, 2000.0f - 0.5f * radius(i, j)); });
    const float xs = centre(20);
    const float ys = centre(80);
    const float xt = centre(140);
    ASSERT_FALSE(glide(xs, ys, 1500.0f, xt, ys).clear);
    EXPECT_TRUE(run(xs, ys, 1500.0f, xt, ys));
    EXPECT_FALSE(qblock_);
    ASSERT_GE(nndd_, 3);
    EXPECT_EQ(path_[1].x, xs);
    EXPECT_LE(point_distance(path_[nndd_].x, path_[nndd_].y, xt, ys), kLastStepDistance);
    // Every leg is a clear straight glide, and the path went round the cone.
    float off_axis = 0.0f;
    for (int k = 2; k <= nndd_; ++k) {
        const GlidePoint& a = path_[k - 1];
        const Line leg = glide(a.x, a.y, a.z, path_[k].x, path_[k].y);
        EXPECT_TRUE(leg.clear) << k;
        EXPECT_NEAR(path_[k].z, leg.z, 0.01f);
        off_axis = std::max(off_axis, std::fabs(path_[k].y - ys));
    }
    EXPECT_GT(off_axis, 500.0f);
    EXPECT_GT(dhg_, 0.0f);
}

TEST_F(CrestPath, GivesUpAtAWallItCannotPass) {
    set_grid(160, 160, [](int i, int j) { return radius(i, j) > 2000.0f && radius(i, j) < 3000.0f ? 3000.0f : 0.0f; });
    EXPECT_FALSE(run(centre(10), centre(80), 2500.0f, centre(80), centre(80)));
    EXPECT_FALSE(qblock_);
    const float left = point_distance(end_.x, end_.y, centre(80), centre(80));
    EXPECT_LT(left, 3200.0f);
    EXPECT_GT(left, 2600.0f);
}

}  // namespace
}  // namespace terrain_test
