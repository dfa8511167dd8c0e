#include "taskfiles/task_geometry.h"

#include "foundation/run_stop.h"
#include "foundation/terrain_extents.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <cmath>
#include <vector>

namespace {

// A task as the geometry routines see it.
struct Task {
    std::vector<float> x;
    std::vector<float> y;
    std::vector<int> rad;
    std::vector<int> ang;
    std::vector<float> wid;
    std::vector<float> hei;

    explicit Task(std::vector<std::array<float, 2>> points, int radius = 1000, int angle = 90)
        : rad(points.size(), radius), ang(points.size(), angle), wid(points.size(), 0.0f), hei(points.size(), 10000.0f) {
        for (const auto& p : points) {
            x.push_back(p[0]);
            y.push_back(p[1]);
        }
    }
    int count() const { return static_cast<int>(x.size()); }
    bool in(int n, float px, float py, float pz = 500.0f, float fimialt = 0.0f) const {
        return in_sector(px, py, pz, n, count(), x, y, rad, ang, wid, hei, fimialt);
    }
};

}  // namespace

TEST(TaskGeometry, StartOrFinishZone) {
    // Zone at the origin, neighbour 5 km to the north; radius 1000 m, 0..3000 m.
    const auto in = [](float px, float py, float pz, int angle) {
        return in_sta_fin(px, py, pz, 0.0f, 0.0f, 0.0f, 5000.0f, 1000, angle, 0.0f, 3000.0f);
    };
    EXPECT_TRUE(in(0.0f, 900.0f, 500.0f, 360));
    EXPECT_FALSE(in(0.0f, 1001.0f, 500.0f, 360));  // beyond the radius
    EXPECT_FALSE(in(0.0f, 0.0f, 3001.0f, 360));    // above
    EXPECT_FALSE(in(0.0f, 0.0f, -1.0f, 360));      // below
    EXPECT_TRUE(in(0.0f, -500.0f, 500.0f, 180));   // a line: the far side from the neighbour
    EXPECT_TRUE(in(800.0f, 0.0f, 500.0f, 180));    // on the line itself
    EXPECT_FALSE(in(0.0f, 500.0f, 500.0f, 180));   // the neighbour's side

    // Only cylinders and lines are start or finish zones: a sector stops the run.
    try {
        in(0.0f, 0.0f, 500.0f, 90);
        ADD_FAILURE() << "the run went on";
    } catch (const RunStopped& stop) {
        EXPECT_EQ(stop.text, "TPANG");
        EXPECT_EQ(stop.exit_code, 1);
    }
    EXPECT_FALSE(in(0.0f, 2000.0f, 500.0f, 90));  // outside the radius: no angle test, no stop
}

TEST(TaskGeometry, TaskBoxHeldWithinTheFrame) {
    reset_trn001();
    trn001.x_scn_mx = 100000.0f;
    trn001.y_scn_mx = 100000.0f;
    const std::vector<float> x{50000.0f, 1000.0f, 99000.0f};
    const std::vector<float> y{40000.0f, 40000.0f, 40000.0f};
    const std::vector<int> rad{3000, 3000, 3000};
    float xmi = 1.0e7f;
    float xma = 0.0f;
    float ymi = 1.0e7f;
    float yma = 0.0f;
    task_minmax(1, x, y, rad, xmi, xma, ymi, yma);
    EXPECT_EQ(xmi, 47000.0f);
    EXPECT_EQ(xma, 53000.0f);
    EXPECT_EQ(ymi, 37000.0f);
    EXPECT_EQ(yma, 43000.0f);
    task_minmax(3, x, y, rad, xmi, xma, ymi, yma);  // -2000 and 102000 are held to the margin
    EXPECT_EQ(xmi, 2880.0f);
    EXPECT_EQ(xma, 100000.0f - 2880.0f);

    xmi = 1.0e7f;  // no point: the presets are only held, minima above maxima
    xma = 0.0f;
    ymi = 1.0e7f;
    yma = 0.0f;
    task_minmax(0, x, y, rad, xmi, xma, ymi, yma);
    EXPECT_EQ(xmi, 97120.0f);
    EXPECT_EQ(xma, 2880.0f);
    EXPECT_EQ(ymi, 97120.0f);
    EXPECT_EQ(yma, 2880.0f);

    trn001.x_scn_mx = 5000.0f;  // a frame narrower than twice the margin
    task_minmax(1, x, y, rad, xmi, xma, ymi, yma);
    EXPECT_EQ(xmi, 2880.0f);
    EXPECT_EQ(xma, 2880.0f);
    task_minmax(40, x, y, rad, xmi, xma, ymi, yma);  // a count beyond the arrays reads no further
    reset_trn001();
}

