#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"
#include "airspace/module_tables.h"
#include "foundation/airspace_names.h"
#include "foundation/reach_settings.h"
#include "terrain/airspace_proximity.h"
#include "terrain/glide_line.h"
#include "terrain/reach_records.h"
#include "terrain_fixture.h"
#include "zone_model.h"

namespace terrain_test {
namespace {

constexpr int kClassD = 3;

// Zones of the in-memory model given in the grid frame, over flat ground at
// 500 m (300 x 300 cells), every class selected.
class AirspaceProximity : public TerrainTest, protected ZoneModel {
protected:
    AirspaceProximity() {
        reset_airspace_mod();
        reset_as_nam();
        set_grid(300, 300, [](int, int) { return 500.0f; });
        as0001.qseltyp.fill(true);
        loca00.fcalc_inv = 0.03125f;
    }
    ~AirspaceProximity() override {
        reset_airspace_mod();
        reset_as_nam();
    }

    // The reach window lo .. hi along x and y.
    static void set_reach_window(float lo, float hi) {
        rch001.xrch_min = lo;
        rch001.xrch_max = hi;
        rch001.yrch_min = lo;
        rch001.yrch_max = hi;
    }
    // The short list of every zone: a reach window over the whole grid.
    static void list_all() {
        set_reach_window(0.0f, 27000.0f);
        nav_airspace(13500.0f, 13500.0f, 100000.0f);
    }
    static bool wn(float x, float y, float z) {
        int k_typ = 0;
        return check_as_wn(x, y, z, false, false, k_typ);
    }
    static bool gr(float x, float y, float z) {
        int k_typ = 0;
        return check_as_gr(x, y, z, false, false, k_typ, 1);
    }

};

TEST_F(AirspaceProximity, PointTestsByBoxAltitudeAndRing) {
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 1000.0f, 2000.0f);
    // 300 m above the ground to 3000 m: over 500 m of ground the floor is 800 m.
    add_zone(kClassD, square(10000.0f, 3000.0f, 2000.0f), -300.0f, 3000.0f);
    build();
    int k_typ = 0;
    EXPECT_FALSE(check_as_wn(4000.0f, 4000.0f, 1500.0f, false, false, k_typ));
    EXPECT_EQ(k_typ, 0);
    EXPECT_TRUE(check_as_wn(4000.0f, 4000.0f, 2500.0f, false, false, k_typ));
    EXPECT_EQ(k_typ, kNoZoneFound);
    EXPECT_TRUE(wn(4000.0f, 4000.0f, 900.0f));
    EXPECT_TRUE(wn(2900.0f, 4000.0f, 1500.0f));
    EXPECT_TRUE(wn(11000.0f, 4000.0f, 700.0f));
    EXPECT_FALSE(check_as_wn(11000.0f, 4000.0f, 900.0f, true, false, k_typ));
    // Off the terrain grid nothing is examined.
    EXPECT_TRUE(wn(-100.0f, 4000.0f, 1500.0f));
    // Classes not selected and zones not active are ignored.
    as0001.qseltyp[kClassD] = false;
    EXPECT_TRUE(wn(4000.0f, 4000.0f, 1500.0f));
    as0001.qseltyp[kClassD] = true;
    airspace_mod.as_act[0] = false;
    EXPECT_TRUE(wn(4000.0f, 4000.0f, 1500.0f));
}

TEST_F(AirspaceProximity, DerogationAndCountsOfZones) {
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 0.0f, 2000.0f);
    add_zone(kClassG, square(3500.0f, 3500.0f, 1000.0f), 0.0f, 2000.0f);
    add_zone(kClassD, square(5000.0f, 3000.0f, 3000.0f), 0.0f, 2000.0f);
    add_zone(kClassD, square(5500.0f, 3000.0f, 3000.0f), 0.0f, 2000.0f);
    build();
    int k_typ = 0;
    // In a G zone inside a D zone: no infringement, unless the fast mode
    // (used only far from derogation zones) stops at the D zone.
    EXPECT_TRUE(check_as_wn(4000.0f, 4000.0f, 1500.0f, false, false, k_typ));
    EXPECT_FALSE(check_as_wn(4000.0f, 4000.0f, 1500.0f, true, false, k_typ));
    EXPECT_FALSE(check_as_wn(5200.0f, 4000.0f, 1500.0f, false, false, k_typ));
    EXPECT_EQ(k_typ, -2);
    EXPECT_FALSE(check_as_wn(5700.0f, 4000.0f, 1500.0f, false, false, k_typ));
    EXPECT_EQ(k_typ, -3);
    list_all();
    EXPECT_EQ(rch003.as_nb_shortlist, 4);
    EXPECT_TRUE(check_as_gr(4000.0f, 4000.0f, 1500.0f, false, false, k_typ, 1));
    EXPECT_FALSE(check_as_gr(4000.0f, 4000.0f, 1500.0f, true, false, k_typ, 1));
    // A zone the glider is in is left to the proximity test.
    airspace_mod.as_in[2] = true;
    airspace_mod.as_in[3] = true;
    EXPECT_FALSE(gr(5700.0f, 4000.0f, 1500.0f));
    airspace_mod.as_in[0] = true;
    EXPECT_TRUE(gr(5700.0f, 4000.0f, 1500.0f));
    rch003.as_nb_shortlist = 0;
    EXPECT_TRUE(gr(5200.0f, 4000.0f, 1500.0f));
}

