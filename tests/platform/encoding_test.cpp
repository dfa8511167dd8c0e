#include "platform/encoding.h"

#include <gtest/gtest.h>

TEST(Encoding, Cp1252RoundTripsThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all)), all);
    EXPECT_EQ(cp1252_to_utf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");       // été
    EXPECT_EQ(cp1252_to_utf8("\x80"), "\xE2\x82\xAC");                 // euro sign
    EXPECT_EQ(cp1252_to_utf8("\x9C"), "\xC5\x93");                     // oe ligature
}

TEST(Encoding, Utf8WithoutCp1252ByteOrMalformed) {
    EXPECT_EQ(utf8_to_cp1252("\xE4\xB8\xAD"), "?");                    // a CJK character
    EXPECT_EQ(utf8_to_cp1252("\xF0\x9F\x98\x80x"), "?x");              // outside the BMP
    EXPECT_EQ(utf8_to_cp1252("caf\xE9"), "caf\xE9");                   // already cp1252
    EXPECT_EQ(utf8_to_cp1252("\xC3"), "\xC3");                         // cut sequence
    EXPECT_EQ(utf8_to_cp1252("\xC0\xAF"), "\xC0\xAF");                 // overlong form
}

TEST(Encoding, CodePointsOfSingleBytes) {
    EXPECT_EQ(cp1252_code_point('A'), U'A');
    EXPECT_EQ(cp1252_code_point(0xE9), U'\u00E9');
    EXPECT_EQ(cp1252_code_point(0x80), U'\u20AC');  // euro sign
    EXPECT_EQ(cp1252_code_point(0x9F), U'\u0178');  // Y with diaeresis
    EXPECT_EQ(cp1252_code_point(0x81), U'\u0081');  // undefined: the C1 control
    EXPECT_EQ(cp1252_from_code_point(cp1252_code_point(0x8C)), '\x8C');
}

TEST(Encoding, Cp1252CutToAUtf8Length) {
    // "Crête" takes 6 bytes in UTF-8: 5 bytes hold "Cr" only, the ê never half.
    EXPECT_EQ(cp1252_fitting_utf8("Cr\xEAte", 6), "Cr\xEAte");
    EXPECT_EQ(cp1252_fitting_utf8("Cr\xEAte", 5), "Cr\xEAt");
    EXPECT_EQ(cp1252_fitting_utf8("Cr\xEAte", 3), "Cr");
    EXPECT_EQ(cp1252_fitting_utf8("Cr\xEAte", 4), "Cr\xEA");
    EXPECT_EQ(cp1252_fitting_utf8("a\x80", 3), "a");      // the euro sign takes three
    EXPECT_EQ(cp1252_fitting_utf8("a\x80", 4), "a\x80");
    EXPECT_EQ(cp1252_fitting_utf8("", 0), "");
    EXPECT_EQ(cp1252_fitting_utf8("abc", 0), "");
}
