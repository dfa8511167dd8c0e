#include "foundation/waypoint_lookup.h"

#include "support/text_tables.h"

#include <gtest/gtest.h>

#include <vector>

TEST(WaypointLookup, ByNameThenAltitude) {
    const ShortTextTable names = text_table({"", "A", "B", "A", "A  ", "C"});
    const std::vector<int> elev{0, 100, 200, 300, 300, 50};
    EXPECT_EQ(rech("B", 0, 5, names, elev), 2);       // one match: its number
    EXPECT_EQ(rech("C", 0, 5, names, elev), 5);
    EXPECT_EQ(rech("D", 0, 5, names, elev), 0);
    EXPECT_EQ(rech("b", 0, 5, names, elev), 0);       // case counts
    EXPECT_EQ(rech("A", 100, 5, names, elev), 1);     // one of them at that altitude
    EXPECT_EQ(rech("A", 300, 5, names, elev), -4);    // several: minus the last
    EXPECT_EQ(rech("A ", 300, 5, names, elev), -4);   // trailing blanks do not count
    EXPECT_EQ(rech("A", 999, 5, names, elev), 0);     // none at that altitude
    EXPECT_EQ(rech("A", 300, 3, names, elev), 3);     // the count limits the search
    EXPECT_EQ(rech("C", 0, 50, names, elev), 5);      // a count beyond the arrays
    EXPECT_EQ(rech("A", 0, 0, names, elev), 0);
    EXPECT_EQ(rech("A", 0, 5, ShortTextTable(1), {}), 0);

    ShortTextTable many(1);
    many.resize(151);
    for (std::size_t k = 0; k < many.size(); ++k) {
        many.set(k, "X");
    }
    std::vector<int> heights(151, 10);
    heights[150] = 20;
    EXPECT_EQ(rech("X", 20, 150, many, heights), 150);  // beyond 100 matches
}

TEST(WaypointLookup, ByNamePositionAndAltitude) {
    const ShortTextTable nam = text_table({"", "Field", "Field", "Other", "Field"});
    const std::vector<float> lat{0, 45.0f, 45.0005f, 45.0f, 46.0f};
    const std::vector<float> lon{0, 6.0f, 6.0f, 6.0f, 6.0f};
    const std::vector<int> elev{0, 500, 700, 500, 500};
    EXPECT_EQ(rech_2("Field", 45.0f, 6.0f, 500, 4, nam, lat, lon, elev), 1);
    EXPECT_EQ(rech_2("Field", 45.0f, 6.0f, 700, 4, nam, lat, lon, elev), 2);
    EXPECT_EQ(rech_2("Field  ", 45.0f, 6.0f, 700, 4, nam, lat, lon, elev), 2);  // trailing blanks do not count
    EXPECT_EQ(rech_2("Fiel", 45.0f, 6.0f, 700, 4, nam, lat, lon, elev), 0);
    EXPECT_EQ(rech_2(" Field", 45.0f, 6.0f, 700, 4, nam, lat, lon, elev), 0);  // leading ones do
    EXPECT_EQ(rech_2("Field", 45.0f, 6.0f, -1000, 4, nam, lat, lon, elev), -2);  // altitude ignored
    EXPECT_EQ(rech_2("Field", 45.0f, 6.0f, 509, 4, nam, lat, lon, elev), 1);     // 9 m off
    EXPECT_EQ(rech_2("Field", 45.0f, 6.0f, 510, 4, nam, lat, lon, elev), 0);     // 10 m off
    EXPECT_EQ(rech_2("Field", 45.002f, 6.0f, 500, 4, nam, lat, lon, elev), 0);
    EXPECT_EQ(rech_2("Field", 45.0f, 6.002f, -1000, 4, nam, lat, lon, elev), 0);
    EXPECT_EQ(rech_2("Field", 46.0f, 6.0f, -501, 4, nam, lat, lon, elev), 4);
    EXPECT_EQ(rech_2("Field", 46.0f, 6.0f, -500, 4, nam, lat, lon, elev), 0);  // -500 still tests altitude
    EXPECT_EQ(rech_2("Field", 45.0f, 6.0f, -1000, 40, nam, lat, lon, elev), -2);
}