TEST_F(AirspaceProximity, RasterTestAgreesWithTheWindingNumber) {
    // A diamond and a concave hook, rastered in 30 m cells.
    add_zone(kClassD, {{8000.0f, 2000.0f}, {11000.0f, 5000.0f}, {8000.0f, 8000.0f}, {5000.0f, 5000.0f}}, 0.0f,
             5000.0f);
    const std::vector<PlanePoint> hook = {{14000.0f, 2000.0f}, {20000.0f, 2000.0f}, {20000.0f, 9000.0f},
                                          {14000.0f, 9000.0f}, {14000.0f, 7000.0f}, {18000.0f, 6100.0f},
                                          {18000.0f, 4400.0f}, {14000.0f, 4000.0f}};
    add_zone(kClassD, hook, 0.0f, 5000.0f);
    build();
    list_all();
    // Points spread over both zones, and points packed round every ring
    // vertex, where two edges cross a cell.
    std::vector<PlanePoint> points;
    for (int k = 0; k < 20000; ++k) {
        points.push_back({4500.0f + noise_height(k, 1, 11, 16000), 1500.0f + noise_height(k, 2, 11, 8000)});
    }
    for (const PlanePoint& v : pp_) {
        for (int a = -30; a <= 30; ++a) {
            for (int b = -30; b <= 30; ++b) {
                points.push_back({v.x + 1.7f * static_cast<float>(a), v.y + 1.7f * static_cast<float>(b)});
            }
        }
    }
    int inside = 0;
    for (const PlanePoint& p : points) {
        const bool outside = wn(p.x, p.y, 1000.0f);
        inside += outside ? 0 : 1;
        ASSERT_EQ(gr(p.x, p.y, 1000.0f), outside) << p.x << " " << p.y;
    }
    EXPECT_GT(inside, 8000);
}

// Seeded zones a cell of the raster cannot see by its corners: polygons with
// spikes and notches 1 to 25 m wide, slivers and combs of thin teeth, at
// random angles, in the grid over x, y 1 .. 26 km.
class ThinZones {
public:
    explicit ThinZones(unsigned seed) : rng_(seed) {}

