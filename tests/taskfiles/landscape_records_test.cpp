#include "taskfiles/landscape_records.h"

#include "foundation/waypoint_lookup.h"

#include <gtest/gtest.h>

TEST(LandscapeRecords, ListsGoStraightToTheNameLookups) {
    reset_landscape_records();
    tarveap3.apt_nam.set(1, "Alpha");
    tarveap2.apt_lat[1] = 45.5f;
    tarveap2.apt_lon[1] = 6.25f;
    tarveap2.apt_elev[1] = 300;
    tarvewp3.wp_nam.set(kMaxLandscapeWaypoints, "Last");
    tarvewp2.wp_lat[kMaxLandscapeWaypoints] = 44.0f;
    tarvewp2.wp_lon[kMaxLandscapeWaypoints] = 5.0f;
    tarvewp2.wp_elev[kMaxLandscapeWaypoints] = 1200;

    EXPECT_EQ(rech_2("Alpha", 45.5f, 6.25f, -999, 1, tarveap3.apt_nam, tarveap2.apt_lat, tarveap2.apt_lon,
                     tarveap2.apt_elev),
              1);
    EXPECT_EQ(rech_2("Last", 44.0f, 5.0f, 1205, kMaxLandscapeWaypoints, tarvewp3.wp_nam, tarvewp2.wp_lat,
                     tarvewp2.wp_lon, tarvewp2.wp_elev),
              kMaxLandscapeWaypoints);
    EXPECT_EQ(rech("Last", 1200, kMaxLandscapeWaypoints, tarvewp3.wp_nam, tarvewp2.wp_elev), kMaxLandscapeWaypoints);
}

TEST(LandscapeRecords, ResetClearsAndKeepsTheCapacities) {
    reset_landscape_records();
    tarvewp2.wp_rwl[7] = 800.0f;
    tarvewp3.wp_dsc.set(7, "desc");
    tarveap2.apt_sty[1000] = 5;
    tarveap3.apt_nam.set(1000, "Zulu");
    rd_cup_0.nb_cup = 4;
    rd_cup_1.cuprad[2][30] = 500.0f;
    rd_cup_1.cupline[30] = true;
    rd_cup_2.cupnam[30] = "Finish";
    rd_cup_2.cupdesc = "\"Task\"";
    reset_landscape_records();
    EXPECT_EQ(tarvewp2.wp_rwl[7], 0.0f);
    EXPECT_EQ(tarvewp3.wp_dsc[7], "");
    EXPECT_EQ(tarveap2.apt_sty[1000], 0);
    EXPECT_EQ(tarveap3.apt_nam[1000], "");
    EXPECT_EQ(rd_cup_0.nb_cup, 0);
    EXPECT_EQ(rd_cup_1.cuprad[2][30], 0.0f);
    EXPECT_FALSE(rd_cup_1.cupline[30]);
    EXPECT_EQ(rd_cup_2.cupnam[30], "");
    EXPECT_EQ(rd_cup_2.cupdesc, "");
    EXPECT_EQ(tarvewp2.wp_lat.size(), static_cast<std::size_t>(kMaxLandscapeWaypoints + 1));
    EXPECT_EQ(tarvewp3.wp_nam.size(), static_cast<std::size_t>(kMaxLandscapeWaypoints + 1));
    EXPECT_EQ(tarveap2.apt_frq.size(), static_cast<std::size_t>(kMaxLandscapeAirports + 1));
    EXPECT_EQ(tarveap3.apt_nam.size(), static_cast<std::size_t>(kMaxLandscapeAirports + 1));
}

TEST(LandscapeRecords, TablesStartEmptyAndAreSizedWhenRead) {
    // A record of its own starts without entries: nothing is built before a landscape is read.
    Tarvewp2 numbers;
    Tarvewp3 texts;
    Tarveap2 airports;
    Tarveap3 names;
    EXPECT_TRUE(numbers.wp_lat.empty());
    EXPECT_TRUE(texts.wp_nam.empty());
    EXPECT_TRUE(airports.apt_frq.empty());
    EXPECT_TRUE(names.apt_nam.empty());

    size_waypoint_tables(numbers, texts);
    size_airport_tables(airports, names);
    EXPECT_EQ(numbers.wp_frq.size(), static_cast<std::size_t>(kMaxLandscapeWaypoints + 1));
    EXPECT_EQ(numbers.wp_typ.size(), static_cast<std::size_t>(kMaxLandscapeWaypoints + 1));
    EXPECT_EQ(texts.wp_dsc.size(), static_cast<std::size_t>(kMaxLandscapeWaypoints + 1));
    EXPECT_EQ(airports.apt_sty.size(), static_cast<std::size_t>(kMaxLandscapeAirports + 1));
    EXPECT_EQ(names.apt_nam.size(), static_cast<std::size_t>(kMaxLandscapeAirports + 1));

    // Sizing again keeps what the tables hold.
    texts.wp_nam.set(kMaxLandscapeWaypoints, "Last");
    names.apt_nam.set(1, "First");
    size_waypoint_tables(numbers, texts);
    size_airport_tables(airports, names);
    EXPECT_EQ(texts.wp_nam[kMaxLandscapeWaypoints], "Last");
    EXPECT_EQ(names.apt_nam[1], "First");
}
