#include "foundation/list_read.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(ListRead, IntegerItems) {
    int v = 99;
    EXPECT_EQ(list_read("12", v), kReadOk);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(list_read("  -7  ", v), kReadOk);
    EXPECT_EQ(v, -7);
    EXPECT_EQ(list_read("+3", v), kReadOk);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(list_read("2147483647", v), kReadOk);
    EXPECT_EQ(v, 2147483647);
    EXPECT_EQ(list_read("-2147483648", v), kReadOk);
    EXPECT_EQ(v, std::numeric_limits<int>::min());
    EXPECT_EQ(list_read("12 abc", v), kReadOk);  // what follows is not looked at
    EXPECT_EQ(v, 12);

    v = 99;
    EXPECT_EQ(list_read("12.5", v), kReadBadItem);
    EXPECT_EQ(list_read("1e3", v), kReadBadItem);
    EXPECT_EQ(list_read("12abc", v), kReadBadItem);
    EXPECT_EQ(list_read("-", v), kReadBadItem);
    EXPECT_EQ(list_read("'5'", v), kReadBadItem);
    EXPECT_EQ(list_read("2147483648", v), kReadOutOfRange);
    EXPECT_EQ(list_read("-99999999999999999999", v), kReadOutOfRange);
    EXPECT_EQ(v, 99);  // every failure keeps the value
}

TEST(ListRead, BlankTextReadsNothing) {
    int v = 5;
    float x = 2.5f;
    EXPECT_EQ(list_read("", v), kReadEnd);
    EXPECT_EQ(list_read("    ", v), kReadEnd);
    EXPECT_EQ(list_read(" \t ", x), kReadEnd);
    EXPECT_LT(kReadEnd, 0);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(x, 2.5f);
}

TEST(ListRead, RealItems) {
    float x = 0;
    EXPECT_EQ(list_read("1,5", x), kReadOk);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(list_read("1.5", x), kReadOk);
    EXPECT_EQ(x, 1.5f);
    EXPECT_EQ(list_read(".5", x), kReadOk);
    EXPECT_EQ(x, 0.5f);
    EXPECT_EQ(list_read("5.", x), kReadOk);
    EXPECT_EQ(x, 5.0f);
    EXPECT_EQ(list_read("42", x), kReadOk);
    EXPECT_EQ(x, 42.0f);
    EXPECT_EQ(list_read("1.5e3", x), kReadOk);
    EXPECT_EQ(x, 1500.0f);
    EXPECT_EQ(list_read("1.5D3", x), kReadOk);
    EXPECT_EQ(x, 1500.0f);
    EXPECT_EQ(list_read("-1.5E-3", x), kReadOk);
    EXPECT_EQ(x, -0.0015f);
    EXPECT_EQ(list_read("1.5+3", x), kReadOk);  // exponent without its letter
    EXPECT_EQ(x, 1500.0f);
    EXPECT_EQ(list_read("2.5-1", x), kReadOk);
    EXPECT_EQ(x, 0.25f);
    EXPECT_EQ(list_read("0.1", x), kReadOk);
    EXPECT_EQ(x, 0.1f);  // rounded once, straight to float

    x = 7.0f;
    for (const char* bad : {"1e", ".", "+", "abc", "1.2.3", "nan", "inf", "Infinity", "1e+", "1x5", "\"1\""}) {
        EXPECT_EQ(list_read(bad, x), kReadBadItem) << bad;
    }
    EXPECT_EQ(list_read("1e39", x), kReadOutOfRange);
    EXPECT_EQ(list_read("-1e39", x), kReadOutOfRange);
    EXPECT_EQ(x, 7.0f);

    EXPECT_EQ(list_read("1e-50", x), kReadOk);  // too small for float: zero
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(list_read("-1e-50", x), kReadOk);
    EXPECT_TRUE(std::signbit(x));
    EXPECT_EQ(list_read("0.000e999", x), kReadOk);
    EXPECT_EQ(x, 0.0f);

    double d = 0;
    EXPECT_EQ(list_read("1e39", d), kReadOk);
    EXPECT_EQ(d, 1e39);
    EXPECT_EQ(list_read("1e400", d), kReadOutOfRange);
    EXPECT_EQ(list_read("0.1", d), kReadOk);
    EXPECT_EQ(d, 0.1);
}