    std::vector<PlanePoint> next() {
        switch (pick(0, 2)) {
            case 0: return spiky();
            case 1: return sliver();
            default: return comb();
        }
    }

private:
    float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng_); }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // A star round (cx, cy) whose edges carry spikes outwards and notches
    // inwards, each 1 to 25 m wide at its base.
    std::vector<PlanePoint> spiky() {
        const float cx = uniform(6000.0f, 20000.0f);
        const float cy = uniform(6000.0f, 20000.0f);
        const int corners = pick(5, 12);
        const float turn = uniform(0.0f, 6.2831853f);
        std::vector<PlanePoint> ring;
        for (int k = 0; k < corners; ++k) {
            const float a = turn + 6.2831853f * static_cast<float>(k) / static_cast<float>(corners);
            const float r = uniform(1500.0f, 4000.0f);
            ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
            const float a2 = a + 3.14159265f / static_cast<float>(corners);
            const float r2 = uniform(1500.0f, 4000.0f);
            const float width = uniform(1.0f, 25.0f);
            const float reach = pick(0, 1) == 0 ? uniform(300.0f, 1500.0f) : -uniform(300.0f, 1400.0f);
            // The spike's (or notch's) base across the radius, its tip along it.
            const float ux = std::cos(a2);
            const float uy = std::sin(a2);
            ring.push_back({cx + r2 * ux + 0.5f * width * uy, cy + r2 * uy - 0.5f * width * ux});
            ring.push_back({cx + (r2 + reach) * ux, cy + (r2 + reach) * uy});
            ring.push_back({cx + r2 * ux - 0.5f * width * uy, cy + r2 * uy + 0.5f * width * ux});
        }
        return ring;
    }

    // A strip 1 to 20 m wide and 2 to 9 km long.
    std::vector<PlanePoint> sliver() {
        const float cx = uniform(6000.0f, 20000.0f);
        const float cy = uniform(6000.0f, 20000.0f);
        const float a = uniform(0.0f, 3.14159265f);
        const float half = 0.5f * uniform(2000.0f, 9000.0f);
        const float w = 0.5f * uniform(1.0f, 20.0f);
        const float ux = std::cos(a);
        const float uy = std::sin(a);
        return {{cx - half * ux + w * uy, cy - half * uy - w * ux},
                {cx + half * ux + w * uy, cy + half * uy - w * ux},
                {cx + half * ux - w * uy, cy + half * uy + w * ux},
                {cx - half * ux - w * uy, cy - half * uy + w * ux}};
    }

    // A back 200 m deep with teeth 2 to 15 m wide and 1 to 2 km long.
    std::vector<PlanePoint> comb() {
        const float x0 = uniform(4000.0f, 12000.0f);
        const float y0 = uniform(4000.0f, 12000.0f);
        const int teeth = pick(4, 12);
        std::vector<PlanePoint> ring = {{x0, y0}};
        float x = x0;
        for (int k = 0; k < teeth; ++k) {
            const float gap = uniform(10.0f, 60.0f);
            const float width = uniform(2.0f, 15.0f);
            const float length = uniform(1000.0f, 2000.0f);
            ring.push_back({x + gap, y0});
            ring.push_back({x + gap, y0 - length});
            ring.push_back({x + gap + width, y0 - length});
            ring.push_back({x + gap + width, y0});
            x += gap + width;
        }
        ring.push_back({x + 30.0f, y0});
        ring.push_back({x + 30.0f, y0 + 200.0f});
        ring.push_back({x0, y0 + 200.0f});
        return ring;
    }

    std::mt19937 rng_;
};

TEST_F(AirspaceProximity, RasterTestAgreesWithTheWindingNumberOnThinAndSpikyZones) {
    // Twelve zones a scene, in cells of 30 m, then in cells enlarged by a
    // small memory budget; points drawn in the cells along each ring and
    // across each box, at an altitude inside the thin zones only.
    for (const int megabytes : {kDefaultRasterMegabytes, 1}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            reset_airspace_mod();
            reset_as_nam();
            zon_.clear();
            pp_.clear();
            limits_.clear();
            ThinZones zones(seed);
            for (int n = 0; n < 12; ++n) {
                add_zone(kClassD, zones.next(), 0.0f, 5000.0f);
            }
            // High above them, a zone over the whole scene that takes most
            // of the budget's cells.
            add_zone(kClassD, square(500.0f, 500.0f, 26000.0f), 8000.0f, 9000.0f);
            as0003.as_maxmeg = megabytes;
            build();
            list_all();
            ASSERT_EQ(rch003.as_nb_shortlist, 13);
            if (megabytes == 1) {
                ASSERT_GT(as0001.as_lim[12][kLimDx], 50.0f);  // 30 m at the default budget
            }
            std::mt19937 rng(seed);
            std::uniform_real_distribution<float> unit(0.0f, 1.0f);
            int inside = 0;
            int checked = 0;
            for (std::size_t z = 0; z < 12; ++z) {
                const AirspaceLimits& lim = as0001.as_lim[z];
                std::vector<PlanePoint> points;
                for (int k = 0; k < 3000; ++k) {
                    points.push_back({lim[kLimXmin] + unit(rng) * (lim[kLimXmax] - lim[kLimXmin]),
                                      lim[kLimYmin] + unit(rng) * (lim[kLimYmax] - lim[kLimYmin])});
                }
                // Within 60 m of a random place on each edge.
                for (int p = zon_[z].first; p < zon_[z].last; ++p) {
                    const PlanePoint a = pp_[static_cast<std::size_t>(p)];
                    const PlanePoint b = pp_[static_cast<std::size_t>(p) + 1];
                    for (int k = 0; k < 40; ++k) {
                        const float t = unit(rng);
                        points.push_back({a.x + t * (b.x - a.x) + 120.0f * (unit(rng) - 0.5f),
                                          a.y + t * (b.y - a.y) + 120.0f * (unit(rng) - 0.5f)});
                    }
                }
                for (const PlanePoint& q : points) {
                    const bool outside = wn(q.x, q.y, 1000.0f);
                    inside += outside ? 0 : 1;
                    ++checked;
                    ASSERT_EQ(gr(q.x, q.y, 1000.0f), outside)
                        << "seed " << seed << " budget " << megabytes << " zone " << z << " at " << q.x << " "
                        << q.y;
                }
            }
            EXPECT_GT(inside, checked / 10);
        }
    }
}