TEST(TaskGeometry, SectorAxes) {
    // Straight course west to east (x grows to the west: east is -x): takeoff,
    // start, turnpoint, finish.
    const Task straight({{30000.0f, 0.0f}, {20000.0f, 0.0f}, {10000.0f, 0.0f}, {0.0f, 0.0f}});
    // ain = aout = 180 degrees; the axis is ain + 90 = 270: towards -y.
    EXPECT_TRUE(straight.in(2, 10000.0f, -500.0f));
    EXPECT_FALSE(straight.in(2, 10000.0f, 500.0f));
    // The start opens away from the first leg (towards +x), the finish beyond it (-x).
    EXPECT_TRUE(straight.in(1, 20500.0f, 0.0f));
    EXPECT_FALSE(straight.in(1, 19500.0f, 0.0f));
    EXPECT_TRUE(straight.in(3, -500.0f, 0.0f));
    EXPECT_FALSE(straight.in(3, 500.0f, 0.0f));

    // A turn to one side and to the other: axes mirrored about the incoming leg.
    const Task left({{0.0f, -20000.0f}, {0.0f, -10000.0f}, {0.0f, 0.0f}, {-7071.0f, 7071.0f}});
    const Task right({{0.0f, -20000.0f}, {0.0f, -10000.0f}, {0.0f, 0.0f}, {7071.0f, 7071.0f}});
    // Incoming due +y; the left task turns towards -x and its outside lies at +x, -y.
    EXPECT_TRUE(left.in(2, 500.0f, -200.0f));
    EXPECT_FALSE(left.in(2, -500.0f, -200.0f));
    EXPECT_TRUE(right.in(2, -500.0f, -200.0f));
    EXPECT_FALSE(right.in(2, 500.0f, -200.0f));

    // A cylinder is any direction.
    Task cylinder = straight;
    cylinder.ang[2] = 360;
    EXPECT_TRUE(cylinder.in(2, 10000.0f, 500.0f));
    EXPECT_FALSE(cylinder.in(2, 10000.0f, 1500.0f));
}

TEST(TaskGeometry, SectorAltitudes) {
    Task task({{30000.0f, 0.0f}, {20000.0f, 0.0f}, {10000.0f, 0.0f}, {0.0f, 0.0f}}, 1000, 360);
    task.wid[3] = 200.0f;
    task.hei[3] = 2000.0f;
    EXPECT_TRUE(task.in(3, 0.0f, 0.0f, 300.0f, 0.0f));
    EXPECT_FALSE(task.in(3, 0.0f, 0.0f, 300.0f, 400.0f));  // between the two floors: outside
    EXPECT_TRUE(task.in(3, 0.0f, 0.0f, 400.0f, 400.0f));
    EXPECT_FALSE(task.in(3, 0.0f, 0.0f, 2001.0f, 0.0f));
    task.wid[2] = 200.0f;
    EXPECT_TRUE(task.in(2, 10000.0f, 0.0f, 300.0f, 400.0f));  // fimialt is the finish's only
}

TEST(TaskGeometry, SectorIndexesOutsideTheTablesAreOutside) {
    const Task task({{30000.0f, 0.0f}, {20000.0f, 0.0f}, {10000.0f, 0.0f}});
    EXPECT_FALSE(task.in(0, 30000.0f, 0.0f));  // the takeoff has no zone axis
    EXPECT_FALSE(task.in(3, 0.0f, 0.0f));
    EXPECT_FALSE(task.in(-1, 0.0f, 0.0f));
    // A turnpoint whose next point is beyond the tables.
    EXPECT_FALSE(in_sector(10000.0f, 0.0f, 0.0f, 2, 9, task.x, task.y, task.rad, task.ang, task.wid, task.hei, 0.0f));
}

