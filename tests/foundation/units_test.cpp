#include "foundation/units.h"

#include "foundation/list_read.h"

#include "support/std_streams.h"

#include <gtest/gtest.h>

#include <cfloat>

TEST(Units, Altitudes) {
    float xx = 0;
    EXPECT_EQ(decode_alt("1500ft", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 457.2f);
    EXPECT_EQ(decode_alt("500m", 1, xx), 0);
    EXPECT_FLOAT_EQ(xx, 500.0f);
    EXPECT_EQ(decode_alt("500", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 500.0f);
    EXPECT_EQ(decode_alt("500", 1, xx), 0);
    EXPECT_FLOAT_EQ(xx, 152.4f);
    EXPECT_EQ(decode_alt("1500 ft", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 457.2f);
    EXPECT_EQ(decode_alt("ft", 0, xx), 1);
    EXPECT_EQ(xx, -9999.0f);
    EXPECT_EQ(decode_alt("m", 0, xx), 1);
    EXPECT_EQ(xx, -9999.0f);

    // A unit in any letter case, as the command line may give it.
    EXPECT_EQ(decode_alt("1500FT", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 457.2f);

    xx = 12.0f;
    EXPECT_NE(decode_alt("abc", 0, xx), 0);
    EXPECT_NE(decode_alt("", 0, xx), 0);
    EXPECT_EQ(xx, 12.0f);
}

TEST(Units, Speeds) {
    float xx = 0;
    EXPECT_EQ(decode_speed("80kt", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 148.16f);
    for (const char* text : {"150km/h", "150kmh", "150kph"}) {
        xx = 0;
        EXPECT_EQ(decode_speed(text, 1, xx), 0) << text;
        EXPECT_FLOAT_EQ(xx, 150.0f) << text;
    }
    EXPECT_EQ(decode_speed("150", 1, xx), 0);
    EXPECT_FLOAT_EQ(xx, 277.8f);
    EXPECT_EQ(decode_speed("150", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 150.0f);
    EXPECT_EQ(decode_speed("kt", 0, xx), 1);
    EXPECT_EQ(xx, -9999.0f);
    EXPECT_EQ(decode_speed("km/h", 0, xx), 1);
    EXPECT_EQ(decode_speed("80KT", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 148.16f);
    xx = 3.0f;
    EXPECT_NE(decode_speed("80kn", 0, xx), 0);
    EXPECT_EQ(xx, 3.0f);
}

TEST(Units, SeeYouLengths) {
    float xxx = 0;
    EXPECT_EQ(convert_length("1.5nm", xxx), 0);
    EXPECT_FLOAT_EQ(xxx, 2778.0f);
    EXPECT_EQ(convert_length("3000ft", xxx), 0);
    EXPECT_FLOAT_EQ(xxx, 914.4f);
    EXPECT_EQ(convert_length("2ml", xxx), 0);
    EXPECT_FLOAT_EQ(xxx, 3218.688f);
    EXPECT_EQ(convert_length("500.0m", xxx), 0);
    EXPECT_FLOAT_EQ(xxx, 500.0f);
    EXPECT_EQ(convert_length("750", xxx), 0);
    EXPECT_FLOAT_EQ(xxx, 750.0f);
    xxx = 8.0f;
    EXPECT_NE(convert_length("abc", xxx), 0);
    EXPECT_NE(convert_length("", xxx), 0);
    EXPECT_NE(convert_length("m", xxx), 0);
    EXPECT_EQ(xxx, 8.0f);
    // Only the first 80 characters count: the unit past them is not seen.
    EXPECT_EQ(convert_length("5" + std::string(79, ' ') + "ft", xxx), 0);
    EXPECT_FLOAT_EQ(xxx, 5.0f);
    // A value beyond float once converted is refused, not overflowed.
    xxx = 8.0f;
    EXPECT_EQ(convert_length("3e38nm", xxx), kReadOutOfRange);
    EXPECT_EQ(xxx, 8.0f);
}

TEST(Units, SeeYouLengthTrace) {
    // Two console lines per length: the text looked at, then the units'
    // positions, the number read, the status and the value.
    std::string out;
    {
        tarvex_test::CapturedStdout captured;
        float xxx = 8.0f;
        convert_length("1599.0m", xxx);
        convert_length("124.100", xxx);
        convert_length(" 1.5nm  ", xxx);
        convert_length("3000ft", xxx);
        convert_length("2mlm", xxx);
        convert_length("abc", xxx);
        convert_length("", xxx);
        convert_length("-0.0000001", xxx);
        convert_length("3e38nm", xxx);
        out = captured.finish();
    }
    EXPECT_EQ(out,
              "convert_length: [1599.0m]\n"
              "convert_length: m 7 ft 0 nm 0 ml 0 [1599.0] status 0 value 1599\n"
              "convert_length: [124.100]\n"
              "convert_length: m 0 ft 0 nm 0 ml 0 [124.100] status 0 value 124.099998\n"
              "convert_length: [ 1.5nm]\n"
              "convert_length: m 6 ft 0 nm 5 ml 0 [ 1.5] status 0 value 2778\n"
              "convert_length: [3000ft]\n"
              "convert_length: m 0 ft 5 nm 0 ml 0 [3000] status 0 value 914.400024\n"
              "convert_length: [2mlm]\n"
              "convert_length: m 2 ft 0 nm 0 ml 2 [2] status 0 value 3218.68799\n"
              "convert_length: [abc]\n"
              "convert_length: m 0 ft 0 nm 0 ml 0 [abc] status 1 value 3218.68799\n"
              "convert_length: []\n"
              "convert_length: m 0 ft 0 nm 0 ml 0 [] status -1 value 3218.68799\n"
              "convert_length: [-0.0000001]\n"
              "convert_length: m 0 ft 0 nm 0 ml 0 [-0.0000001] status 0 value 0\n"
              "convert_length: [3e38nm]\n"
              "convert_length: m 6 ft 0 nm 5 ml 0 [3e38] status 2 value 0\n");
}

TEST(Units, Distances) {
    float xx = 0;
    EXPECT_EQ(decode_dist("5km", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 5000.0f);
    EXPECT_EQ(decode_dist("2nm", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 3704.0f);
    EXPECT_EQ(decode_dist("300m", 1, xx), 0);
    EXPECT_FLOAT_EQ(xx, 300.0f);
    EXPECT_EQ(decode_dist("5", 1, xx), 0);
    EXPECT_FLOAT_EQ(xx, 9260.0f);
    EXPECT_EQ(decode_dist("5", 0, xx), 0);
    EXPECT_FLOAT_EQ(xx, 5.0f);
    EXPECT_EQ(decode_dist("km", 0, xx), 1);
    EXPECT_EQ(xx, -9999.0f);
    EXPECT_EQ(decode_dist("nm", 0, xx), 1);
    EXPECT_EQ(decode_dist("m", 0, xx), 1);
    xx = 1.0f;
    EXPECT_EQ(decode_dist("1e37km", 0, xx), kReadOutOfRange);
    EXPECT_EQ(xx, 1.0f);
}

TEST(Units, ConvertAndRound) {
    float rv = 1234.4f;
    convert_and_round(rv, 1.0f);
    EXPECT_EQ(rv, 1234.0f);
    rv = 12345.6f;
    convert_and_round(rv, 1.0f);
    EXPECT_EQ(rv, 12345.6f);
    rv = -2.5f;
    convert_and_round(rv, 1.0f);
    EXPECT_EQ(rv, -3.0f);  // halves away from zero
    rv = 1500.0f;
    convert_and_round(rv, kFootInMetres);
    EXPECT_EQ(rv, 457.0f);
    rv = 9999.0f;
    convert_and_round(rv, 1e36f);  // no overflow: held at the largest float
    EXPECT_EQ(rv, FLT_MAX);
    rv = -3e38f;
    convert_and_round(rv, 10.0f);
    EXPECT_EQ(rv, -FLT_MAX);
}