TEST_F(AirspaceProximity, ShortListOfAReachComputation) {
    // A zone round the whole window, one in reach, one too high to reach
    // above its floor, one whose floor lies above the glider.
    add_zone(kClassD, square(1000.0f, 1000.0f, 20000.0f), 0.0f, 3000.0f);
    add_zone(kClassD, square(6000.0f, 6000.0f, 1000.0f), 1000.0f, 3000.0f);
    add_zone(kClassD, square(9000.0f, 9000.0f, 1000.0f), 1480.0f, 3000.0f);
    add_zone(kClassD, square(6000.0f, 9000.0f, 1000.0f), 1600.0f, 3000.0f);
    build();
    set_reach_window(4000.0f, 11000.0f);
    // From (5000, 5000) at 1500 m: the nearest corner of zone 2 lies 5657 m
    // away, 176.8 m of height lost: arrival below its floor.
    nav_airspace(5000.0f, 5000.0f, 1500.0f);
    ASSERT_EQ(rch003.as_nb_shortlist, 2);
    EXPECT_EQ(rch003.as_shortlist[1], 0);
    EXPECT_EQ(rch003.as_shortlist[2], 1);
}

TEST_F(AirspaceProximity, ShortListTakesBandsTheZoneOverTheGliderAndEveryZone) {
    // A band crossing the reach window west to east, none of its corners in
    // it nor any of its corners in the band's box; a band beside the window;
    // a zone over the glider whose only corner in the window lies 7.8 km
    // off, reached 244 m lower, below its floor.
    add_zone(kClassD, {{1000.0f, 7000.0f}, {20000.0f, 7000.0f}, {20000.0f, 7200.0f}, {1000.0f, 7200.0f}}, 0.0f,
             3000.0f);
    add_zone(kClassD, {{1000.0f, 12000.0f}, {20000.0f, 12000.0f}, {20000.0f, 12200.0f}, {1000.0f, 12200.0f}}, 0.0f,
             3000.0f);
    add_zone(kClassD, {{2000.0f, 2000.0f}, {10500.0f, 2000.0f}, {10500.0f, 10500.0f}, {2000.0f, 10500.0f}},
             1300.0f, 3000.0f);
    build();
    set_reach_window(4000.0f, 11000.0f);
    nav_airspace(5000.0f, 5000.0f, 1500.0f);
    ASSERT_EQ(rch003.as_nb_shortlist, 2);
    EXPECT_EQ(rch003.as_shortlist[1], 0);
    EXPECT_EQ(rch003.as_shortlist[2], 2);
    // The glides of the reach test are stopped by both.
    int k_typ = 0;
    EXPECT_FALSE(check_as_gr(8000.0f, 7100.0f, 1000.0f, false, false, k_typ, 1));
    EXPECT_FALSE(check_as_gr(5100.0f, 5000.0f, 1490.0f, false, false, k_typ, 1));

    // More zones than the 2,000 a fixed list held: every one is listed.
    zon_.clear();
    pp_.clear();
    limits_.clear();
    for (int n = 0; n < 2500; ++n) {
        const float x = 4100.0f + static_cast<float>(n % 50) * 100.0f;
        const float y = 4100.0f + static_cast<float>(n / 50) * 100.0f;
        add_zone(kClassD, square(x, y, 50.0f), 0.0f, 3000.0f);
    }
    build();
    nav_airspace(5000.0f, 5000.0f, 100000.0f);
    ASSERT_EQ(rch003.as_nb_shortlist, 2500);
    EXPECT_EQ(rch003.as_shortlist[2500], 2499);
    EXPECT_FALSE(check_as_gr(4100.0f + 49 * 100.0f + 25.0f, 4100.0f + 49 * 100.0f + 25.0f, 1000.0f, false, false,
                             k_typ, 1));
}

