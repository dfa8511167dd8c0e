// The whole chain of a reachability computation on a landscape: the terrain
// file read, the map-overlap check over a track, the window of its heights,
// the airspace loaded for the terrain code, and the reach driver with its
// passes, against an airway that crosses the whole window like a band.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "airspace/airspace_mod.h"
#include "airspace/airspace_records.h"
#include "airspace/map_overlap.h"
#include "foundation/local_frame.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "reach_fixture.h"
#include "support/terrain_bytes.h"
#include "terrain/airspace_proximity.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_records.h"
#include "terrain/trn_heights.h"

namespace terrain_test {
namespace {

constexpr int kCells = 512;  // the landscape, 46 km a side
constexpr int kReachCells = 201;
// The airway: 2 km wide from y = 23 km, its ends 80 km beyond the frame's
// east and west edges.
constexpr float kAirwaySouth = 23000.0f;
constexpr float kAirwayNorth = 25000.0f;

// Rolling ground of 150 to 710 m, rising to the east, as Condor stores it:
// the file's columns from the east, grid column i from the west.
std::uint16_t ground(int column_from_east, int row) {
    const double i = kCells - column_from_east;
    const double h = 300.0 + 150.0 * std::sin(i * 0.05) * std::sin(row * 0.04) + 0.5 * i;
    return static_cast<std::uint16_t>(h);
}

class ReachChain : public ReachTest {
protected:
    ReachChain() {
        tarvex_test::TrnHeader header;
        header.columns = kCells;
        header.rows = kCells;
        std::string bytes = tarvex_test::trn_bytes(header);
        for (int c = 0; c < kCells; ++c) {
            for (int r = 0; r < kCells; ++r) {
                const std::uint16_t h = ground(c, r);
                bytes += static_cast<char>(h & 0xFF);
                bytes += static_cast<char>(h >> 8);
            }
        }
        dir_.write("land.trn", bytes);
        float width = 0.0f;
        float height = 0.0f;
        EXPECT_EQ(utm_init("land.trn", width, height), 1);
        int status = -1;
        read_trn_heights("land.trn", status);
        EXPECT_EQ(status, 0);

        const float west = -80000.0f;
        const float east = trn001.x_scn_mx + 80000.0f;
        dir_.write("land.air", "AC C\nAN AIRWAY\nAL GND\nAH FL100\n" + openair_dp(west, kAirwaySouth) +
                                   openair_dp(east, kAirwaySouth) + openair_dp(east, kAirwayNorth) +
                                   openair_dp(west, kAirwayNorth));
        as000c.aspfile = "land.air";
        as0001.qseltyp.fill(true);
        // The glider passes (23, 14) and (23, 20) km with 300 m to glide
        // at a ratio of 35: the reach extents 12.5 .. 33.5 by 3.5 .. 30.5 km.
        loca00.fcalc = kGlideRatio;
        loca00.vfmax = 1.0e6f;
        pelloran_mod.ppsec = {TrackPoint{}, TrackPoint{0.0f, 23000.0f, 14000.0f, 300.0f},
                              TrackPoint{120.0f, 23000.0f, 20000.0f, 300.0f}};
        loca02.ntot = 2;
        pelrn00.min_gri = 1;
        pelrn00.max_gri = 2;
        pelrn00.qrefgri = true;
    }

    // The reach from the track's last point at 1800 m; false when a step
    // of the chain fails.
    bool reach(bool check_airspace) {
        as0003.qcheckas_trj = check_airspace;
        pelrn00.qnav = true;
        int nex = 0;
        int ngri = 0;
        float xdcnt = 0.0f;
        float ydcnt = 0.0f;
        return get_reach_p_nav(kReachCells, kReachCells, ppp_, state_, nex, ngri, 23000.0f, 20000.0f, 1800.0f, 120.0f,
                               0, xdcnt, ydcnt);
    }

    // Reached cells south of the airway, and north of its south edge.
    struct Count {
        int south = 0;
        int north = 0;
    };
    Count reached() const {
        Count count;
        for (int ii = 1; ii <= kReachCells; ++ii) {
            for (int jj = 1; jj <= kReachCells; ++jj) {
                if (state_(ii, jj) >= kReachStraight) {
                    (ppp_(ii, jj).y < kAirwaySouth ? count.south : count.north) += 1;
                }
            }
        }
        return count;
    }
};

TEST_F(ReachChain, TheReachStopsAtAnAirwayCrossingTheWholeWindow) {
    ASSERT_EQ(map_overlap(), 1);
    EXPECT_EQ(trn001.ni_00 % 64, 0);
    EXPECT_EQ(trn001.nj_00 % 64, 0);
    int status = -1;
    window_trn_heights(status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(altitude.zp.ni(), trn001.ni_00);

    // The airway's points all lie 80 km beyond the frame, its box crosses
    // the window: the load keeps it, cut to the window.
    std::vector<AirspaceZone> zon(10);
    std::vector<PlanePoint> pp(100);
    int nbzon = 0;
    AirspacePens sp{};
    AirspaceBrushes sb{};
    ASSERT_EQ(read_airspace_grid(1, sp, sb, nbzon, zon, pp, 10, 100), 1);
    ASSERT_EQ(as0001.nb_zon, 1);

    ASSERT_TRUE(reach(true));
    // The short list holds the airway, none of whose corners lies in the
    // reach window, nor any of the window's in its box.
    ASSERT_EQ(rch003.as_nb_shortlist, 1);
    EXPECT_LT(as0001.as_lim[0][kLimXmin], rch001.xrch_min);
    EXPECT_GT(as0001.as_lim[0][kLimXmax], rch001.xrch_max);
    EXPECT_LT(rch001.yrch_min, kAirwaySouth);
    EXPECT_GT(rch001.yrch_max, kAirwayNorth);
    const Count with_airway = reached();
    EXPECT_GT(with_airway.south, 10000);
    EXPECT_EQ(with_airway.north, 0);

    // Without the airspace test the same glides cross it.
    ASSERT_TRUE(reach(false));
    const Count without = reached();
    EXPECT_GT(without.north, 5000);
    EXPECT_GE(without.south, with_airway.south);
}

}  // namespace
}  // namespace terrain_test
