#include "foundation/fortran_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

TEST(FortranFormatFields, IntegerWidthMinimumDigitsAndOverflow) {
    EXPECT_EQ(fmt_i(5, 3), "  5");
    EXPECT_EQ(fmt_i(-42, 3), "-42");
    EXPECT_EQ(fmt_i(-42, 2), "**");
    EXPECT_EQ(fmt_i(100, 2), "**");
    EXPECT_EQ(fmt_i(7, 3, 2), " 07");
    EXPECT_EQ(fmt_i(-5, 4, 3), "-005");
    EXPECT_EQ(fmt_i(0, 2, 2), "00");
    EXPECT_EQ(fmt_i(0, 3, 0), "   ");      // Iw.0 of zero is blank
    EXPECT_EQ(fmt_i(123, 0), "123");       // I0: the width needed
    EXPECT_EQ(fmt_i(LLONG_MIN, 0), "-9223372036854775808");
    EXPECT_EQ(fmt_i(INT_MIN, 11), "-2147483648");
    // Fields wider than the usual ones, with and without many zeros.
    EXPECT_EQ(fmt_i(-42, 30), std::string(27, ' ') + "-42");
    EXPECT_EQ(fmt_i(5, 26, 3), std::string(23, ' ') + "005");
    EXPECT_EQ(fmt_i(-5, 22, 20), " -" + std::string(19, '0') + "5");
    EXPECT_EQ(fmt_i(7, 30, 25), std::string(5, ' ') + std::string(24, '0') + "7");
    EXPECT_EQ(fmt_i(-7, 24, 25), std::string(24, '*'));
}

TEST(FortranFormatFields, FixedRoundsAsPrintfAndDropsOptionalZero) {
    EXPECT_EQ(fmt_f(3.14159, 8, 3), "   3.142");
    EXPECT_EQ(fmt_f(0.25, 4, 2), "0.25");
    EXPECT_EQ(fmt_f(0.25, 3, 2), ".25");      // no room for the leading zero
    EXPECT_EQ(fmt_f(-0.25, 5, 2), "-0.25");
    EXPECT_EQ(fmt_f(-0.25, 4, 2), "-.25");
    EXPECT_EQ(fmt_f(-0.25, 3, 2), "***");
    EXPECT_EQ(fmt_f(123.456, 5, 2), "*****");
    EXPECT_EQ(fmt_f(0.125, 5, 2), " 0.12");    // exact tie: to even, as printf
    EXPECT_EQ(fmt_f(0.375, 5, 2), " 0.38");
    EXPECT_EQ(fmt_f(2.5, 3, 0), " 2.");        // F always shows the point
    EXPECT_EQ(fmt_f(0.2, 3, 0), " 0.");
    EXPECT_EQ(fmt_f(3.14159, 0, 2), "3.14");   // F0.d: the width needed
    EXPECT_EQ(fmt_f(0.1f, 12, 10), "0.1000000015");  // the exact float value
    EXPECT_EQ(fmt_f(1.5, 6, 1, 1), "  15.0");  // 1P scales F by 10
}

TEST(FortranFormatFields, NegativeZeroShowsNoSign) {
    EXPECT_EQ(fmt_f(-0.0, 6, 2), "  0.00");
    EXPECT_EQ(fmt_f(-0.001, 8, 2), "    0.00");
    EXPECT_EQ(fmt_f(-0.4, 3, 0), " 0.");
    EXPECT_EQ(fmt_1pe(-0.0, 10, 3), " 0.000E+00");
    EXPECT_EQ(fmt_f(-0.006, 8, 2), "   -0.01");
}

TEST(FortranFormatFields, ExponentForms) {
    EXPECT_EQ(fmt_1pe(0.25, 16, 9), " 2.500000000E-01");
    EXPECT_EQ(fmt_1pe(-0.25, 16, 9), "-2.500000000E-01");
    EXPECT_EQ(fmt_1pe(0.0, 16, 9), " 0.000000000E+00");
    EXPECT_EQ(fmt_1pe(12345.678, 10, 3), " 1.235E+04");
    EXPECT_EQ(fmt_1pe(9.9999, 9, 2), " 1.00E+01");   // rounding carries into the exponent
    EXPECT_EQ(fmt_1pe(1.0, 5, 3), "*****");
    EXPECT_EQ(fmt_1pe(0.5, 8, 0), "  5.E-01");
    EXPECT_EQ(fmt_1pe(1e-300, 10, 3), " 1.000-300");  // three-digit exponent drops the letter
    EXPECT_EQ(fmt_e(0.25, 10, 4), "0.2500E+00");
    EXPECT_EQ(fmt_e(0.25, 9, 4), ".2500E+00");
    EXPECT_EQ(fmt_e(1234.6, 11, 4), " 0.1235E+04");
    EXPECT_EQ(fmt_e(0.0, 10, 4), "0.0000E+00");
    EXPECT_EQ(fmt_e(1234.6, 12, 4, -1), "  0.0123E+05");
    EXPECT_EQ(fmt_e(1234.6, 11, 4, 2), " 12.346E+02");
    EXPECT_THROW(fmt_e(1.0, 10, 0, 0), FortranFormatError);
}

