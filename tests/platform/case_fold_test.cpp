#include "platform/case_fold.h"

#include <gtest/gtest.h>

TEST(CaseFold, LettersOfCodePage1252) {
    EXPECT_TRUE(equal_ignoring_case_cp1252("FlightPlan.fpl", "Flightplan.FPL"));
    EXPECT_TRUE(equal_ignoring_case_cp1252("TH\xC9O", "th\xE9o"));      // accented capital E
    EXPECT_TRUE(equal_ignoring_case_cp1252("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));  // S caron, OE, Z caron, Y diaeresis
    EXPECT_FALSE(equal_ignoring_case_cp1252("\xD7", "\xF7"));           // multiplication and division signs
    EXPECT_FALSE(equal_ignoring_case_cp1252("abc", "abcd"));
    EXPECT_FALSE(equal_ignoring_case_cp1252("[", "{"));                 // not letters
    EXPECT_EQ(fold_case_cp1252('Q'), 'q');
    EXPECT_EQ(fold_case_cp1252('7'), '7');
}

TEST(CaseFold, WildcardsLikeWindows) {
    EXPECT_TRUE(matches_wildcard_cp1252("AA3.trn", "*.TRN"));
    EXPECT_TRUE(matches_wildcard_cp1252("noext", "*.*"));
    EXPECT_TRUE(matches_wildcard_cp1252("anything", ""));
    EXPECT_TRUE(matches_wildcard_cp1252("Tarvex_0012.ini", "Tarvex_????.ini"));
    EXPECT_FALSE(matches_wildcard_cp1252("Tarvex_012.ini", "Tarvex_????.ini"));
    EXPECT_TRUE(matches_wildcard_cp1252("a.b.c.cup", "*.cup"));
    EXPECT_FALSE(matches_wildcard_cp1252("a.cupx", "*.cup"));
    EXPECT_TRUE(matches_wildcard_cp1252("abcabd", "*ab?"));
    EXPECT_TRUE(matches_wildcard_cp1252("", "*"));
    EXPECT_FALSE(matches_wildcard_cp1252("", "?"));
    EXPECT_TRUE(matches_wildcard_cp1252("\xC9T\xC9.txt", "\xE9t\xE9*"));
}
