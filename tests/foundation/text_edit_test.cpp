#include "foundation/fixed_text.h"
#include "foundation/french_csv.h"
#include "foundation/text_edit.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(FixedText, TrimmedLengthAdjustmentAndCuts) {
    EXPECT_EQ(trimmed_length(""), 0u);
    EXPECT_EQ(trimmed_length("   "), 0u);
    EXPECT_EQ(trimmed_length(" ab  "), 3u);
    EXPECT_EQ(trimmed_length("a\0 "s), 2u);  // NUL is not a blank
    EXPECT_EQ(trim_right(" ab  "), " ab");
    EXPECT_EQ(left_adjust("   ab c  "), "ab c");
    EXPECT_EQ(left_adjust("    "), "");
    EXPECT_TRUE(is_blank("   "));
    EXPECT_FALSE(is_blank("\t"));
    EXPECT_TRUE(blank_equal("abc  ", "abc"));
    EXPECT_FALSE(blank_equal(" abc", "abc"));
    EXPECT_FALSE(blank_equal("ABC", "abc"));
    EXPECT_EQ(fit_field("abcdef", 4), "abcd");
    EXPECT_EQ(fit_field("ab    cd", 4), "ab");
    EXPECT_EQ(fit_field("ab", 10), "ab");
}

TEST(TextEdit, CaseFoldingAndComparison) {
    std::string s = "abc D\xE9" "f 1z";
    majusc(s);
    EXPECT_EQ(s, "ABC D\xE9""F 1Z");  // cp1252 letters stay
    minusc(s);
    EXPECT_EQ(s, "abc d\xE9""f 1z");
    EXPECT_TRUE(case_blind_compare("Abc", "aBC"));
    EXPECT_FALSE(case_blind_compare("ab", "abc"));
    EXPECT_TRUE(case_blind_compare("", "   "));
    EXPECT_TRUE(case_blind_compare("ab  ", "AB"));
    EXPECT_FALSE(case_blind_compare(" ab", "ab"));
    EXPECT_FALSE(case_blind_compare("\xE9", "\xC9"));
}

TEST(TextEdit, Quotes) {
    std::string s = "\"x y\"";
    remove_quotes(s);
    EXPECT_EQ(s, "x y");
    s = "\"abc";
    remove_quotes(s);
    EXPECT_EQ(s, "\"abc");
    s = " \"a\"";
    remove_quotes(s);
    EXPECT_EQ(s, " \"a\"");
    s = "\"";
    remove_quotes(s);
    EXPECT_EQ(s, "");
    s = "\"\"";
    remove_quotes(s);
    EXPECT_EQ(s, "");
    s = "\" a \"";
    remove_quotes(s);
    EXPECT_EQ(s, " a");
    s = "'it'";
    remove_simple_quotes(s);
    EXPECT_EQ(s, "it");
    s = "\"it\"";
    remove_simple_quotes(s);
    EXPECT_EQ(s, "\"it\"");

    s = "C:\\Program Files\\x";
    quote_spaces(s, 256);
    EXPECT_EQ(s, "\"C:\\Program Files\\x\"");
    s = "ab";
    quote_spaces(s, 256);
    EXPECT_EQ(s, "ab");
    s = "a b";
    quote_spaces(s, 4);
    EXPECT_EQ(s, "\"a b");  // cut at the field's capacity
    s = "ab   ";
    quote_spaces(s, 256);
    EXPECT_EQ(s, "ab");
}

TEST(TextEdit, LineFeedsAndNuls) {
    std::string s = "a\nb\n";
    make_printable(s);
    EXPECT_EQ(s, "a/b/");
    s = "ab\0cd"s;
    remove_trail_0(s);
    EXPECT_EQ(s, "ab");
    s = "ab \0cd"s;
    remove_trail_0(s);
    EXPECT_EQ(s, "ab");
    s = "abc";
    remove_trail_0(s);
    EXPECT_EQ(s, "abc");
    s = "a\0b\0"s;
    remove_0(s);
    EXPECT_EQ(s, "ab");
    s = "a \0"s;
    remove_0(s);
    EXPECT_EQ(s, "a");
}

TEST(FrenchCsv, SeparatorAndDecimalRewrites) {
    std::string s = "a,b,,c";
    subs_comma(s);
    EXPECT_EQ(s, "a;b;;c");
    s = "1.5,2.5,x";
    subs_dot_comma(s);
    EXPECT_EQ(s, "1,5;2,5;x");
    s = "1,5;2,5;x";
    from_frcsv(s);
    EXPECT_EQ(s, "1.5,2.5,x");

    s = "name,1.5,\"a.b\",2.5";
    to_frcsv(s);
    EXPECT_EQ(s, "name;1,5;\"a.b\";2,5");
    s = "3.5,x.y,-1.5E+3";
    to_frcsv(s);
    EXPECT_EQ(s, "3,5;x.y;-1,5E+3");
    s = ",1.5,,2.5";
    to_frcsv(s);
    EXPECT_EQ(s, ";1,5;;2,5");
    s = "www.site.fr";
    to_frcsv(s);
    EXPECT_EQ(s, "www.site.fr");
    s = " 1.5,2";  // a leading blank makes the field a text
    to_frcsv(s);
    EXPECT_EQ(s, " 1.5;2");
}