TEST(FortranFormatFields, NonFiniteValues) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(fmt_f(inf, 10, 2), "  Infinity");
    EXPECT_EQ(fmt_f(-inf, 5, 2), " -Inf");
    EXPECT_EQ(fmt_f(inf, 2, 0), "**");
    EXPECT_EQ(fmt_1pe(std::numeric_limits<double>::quiet_NaN(), 6, 2), "   NaN");
}

TEST(FortranFormatFields, TextLogicalAndHex) {
    EXPECT_EQ(fmt_a("abc", 5), "  abc");
    EXPECT_EQ(fmt_a("abcdef", 3), "abc");
    EXPECT_EQ(fmt_a("abc"), "abc");
    EXPECT_EQ(fmt_a("\xE9t\xE9", 4), " \xE9t\xE9");
    EXPECT_EQ(fmt_l(true, 3), "  T");
    EXPECT_EQ(fmt_l(false, 1), "F");
    EXPECT_EQ(fmt_z(255, 4), "  FF");
    EXPECT_EQ(fmt_z(-1, 8), "FFFFFFFF");
    EXPECT_EQ(fmt_z(0x1234, 6, 6), "001234");
    EXPECT_EQ(fmt_z(0x123456, 4), "****");
}

TEST(FortranFormatWrite, TimeAndNumberLayouts) {
    EXPECT_EQ(fortran_write("(I2,':',I2.2,':',I2.2)", {1, 2, 5}), " 1:02:05");
    EXPECT_EQ(fortran_write("(I2,':',I2.2,':',I2.2,'.',I2.2)", {1, 2, 5, 50}), " 1:02:05.50");
    EXPECT_EQ(fortran_write("(F10.5)", {3.14159265}), "   3.14159");
    EXPECT_EQ(fortran_write("(I4,' : ',A,2I9)", {1, "x", 2, 3}), "   1 : x        2        3");
    EXPECT_EQ(fortran_write("(a,'=',a)", {"key", "val"}), "key=val");
    EXPECT_EQ(fortran_write("('#',Z6.6)", {0xFF00AA}), "#FF00AA");
    EXPECT_EQ(fortran_write("('it''s',\"a\"\"b\")", {}), "it's" "a\"b");
    EXPECT_EQ(fortran_write(" ( I 3 , 1X , F 6 . 2 ) ", {12, 1.5}), " 12   1.50");
    EXPECT_EQ(fortran_write("(50(1X,L1))", {true, false}), " T F");
    EXPECT_EQ(fortran_write("(F8.1)", {7}), "     7.0");  // F takes integers
}

TEST(FortranFormatWrite, PositioningAndHollerith) {
    const std::string row = fortran_write("(2X,A,T20,F8.1)", {"name", 12.34});
    EXPECT_EQ(row, "  name" + std::string(13, ' ') + "    12.3");
    EXPECT_EQ(fortran_write("(3H***,T69,3H***)", {}), "***" + std::string(65, ' ') + "***");
    EXPECT_EQ(fortran_write("(71(1H*))", {}), std::string(71, '*'));
    EXPECT_EQ(fortran_write("(T8'</Point>')", {}), "       </Point>");
    EXPECT_EQ(fortran_write("(A,5X)", {"ab"}), "ab");         // a move alone writes nothing
    EXPECT_EQ(fortran_write("(A,TL2,A)", {"abcd", "XY"}), "abXY");
    EXPECT_EQ(fortran_write("(A,T2,A)", {"abcd", "Z"}), "aZcd");
    EXPECT_EQ(fortran_write("(A,TR2,A)", {"a", "b"}), "a  b");
    EXPECT_EQ(fortran_write("(A,TL9,A)", {"ab", "c"}), "cb");   // not left of the record
}

TEST(FortranFormatWrite, ScaleFactorStaysForFollowingDescriptors) {
    EXPECT_EQ(fortran_write("(F8.1,2(',',F8.1),',',I3,',',1PE10.3)", {1.0, 2.0, 3.0, 4, 0.5}),
              "     1.0,     2.0,     3.0,  4, 5.000E-01");
    EXPECT_EQ(fortran_write("(1PE10.3,F6.1)", {0.5, 1.5}), " 5.000E-01  15.0");
    EXPECT_EQ(fortran_write("(1PE8.2,0PF6.1)", {0.5, 1.5}), "5.00E-01   1.5");
}

