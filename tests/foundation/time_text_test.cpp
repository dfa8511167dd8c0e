#include "foundation/time_text.h"

#include <gtest/gtest.h>

#include <array>

TEST(TimeText, HoursMinutesSecondsAndHundredths) {
    std::string ccc;
    to_hms(3725.5f, ccc, 11);
    EXPECT_EQ(ccc, " 1:02:05.50");
    to_hms(3725.5f, ccc, 8);
    EXPECT_EQ(ccc, " 1:02:05");
    to_hms(3725.5f, ccc, 10);  // hundredths need 11 characters
    EXPECT_EQ(ccc, " 1:02:05");
    to_hms(59.0f, ccc, 11);
    EXPECT_EQ(ccc, " 0:00:59");
    to_hms(59.0f, ccc, 8);
    EXPECT_EQ(ccc, " 0:00:59");
    to_hms(36000.0f, ccc, 8);
    EXPECT_EQ(ccc, "10:00:00");
    to_hms(360000.0f, ccc, 8);
    EXPECT_EQ(ccc, "**:00:00");
    to_hms(3725.5f, ccc, 5);
    EXPECT_EQ(ccc, " 1:02");  // cut at the capacity
    to_hms(1e12f, ccc, 11);   // beyond int: no trap
    EXPECT_EQ(ccc.substr(0, 2), "**");
}

TEST(TimeText, NulTerminatedForm) {
    std::array<char, 12> out{};
    out.fill('x');
    to_hms_c(3725.5f, out);
    EXPECT_EQ(std::string(out.data()), " 1:02:05");
    EXPECT_EQ(out[8], '\0');
    EXPECT_EQ(out[9], 'x');

    std::array<char, 4> small{};
    to_hms_c(3725.5f, small);
    EXPECT_EQ(std::string(small.data()), " 1:");
    to_hms_c(1.0f, std::span<char>());
}

TEST(TimeText, TextToSeconds) {
    EXPECT_EQ(hms2sec("1:02:05"), 3725);
    EXPECT_EQ(hms2sec("01:00:00"), 3600);
    EXPECT_EQ(hms2sec(" 1 : 2 : 3"), 3723);
    EXPECT_EQ(hms2sec("0:0:000000000017" "5"), 17);  // the first 16 characters only
    EXPECT_EQ(hms2sec("1:02:xx"), -999);
    EXPECT_EQ(hms2sec("1:02:"), -999);
    EXPECT_EQ(hms2sec("1:02:5.5"), -999);
    EXPECT_EQ(hms2sec("12:30"), -999);
    EXPECT_EQ(hms2sec("a:02:05"), -999);
    EXPECT_EQ(hms2sec(""), -999);
    EXPECT_EQ(hms2sec("999999:00:00"), -999);  // beyond int
}

TEST(TimeText, ClockTextAsSeeYouWritesIt) {
    EXPECT_EQ(clock_text(9000), "02:30:00");
    EXPECT_EQ(clock_text(45005), "12:30:05");
    EXPECT_EQ(clock_text(0), "00:00:00");
    EXPECT_EQ(clock_text(360000), "100:00:00");
    EXPECT_EQ(hms2sec(clock_text(86399)), 86399);
}
