#include "taskfiles/task_zones.h"

#include "reader_fixture.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

namespace {

using TaskZones = tarvex_test::ReaderTest;

void zone(int n, int type, int angle) {
    rd_fpl_1.tpsec[static_cast<std::size_t>(n)] = type;
    rd_fpl_1.tpang[static_cast<std::size_t>(n)] = angle;
}

// A window centred at `centre` m, `height` m high.
void window(int n, float centre, float height) {
    zone(n, kWindowSectorType, kQuadrantAngle);
    rd_fpl_1.tpalt[static_cast<std::size_t>(n)] = centre;
    rd_fpl_1.tphei[static_cast<std::size_t>(n)] = height;
}

TEST_F(TaskZones, KindsFromTheSectorTypeAndTheAngle) {
    zone(1, kWindowSectorType, kCylinderAngle);
    EXPECT_EQ(zone_kind(1), ZoneKind::window);  // a window whatever its angle
    zone(1, kClassicSectorType, kCylinderAngle);
    EXPECT_EQ(zone_kind(1), ZoneKind::cylinder);
    zone(1, kClassicSectorType, kLineAngle);
    EXPECT_EQ(zone_kind(1), ZoneKind::line);
    zone(1, kClassicSectorType, kQuadrantAngle);
    EXPECT_EQ(zone_kind(1), ZoneKind::sector);
    zone(1, kClassicSectorType, 45);
    EXPECT_EQ(zone_kind(1), ZoneKind::sector);
    // A sector type Condor does not write is a classic zone.
    zone(1, 2, kLineAngle);
    EXPECT_EQ(zone_kind(1), ZoneKind::line);
    // The start values are windows; an index outside the tables is none.
    EXPECT_EQ(zone_kind(30), ZoneKind::window);
    EXPECT_EQ(zone_kind(-1), ZoneKind::sector);
    EXPECT_EQ(zone_kind(kTurnpointSlots), ZoneKind::sector);
}

TEST_F(TaskZones, StartAndFinishAltitudes) {
    window(1, 1500.0f, 1000.0f);
    EXPECT_EQ(window_bottom(1), 1000.0);
    EXPECT_EQ(window_top(1), 2000.0);
    EXPECT_EQ(start_maximum_altitude(), 2000.0);
    zone(1, kClassicSectorType, kLineAngle);
    EXPECT_EQ(start_maximum_altitude(), 1000.0);  // a classic zone's maximum is tphei

    window(3, 1000.0f, 3000.0f);
    rd_fpl_4.finishminalt = 300.0f;
    EXPECT_EQ(finish_minimum_altitude(3), -500.0);  // a window's bottom, the plan's minimum aside
    zone(3, kClassicSectorType, kCylinderAngle);
    rd_fpl_1.tpwid[3] = 0.0f;
    EXPECT_EQ(finish_minimum_altitude(3), 300.0);  // no minimum of its own: the plan's
    rd_fpl_1.tpwid[3] = 0.009f;
    EXPECT_EQ(finish_minimum_altitude(3), 300.0);
    rd_fpl_1.tpwid[3] = 250.0f;
    EXPECT_EQ(finish_minimum_altitude(3), 250.0);
    rd_fpl_4.finishminalt = 0.0f;
    rd_fpl_1.tpwid[3] = 0.0f;
    EXPECT_EQ(finish_minimum_altitude(3), 0.0);

    EXPECT_EQ(finish_minimum_altitude(kTurnpointSlots), 0.0);
    EXPECT_EQ(window_top(-1), 0.0);
}

TEST_F(TaskZones, RadialsWithinOneTurn) {
    // Angles already within 0..360 stay as they are, 360 included.
    EXPECT_EQ(normalised_whole_angle(0.0), 0);
    EXPECT_EQ(normalised_whole_angle(360.0), 360);
    EXPECT_EQ(normalised_whole_angle(359.9), 359);
    EXPECT_EQ(normalised_whole_angle(2668.0), 148);
    EXPECT_EQ(normalised_whole_angle(-100.0), 260);
    EXPECT_EQ(normalised_whole_angle(-720.0), 0);
    EXPECT_EQ(normalised_whole_angle(1.0e12), 280);  // far beyond int, no overflow
    EXPECT_EQ(normalised_angle(-22.5f), 337.5f);
    EXPECT_EQ(normalised_angle(720.0f), 360.0f);

    // A window facing 2578 degrees (45 radians read as degrees).
    window(2, 1000.0f, 500.0f);
    rd_fpl_1.tpazi[2] = 2578.0f;
    EXPECT_EQ(window_radials(2).start, 148.0f);
    EXPECT_EQ(window_radials(2).end, 328.0f);
    EXPECT_EQ(window_radials(kTurnpointSlots).start, 0.0f);

    // Sectors of any opening stay within one turn.
    rd_fpl_0.nb_wp = 4;
    rd_fpl_1.tpx = {};
    rd_fpl_1.tpy = {};
    rd_fpl_1.tpy[2] = 10000.0f;
    rd_fpl_1.tpx[3] = -10000.0f;
    rd_fpl_1.tpy[3] = 10000.0f;
    for (const int angle : {45, 90, 270, 1000, -1000}) {
        zone(2, kClassicSectorType, angle);
        const ZoneRadials r = sector_radials(2);
        EXPECT_TRUE(r.start >= 0.0f && r.start <= 360.0f) << angle << " " << r.start;
        EXPECT_TRUE(r.end >= 0.0f && r.end <= 360.0f) << angle << " " << r.end;
    }
}

}  // namespace