TEST(ListRead, SeveralItemsNullsSlashAndEnd) {
    int a = -1;
    int b = -1;
    int c = -1;
    EXPECT_EQ(list_read("1 2 3", a, b, c), kReadOk);
    EXPECT_EQ(a + b + c, 6);

    a = b = c = -1;
    EXPECT_EQ(list_read("1,,3", a, b, c), kReadOk);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -1);  // the null item keeps the value
    EXPECT_EQ(c, 3);

    a = b = c = -1;
    EXPECT_EQ(list_read("1 , 2 ,3", a, b, c), kReadOk);
    EXPECT_EQ(c, 3);

    a = b = c = -1;
    EXPECT_EQ(list_read(", 5", a, b), kReadOk);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(b, 5);

    a = b = c = -1;
    EXPECT_EQ(list_read("1/ 2", a, b), kReadOk);  // the slash ends the read
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -1);

    a = b = c = -1;
    EXPECT_EQ(list_read("1", a, b), kReadEnd);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -1);

    a = b = c = -1;
    EXPECT_EQ(list_read("1 x 3", a, b, c), kReadBadItem);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -1);
    EXPECT_EQ(c, -1);

    a = b = c = -1;
    EXPECT_EQ(list_read("\t4\t5\r\n", a, b), kReadOk);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 5);

    float x = 0;
    a = -1;
    EXPECT_EQ(list_read("3 2.5", a, x), kReadOk);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(x, 2.5f);
}

TEST(ListRead, RepeatCounts) {
    int a = -1;
    int b = -1;
    int c = -1;
    EXPECT_EQ(list_read("3*7", a, b, c), kReadOk);
    EXPECT_EQ(a + b + c, 21);

    a = b = c = -1;
    EXPECT_EQ(list_read("2*,5", a, b, c), kReadOk);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(b, -1);
    EXPECT_EQ(c, 5);

    a = b = c = -1;
    EXPECT_EQ(list_read("5*1", a, b), kReadOk);  // more repeats than targets
    EXPECT_EQ(a + b, 2);

    EXPECT_EQ(list_read("0*5", a), kReadBadItem);
    EXPECT_EQ(list_read("*5", a), kReadBadItem);
    EXPECT_EQ(list_read("x*5", a), kReadBadItem);
    EXPECT_EQ(list_read("2*1.5", a), kReadBadItem);
}

TEST(ListRead, Arrays) {
    std::array<float, 3> values{-1, -1, -1};
    EXPECT_EQ(list_read_array(std::string_view("1 2.5,3"), std::span<float>(values)), kReadOk);
    EXPECT_EQ(values[0], 1.0f);
    EXPECT_EQ(values[1], 2.5f);
    EXPECT_EQ(values[2], 3.0f);
    std::array<int, 4> counts{0, 0, 0, 0};
    EXPECT_EQ(list_read_array(std::string_view("1 2"), std::span<int>(counts)), kReadEnd);
    EXPECT_EQ(counts[1], 2);
    EXPECT_EQ(counts[2], 0);
}

TEST(ListRead, PlainDecimalsReadInPlaceAsListRead) {
    // read_exact_decimal gives list_read's value, or leaves the text to it.
    for (const char* text : {"45", " 045 ", "17.268", "-6.5", "0.001", "16777216", "5.", "\t30\r"}) {
        SCOPED_TRACE(text);
        float listed = 0.0f;
        ASSERT_EQ(list_read(text, listed), kReadOk);
        float exact = -1.0f;
        ASSERT_TRUE(read_exact_decimal(text, exact));
        EXPECT_EQ(exact, listed);
    }
    for (const char* text : {"", "  ", "1e3", "+5", "-0", "0.0", "16777217", "1.23456789012", "4 5", "45,", "abc"}) {
        SCOPED_TRACE(text);
        float value = 9.0f;
        EXPECT_FALSE(read_exact_decimal(text, value));
        EXPECT_EQ(value, 9.0f);
    }
    // Plain integers likewise.
    for (const char* text : {"7", " 045 ", "-12", "+3", "-0", "999999999", "\t30\r"}) {
        SCOPED_TRACE(text);
        int listed = 0;
        ASSERT_EQ(list_read(text, listed), kReadOk);
        int plain = -1;
        ASSERT_TRUE(read_plain_integer(text, plain));
        EXPECT_EQ(plain, listed);
    }
    for (const char* text : {"", " ", "-", "1234567890", "1.5", "4 5", "45,", "1e3", "x"}) {
        SCOPED_TRACE(text);
        int value = 9;
        EXPECT_FALSE(read_plain_integer(text, value));
        EXPECT_EQ(value, 9);
    }
    // Reals through the list: a mantissa too long for the exact route, and a
    // double, still correctly rounded.
    float f = 0.0f;
    EXPECT_EQ(list_read("0.1000000000000000055511151231257827", f), kReadOk);
    EXPECT_EQ(f, 0.1f);
    double d = 0.0;
    EXPECT_EQ(list_read("1234567.891", d), kReadOk);
    EXPECT_EQ(d, 1234567.891);
}
