#include "foundation/julian_day.h"

#include <gtest/gtest.h>

#include <climits>

TEST(JulianDay, KnownDaysAndInverse) {
    EXPECT_EQ(jd(2000, 1, 1), 2451545);
    EXPECT_EQ(jd(2024, 2, 29), 2460370);
    EXPECT_EQ(jd(1970, 1, 1), 2440588);
    EXPECT_EQ(jd(1900, 1, 1), 2415021);
    EXPECT_EQ(jd(1900, 3, 1) - jd(1900, 2, 28), 1);  // 1900 is no leap year
    int y = 0;
    int m = 0;
    int d = 0;
    gdate(2460370, y, m, d);
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    for (int day = jd(1999, 12, 1); day < jd(2001, 3, 1); ++day) {
        gdate(day, y, m, d);
        ASSERT_EQ(jd(y, m, d), day);
    }
}

TEST(JulianDay, ExtremeArgumentsStayDefined) {
    // Days beyond the range of int are held at its ends, without overflow.
    EXPECT_EQ(jd(2000000000, 12, 31), INT_MAX);
    EXPECT_EQ(jd(-2000000000, -5, 0), INT_MIN);
    int y = 0;
    int m = 0;
    int d = 0;
    gdate(0, y, m, d);  // the first Julian day: 24 November 4714 BC (year -4713)
    EXPECT_EQ(y, -4713);
    EXPECT_EQ(m, 11);
    EXPECT_EQ(d, 24);
    gdate(INT_MAX, y, m, d);
    EXPECT_EQ(y, 5874898);
    EXPECT_EQ(m, 6);
    EXPECT_EQ(d, 3);
    EXPECT_EQ(jd(y, m, d), INT_MAX);
    gdate(-INT_MAX, y, m, d);
    EXPECT_EQ(jd(y, m, d), INT_MIN);
}