TEST(TaskGeometry, Window) {
    const std::vector<float> x{0.0f, 1000.0f};
    const std::vector<float> y{0.0f, 0.0f};
    const std::vector<float> alt{0.0f, 1500.0f};
    const std::vector<float> wid{0.0f, 400.0f};
    const std::vector<float> hei{0.0f, 200.0f};
    const std::vector<float> ndx{0.0f, 0.0f};
    const std::vector<float> ndy{0.0f, 1.0f};
    const auto window = [&](float px, float py, float pz) { return in_window(px, py, pz, 1, 2, x, y, alt, wid, hei, ndx, ndy); };
    EXPECT_EQ(window(1000.0f, -100.0f, 1500.0f), 1);  // the point lies on the normal's side of the position
    EXPECT_EQ(window(1000.0f, 100.0f, 1500.0f), 2);
    EXPECT_EQ(window(1000.0f, 0.0f, 1500.0f), 2);     // ps = 0
    EXPECT_EQ(window(1000.0f, 200.0f, 1500.0f), 0);   // exactly half the width: outside
    EXPECT_EQ(window(1000.0f, 0.0f, 1601.0f), 0);
    EXPECT_EQ(window(1000.0f, 0.0f, 1400.0f), 1 + 1);  // the lower edge is inside
    EXPECT_EQ(in_window(0.0f, 0.0f, 0.0f, 2, 2, x, y, alt, wid, hei, ndx, ndy), 0);
}

TEST(TaskGeometry, AimingPointOnCylinders) {
    // Takeoff, start, turnpoint 10 km north of the start, finish 10 km west of it.
    std::vector<float> x{0.0f, 0.0f, 0.0f, 10000.0f};
    std::vector<float> y{-5000.0f, 0.0f, 10000.0f, 10000.0f};
    std::vector<int> ang{360, 360, 360, 360};
    std::vector<int> rad{500, 500, 1000, 2000};
    float dx = 1.0f;
    float dy = 1.0f;
    opt_branch(1, 4, x, y, ang, rad, dx, dy);
    EXPECT_FLOAT_EQ(dx, 0.0f);
    EXPECT_FLOAT_EQ(dy, 500.0f);
    opt_branch(2, 4, x, y, ang, rad, dx, dy);  // bisector into the turn: (+x, -y)
    EXPECT_NEAR(dx, 707.1f, 0.1f);
    EXPECT_NEAR(dy, -707.1f, 0.1f);
    opt_branch(3, 4, x, y, ang, rad, dx, dy);  // back along the last leg
    EXPECT_FLOAT_EQ(dx, -2000.0f);
    EXPECT_FLOAT_EQ(dy, 0.0f);
    opt_branch(4, 4, x, y, ang, rad, dx, dy);  // beyond the finish
    EXPECT_EQ(dx, 0.0f);
    EXPECT_EQ(dy, 0.0f);
    opt_branch(0, 4, x, y, ang, rad, dx, dy);  // the takeoff
    EXPECT_EQ(dx, 0.0f);
    ang[2] = 90;
    dx = 1.0f;
    opt_branch(2, 4, x, y, ang, rad, dx, dy);  // not a cylinder
    EXPECT_EQ(dx, 0.0f);
    EXPECT_EQ(dy, 0.0f);
    ang[2] = 360;
    x[3] = 0.0f;  // the finish on the turnpoint: u is zero, the direction is -v/|v|
    opt_branch(2, 4, x, y, ang, rad, dx, dy);
    EXPECT_FLOAT_EQ(dx, 0.0f);
    EXPECT_FLOAT_EQ(dy, -1000.0f);
    y[1] = y[2] = y[3] = 0.0f;  // every point on one spot: no direction
    opt_branch(2, 4, x, y, ang, rad, dx, dy);
    EXPECT_EQ(dx, 0.0f);
    EXPECT_EQ(dy, 0.0f);
}

TEST(TaskGeometry, FarPositionsDoNotOverflow) {
    const float far = 3.0e38f;
    EXPECT_FALSE(in_sta_fin(far, far, 0.0f, -far, -far, 0.0f, 0.0f, 1000, 360, 0.0f, 100.0f));
    const Task task({{-far, 0.0f}, {far, 0.0f}, {-far, far}, {far, -far}});
    EXPECT_FALSE(task.in(2, far, far));
    std::vector<int> ang{360, 360, 360, 360};
    std::vector<int> rad{500, 500, 500, 500};
    float dx = 0.0f;
    float dy = 0.0f;
    opt_branch(2, 4, task.x, task.y, ang, rad, dx, dy);
    EXPECT_LE(std::hypot(dx, dy), 500.5f);
}