TEST_F(AirspaceProximity, InNearAndApproaching) {
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 1000.0f, 2000.0f);
    add_zone(kClassG, square(3000.0f, 3000.0f, 500.0f), 0.0f, 2000.0f);
    build();
    as0002.as_ver_near = 100.0f;
    as0002.as_hor_near = 300.0f;
    as0002.as_near_fact = 2.0f;
    float hdist = -1.0f;
    float vdist = -1.0f;
    EXPECT_EQ(near_as(4500.0f, 4500.0f, 1500.0f, hdist, vdist), 1);
    EXPECT_TRUE(airspace_mod.as_in[0]);
    EXPECT_FALSE(airspace_mod.as_near[0]);
    EXPECT_EQ(hdist, 0.0f);
    EXPECT_EQ(vdist, 0.0f);
    // Where the G zone lies over it, the D zone is only near.
    EXPECT_EQ(near_as(3200.0f, 3200.0f, 1500.0f, hdist, vdist), 1);
    EXPECT_FALSE(airspace_mod.as_in[0]);
    EXPECT_TRUE(airspace_mod.as_near[0]);
    // 50 m below the floor: near, 50 m to go.
    EXPECT_EQ(near_as(4500.0f, 4500.0f, 950.0f, hdist, vdist), 1);
    EXPECT_TRUE(airspace_mod.as_near[0]);
    EXPECT_EQ(vdist, 50.0f);
    // 150 m below: approaching only.
    EXPECT_EQ(near_as(4500.0f, 4500.0f, 850.0f, hdist, vdist), 0);
    EXPECT_FALSE(airspace_mod.as_near[0]);
    EXPECT_EQ(vdist, 150.0f);
    // 200 m beside it at a height inside its band: near.
    EXPECT_EQ(near_as(6200.0f, 4500.0f, 1500.0f, hdist, vdist), 1);
    EXPECT_TRUE(airspace_mod.as_near[0]);
    EXPECT_NEAR(hdist, 200.0f, 1e-3f);
    // 500 m beside it: not near.
    EXPECT_EQ(near_as(6500.0f, 4500.0f, 1500.0f, hdist, vdist), 0);
    EXPECT_NEAR(hdist, 500.0f, 1e-3f);
    // Beyond the widened box nothing is measured; off the grid nothing at all.
    EXPECT_EQ(near_as(10000.0f, 4500.0f, 1500.0f, hdist, vdist), 0);
    EXPECT_EQ(hdist, 100000.0f);
    EXPECT_EQ(vdist, 10000.0f);
    EXPECT_EQ(near_as(-10.0f, 4500.0f, 1500.0f, hdist, vdist), 0);
}

TEST_F(AirspaceProximity, VerticalLimitsOverAPoint) {
    std::array<float, 5> zlim{};
    const auto limits = [&zlim] { return std::array<float, 4>{zlim[1], zlim[2], zlim[3], zlim[4]}; };
    using L = std::array<float, 4>;
    const float none = kNoAirspaceLimit;
    // No zone: nothing over the point, nor off the grid.
    build();
    as_v_lim(4000.0f, 4000.0f, zlim);
    EXPECT_EQ(limits(), (L{none, none, none, none}));

    // Given highest first: the lower block is the one below. A zone
    // overlapping a block widens it; 300 m above the ground is 800 m here.
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 3000.0f, 4000.0f);
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), -300.0f, 1500.0f);
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 1200.0f, 2000.0f);
    build();
    as_v_lim(4000.0f, 4000.0f, zlim);
    EXPECT_EQ(limits(), (L{800.0f, 2000.0f, 3000.0f, 4000.0f}));
    as_v_lim(7000.0f, 4000.0f, zlim);
    EXPECT_EQ(limits(), (L{none, none, none, none}));
    as_v_lim(-7000.0f, 4000.0f, zlim);
    EXPECT_EQ(limits(), (L{none, none, none, none}));

    // A zone joining the two blocks merges them.
    add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 1900.0f, 3100.0f);
    build();
    as_v_lim(4000.0f, 4000.0f, zlim);
    EXPECT_EQ(limits(), (L{800.0f, 4000.0f, none, none}));
}