TEST(FortranFormatWrite, RecordsStopsAndReversion) {
    using Records = std::vector<std::string>;
    EXPECT_EQ(fortran_records("('</Task>'//'<!-- created by Tarvex V',A,' -->'/)", {"4.4.0.0"}),
              (Records{"</Task>", "", "<!-- created by Tarvex V4.4.0.0 -->", ""}));
    EXPECT_EQ(fortran_records("(/'AC P'/'AN PZ#',I2.2,' - ',I4,' pts/min')", {3, 250}),
              (Records{"", "AC P", "AN PZ#03 -  250 pts/min"}));
    // The write stops at the first data descriptor without a value.
    EXPECT_EQ(fortran_write("(I2.2,':',I2.2)", {5}), "05:");
    EXPECT_EQ(fortran_write("(I4,20(1X,F8.1))", {1, 2.0, 3.0}), "   1      2.0      3.0");
    EXPECT_EQ(fortran_write("(I2,:,' tail')", {5}), " 5");
    EXPECT_EQ(fortran_write("(I2,' tail')", {5}), " 5 tail");
    EXPECT_EQ(fortran_records("('abc',I2,'def')", {}), (Records{"abc"}));
    // Values left at the end: a new record, from the last top-level group.
    EXPECT_EQ(fortran_records("(I3)", {1, 2, 3}), (Records{"  1", "  2", "  3"}));
    EXPECT_EQ(fortran_records("(A,2(1X,I2))", {"x", 1, 2, 3, 4}), (Records{"x  1  2", "  3  4"}));
    EXPECT_EQ(fortran_write("(I1/I1)", {1, 2}), "1\n2");
    EXPECT_EQ(fortran_records("(I1,2/I1)", {1, 2}), (Records{"1", "", "2"}));
}

TEST(FortranFormatWrite, FaultsInFormatsOrValuesThrow) {
    EXPECT_THROW(fortran_write("(Q5)", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("I5", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("(I5", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("(I5))", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("(F8)", {1.0}), FortranFormatError);
    EXPECT_THROW(fortran_write("(A.2)", {"x"}), FortranFormatError);
    EXPECT_THROW(fortran_write("(0I5)", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("('abc)", {}), FortranFormatError);
    EXPECT_THROW(fortran_write("(5Hab)", {}), FortranFormatError);
    EXPECT_THROW(fortran_write("(I2)", {1.5}), FortranFormatError);
    EXPECT_THROW(fortran_write("(A)", {5}), FortranFormatError);
    EXPECT_THROW(fortran_write("(F8.2)", {"x"}), FortranFormatError);
    EXPECT_THROW(fortran_write("(L1)", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("('x')", {1}), FortranFormatError);   // a value and nowhere to put it
}

// F fields are written without printf; every one must still read as
// printf's "%.*f" writes it, the exact route for values of few bits (every
// float) as well as the general one.
TEST(FortranFormatFields, FixedMatchesPrintfOnEveryRoute) {
    const auto printf_fixed = [](double value, int d) {
        char text[512];
        std::snprintf(text, sizeof text, "%.*f", d, value);
        return std::string(text) + (d == 0 ? "." : "");
    };
    const double values[] = {0.5,      2.5,          3.5,       1.0 / 3.0, 0.1,        12345.678f, 999.99994f,
                             1.0e-7f,  123456789.0f, 8.9e12,    9.1e18,    1.0e300,    4.9e-324,   0.000001,
                             0.0000005, 1e15 + 0.5,  67108865.0, 2.675,    1.005,      1e22};
    for (const double value : values) {
        for (const int d : {0, 1, 2, 3, 6, 9, 12, 18, 20}) {
            SCOPED_TRACE(testing::Message() << value << " d=" << d);
            EXPECT_EQ(fmt_f(value, 0, d), printf_fixed(value, d));
            std::string appended = "x";
            append_fmt_f(appended, value, 0, d);
            EXPECT_EQ(appended, "x" + printf_fixed(value, d));
        }
    }
    EXPECT_EQ(fmt_f(-2.5, 6, 0), "   -2.");
    EXPECT_EQ(fmt_f(-0.0004, 6, 3), " 0.000");
}

TEST(FortranFormatWrites, FormatsAreParsedOnceAndStayCorrect) {
    // The same format over and over, and formats that differ by one character.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fortran_write("(I3,1X,F6.2)", {i, 1.5}), "  " + std::to_string(i) + "   1.50");
        EXPECT_EQ(fortran_write("(I4,1X,F6.2)", {i, 1.5}), "   " + std::to_string(i) + "   1.50");
    }
    // A malformed format throws every time, not only when first seen.
    EXPECT_THROW(fortran_write("(I3", {1}), FortranFormatError);
    EXPECT_THROW(fortran_write("(I3", {1}), FortranFormatError);
    // Records joined by a line end, and a text holding one stays one record.
    EXPECT_EQ(fortran_write("(A/A)", {"a", "b"}), "a\nb");
    EXPECT_EQ(fortran_records("(A)", {"a\nb"}), std::vector<std::string>{"a\nb"});
    std::string line = "n=";
    append_fmt_i(line, -42, 0);
    append_fmt_i(line, 7, 4, 2);
    EXPECT_EQ(line, "n=-42  07");
}