TEST_F(AirspaceProximity, DerogationBandsCutTheLowerBlock) {
    std::array<float, 5> zlim{};
    using L = std::array<float, 4>;
    const float drop = kDroppedLimit;
    const auto over = [&](float d1, float d2) {
        zon_.clear();
        pp_.clear();
        limits_.clear();
        reset_as_nam();
        add_zone(kClassD, square(3000.0f, 3000.0f, 3000.0f), 1000.0f, 3000.0f);
        add_zone(kClassG, square(3000.0f, 3000.0f, 3000.0f), d1, d2);
        build();
        as_v_lim(4000.0f, 4000.0f, zlim);
        return L{zlim[1], zlim[2], zlim[3], zlim[4]};
    };
    EXPECT_EQ(over(1500.0f, 2000.0f), (L{1000.0f, 1500.0f, 2000.0f, 3000.0f}));
    EXPECT_EQ(over(2500.0f, 3500.0f), (L{1000.0f, 2500.0f, drop, drop}));
    EXPECT_EQ(over(500.0f, 1500.0f), (L{1500.0f, 3000.0f, drop, drop}));
    EXPECT_EQ(over(3000.0f, 3500.0f), (L{1000.0f, 3000.0f, drop, drop}));
    EXPECT_EQ(over(500.0f, 3500.0f), (L{drop, drop, drop, drop}));
}

TEST_F(AirspaceProximity, SegmentsThatMayCrossAZone) {
    add_zone(kClassD, square(3000.0f, 3000.0f, 2000.0f), 1000.0f, 2000.0f);
    add_zone(kClassD, square(9000.0f, 3000.0f, 2000.0f), 1000.0f, 2000.0f);
    build();
    // The line y = 4000: through both bounding circles.
    EXPECT_TRUE(posscrossas(0.0f, 4000.0f, 1500.0f, 12000.0f, 4000.0f, 1500.0f, 0.0f, 1.0f, -4000.0f, 3));
    EXPECT_TRUE(airspace_mod.as_possible[3][0]);
    EXPECT_TRUE(airspace_mod.as_possible[3][1]);
    // Wholly below the floors, or above the ceilings.
    EXPECT_FALSE(posscrossas(0.0f, 4000.0f, 900.0f, 12000.0f, 4000.0f, 800.0f, 0.0f, 1.0f, -4000.0f, 3));
    EXPECT_FALSE(airspace_mod.as_possible[3][0]);
    EXPECT_FALSE(posscrossas(0.0f, 4000.0f, 2100.0f, 12000.0f, 4000.0f, 2500.0f, 0.0f, 1.0f, -4000.0f, 3));
    // x = 7000 passes between the circles (half diagonals 1414 m).
    EXPECT_FALSE(posscrossas(7000.0f, 0.0f, 1500.0f, 7000.0f, 9000.0f, 1500.0f, 1.0f, 0.0f, -7000.0f, 3));
    EXPECT_TRUE(posscrossas(5300.0f, 0.0f, 1500.0f, 5300.0f, 9000.0f, 1500.0f, 1.0f, 0.0f, -5300.0f, 3));
    EXPECT_TRUE(airspace_mod.as_possible[3][0]);
    EXPECT_FALSE(airspace_mod.as_possible[3][1]);
    // A slot the table does not hold is not recorded.
    EXPECT_TRUE(posscrossas(5300.0f, 0.0f, 1500.0f, 5300.0f, 9000.0f, 1500.0f, 1.0f, 0.0f, -5300.0f, 40));
}

TEST_F(AirspaceProximity, GlideLinesCheckTheAirspaceWhenAsked) {
    add_zone(kClassD, square(9000.0f, 3000.0f, 2000.0f), 1000.0f, 2000.0f);
    build();
    loca00.sfty_g = 50.0f;
    loca00.sfty_h = 50.0f;
    float zg = 0.0f;
    float dhg = 0.0f;
    const auto glide = [&](float z) {
        float x = 3000.0f;
        float y = 4000.0f;
        return ligne_droite(true, true, x, y, z, 15000.0f, 4000.0f, altitude.zp, zg, dhg);
    };
    EXPECT_TRUE(glide(1500.0f));
    as0003.qcheckas_trj = true;
    EXPECT_FALSE(glide(1500.0f));
    float x = 3000.0f;
    float y = 4000.0f;
    float z = 1500.0f;
    EXPECT_FALSE(ligne_droite(true, true, x, y, z, 15000.0f, 4000.0f, altitude.zp, zg, dhg));
    EXPECT_GE(x, 9000.0f);
    EXPECT_LT(x, 9000.0f + 540.0f);
    // Above the ceiling all the way: clear.
    EXPECT_TRUE(glide(2500.0f));
}

}  // namespace
}  // namespace terrain_test
