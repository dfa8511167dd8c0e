#include "foundation/number_text.h"
#include "foundation/fortran_format.h"
#include "foundation/random_text.h"
#include "foundation/shortcut_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <vector>

namespace {

std::string f2b_text(float value, std::string_view format) {
    std::string buff = "old";
    int lb = -1;
    f2b(value, buff, format, lb);
    EXPECT_EQ(lb, static_cast<int>(buff.size())) << buff;
    return buff;
}

}  // namespace

TEST(NumberText, IntegerTextWidthComesFromTheField) {
    std::string buff;
    int lb = 0;
    i2b(-42, buff, lb, 10);
    EXPECT_EQ(buff, "-42");
    EXPECT_EQ(lb, 3);
    i2b(1234567, buff, lb, 5);
    EXPECT_EQ(buff, "*****");
    EXPECT_EQ(lb, 5);
    i2b(12345, buff, lb, 5);
    EXPECT_EQ(buff, "12345");
    i2b(INT_MIN, buff, lb);
    EXPECT_EQ(buff, "-2147483648");
    EXPECT_EQ(lb, 11);
    i2b(7, buff, lb, 0);
    EXPECT_EQ(buff, "");
    EXPECT_EQ(lb, 0);
    EXPECT_EQ(i2b(0), "0");
}

TEST(NumberText, RealTextDropsTrailingZeros) {
    EXPECT_EQ(f2b_text(0.0f, "(F8.3)"), "0");
    EXPECT_EQ(f2b_text(-0.25f, "(F8.3)"), "-0.25");
    EXPECT_EQ(f2b_text(1.0f, "(F8.3)"), "1");
    EXPECT_EQ(f2b_text(45.5f, "(F16.6)"), "45.5");
    EXPECT_EQ(f2b_text(100.0f, "(F8.1)"), "100");   // zeros before the point stay
    EXPECT_EQ(f2b_text(12.0f, "(F10.1)"), "12");
    EXPECT_EQ(f2b_text(-0.0001f, "(F8.3)"), "0");   // never "-0"
    EXPECT_EQ(f2b_text(0.5f, "(F12.5)"), "0.5");
    EXPECT_EQ(f2b_text(-12.3456f, "(F12.2)"), "-12.35");
}

TEST(NumberText, RealTextCapsDecimalsOfLargeValues) {
    EXPECT_EQ(f2b_text(123456.7f, "(F16.6)"), "123456.703");  // written with F16.3
    EXPECT_EQ(f2b_text(1e9f, "(F16.6)"), "1000000000");       // F16.0
    EXPECT_EQ(f2b_text(98765432.0f, "(F16.6)"), "98765432");  // F16.1
    EXPECT_EQ(f2b_text(-123456.7f, "(F16.6)"), "-123456.703");
    EXPECT_EQ(f2b_text(12.345678f, "(F16.6)"), "12.345678");  // 7 decimals allowed, 6 asked
    EXPECT_EQ(f2b_text(1e30f, "(F16.6)"), std::string(16, '*'));
    EXPECT_EQ(f2b_text(123456.7f, "(F8.1)"), "123456.7");
}

namespace {

// The fixed-form text of f2b built from its rule with the general formatter:
// Fw.d written by fortran_write with at most max(0, 8 - int(log10|x|))
// decimals above 1, then its trailing blanks, trailing zeros after the
// point, a bare final point and its leading blanks dropped.
std::string fixed_by_rule(float x, int w, int d) {
    int shown = d;
    if (std::isfinite(x) && std::fabs(x) > 1.0f) {
        shown = std::min(d, std::max(0, 8 - static_cast<int>(std::log10(std::fabs(x)))));
    }
    std::string text =
        fortran_write("(F" + std::to_string(w) + "." + std::to_string(shown) + ")", {static_cast<double>(x)});
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '0')) {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Floats over the whole range: every 4099th bit pattern of each sign, random
// ones (NaNs only as the quiet NaN: a signalling one would trap when widened
// to double), the infinities, the decimal values waypoint and task files hold (tenths to
// thousandths), the halfway cases of rounding to d decimals (odd multiples of
// 2^-(d+1)) and the values around the powers of ten.
std::vector<float> sample_floats() {
    std::vector<float> values = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity()};
    const auto add_bits = [&values](std::uint32_t bits) {
        if ((bits & 0x7fffffffU) <= 0x7f800000U) {  // not a NaN
            values.push_back(std::bit_cast<float>(bits));
        }
    };
    for (std::uint64_t bits = 0; bits < (1ULL << 31); bits += 4099) {
        add_bits(static_cast<std::uint32_t>(bits));
        add_bits(static_cast<std::uint32_t>(bits | (1ULL << 31)));
    }
    std::mt19937 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        add_bits(static_cast<std::uint32_t>(random()));
    }
    for (int n = 0; n <= 200000; ++n) {
        for (const float scale : {10.0f, 100.0f, 1000.0f}) {
            values.push_back(static_cast<float>(n) / scale);
        }
        values.push_back(-static_cast<float>(n) / 10.0f);
    }
    for (int d = 0; d <= 7; ++d) {
        for (int odd = 1; odd < 40000; odd += 2) {
            values.push_back(std::ldexp(static_cast<float>(odd), -(d + 1)));
        }
    }
    for (float power = 1.0f; power < 1e12f; power *= 10.0f) {
        float x = power;
        for (int i = 0; i < 64; ++i) {
            x = std::nextafter(x, 0.0f);
        }
        for (int i = 0; i < 128; ++i) {
            values.push_back(x);
            x = std::nextafter(x, 1e30f);
        }
    }
    return values;
}

}  // namespace

TEST(NumberText, FixedTextIsTheGeneralFormattersText) {
    // A format with a blank is written through fortran_write; the plain one
    // by the program's shorter path.
    const std::vector<float> values = sample_floats();
    std::string direct;
    for (const float x : values) {
        direct.clear();
        append_f2b(direct, x, "(F16.6)");
        ASSERT_EQ(direct, fixed_by_rule(x, 16, 6)) << std::bit_cast<std::uint32_t>(x);
        ASSERT_EQ(direct, f2b(x, "( F16.6)")) << std::bit_cast<std::uint32_t>(x);
    }
    const std::array<std::pair<int, int>, 6> formats = {{{8, 3}, {12, 5}, {10, 1}, {12, 2}, {8, 1}, {0, 4}}};
    for (std::size_t i = 0; i < values.size(); i += 7) {
        const float x = values[i];
        for (const auto& [w, d] : formats) {
            const std::string format = "(F" + std::to_string(w) + "." + std::to_string(d) + ")";
            ASSERT_EQ(f2b(x, format), fixed_by_rule(x, w, d)) << format << " " << std::bit_cast<std::uint32_t>(x);
        }
    }
}

TEST(NumberText, RealTextExponentForm) {
    EXPECT_EQ(f2b_text(0.25f, "(1PE16.9)"), "2.5E-01");
    EXPECT_EQ(f2b_text(0.5f, "(1PE16.9)"), "5.E-01");   // the point stays
    EXPECT_EQ(f2b_text(0.0f, "(1PE16.9)"), "0");
    EXPECT_EQ(f2b_text(-0.0f, "(1PE16.9)"), "0");
    EXPECT_EQ(f2b_text(-1500.0f, "(1PE16.9)"), "-1.5E+03");
    EXPECT_EQ(f2b_text(1e-7f, "(1PE16.9)"), "1.000000012E-07");
    EXPECT_EQ(f2b(100.0f, "(1PE16.6)"), "1.E+02");
}

TEST(NumberText, HoursMinutesSeconds) {
    std::string buff;
    int lb = 0;
    t2b(1.5f, buff, lb);
    EXPECT_EQ(buff, "01:30:00");
    EXPECT_EQ(lb, 8);
    t2b(2.25f, buff, lb);
    EXPECT_EQ(buff, "02:15:00");
    t2b(0.0f, buff, lb);
    EXPECT_EQ(buff, "00:00:00");
    t2b(1.999f, buff, lb);
    EXPECT_EQ(buff, "01:59:56");
    t2b(100.0f, buff, lb);
    EXPECT_EQ(buff, "**:00:00");
    t2b(1e20f, buff, lb);  // no trap on a value beyond int
    EXPECT_EQ(buff.substr(0, 2), "**");
}

TEST(NumberText, LogicalsAndFlags) {
    std::string buff;
    int lb = 0;
    l2b(true, buff, lb);
    EXPECT_EQ(buff, "1");
    EXPECT_EQ(lb, 1);
    l2b(false, buff, lb);
    EXPECT_EQ(buff, "0");
    EXPECT_EQ(log2int(true), 1);
    EXPECT_EQ(log2int(false), 0);
    for (const char* yes : {"Y", "y", "1", "yes", "1 trailing"}) {
        EXPECT_TRUE(is_true(yes)) << yes;
    }
    for (const char* no : {"N", "0", "True", "T", " Y", ""}) {
        EXPECT_FALSE(is_true(no)) << no;
    }
}

TEST(NumberText, NumberTests) {
    EXPECT_TRUE(is_num("1.5E+3"));
    EXPECT_TRUE(is_num("-12"));
    EXPECT_TRUE(is_num("12  "));
    EXPECT_TRUE(is_num("e.-+"));   // any order
    EXPECT_FALSE(is_num("12 3"));
    EXPECT_FALSE(is_num(""));
    EXPECT_FALSE(is_num("   "));
    EXPECT_FALSE(is_num("1,5"));
    EXPECT_FALSE(is_num(" 1"));
    EXPECT_TRUE(is_uint("007"));
    EXPECT_FALSE(is_uint("-1"));
    EXPECT_FALSE(is_uint(" 7"));
    EXPECT_FALSE(is_uint(""));
    EXPECT_TRUE(is_uint("7 "));
}

TEST(NumberText, ReadingNumbers) {
    int v = 17;
    int ios = -5;
    str2int("abc", v, ios);
    EXPECT_NE(ios, 0);
    EXPECT_EQ(v, 17);
    str2int("12.5", v, ios);
    EXPECT_NE(ios, 0);
    EXPECT_EQ(v, 17);
    str2int("", v, ios);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(v, 17);
    str2int("    ", v, ios);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(v, 17);
    str2int(" 42 ", v, ios);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(v, 42);

    float x = 3.0f;
    str2flt("1,5", x, ios);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(x, 1.0f);
    str2flt("x1", x, ios);
    EXPECT_NE(ios, 0);
    EXPECT_EQ(x, 1.0f);
    str2flt("", x, ios);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(x, 1.0f);
    str2flt("-2.5e1", x, ios);
    EXPECT_EQ(x, -25.0f);
}

TEST(NumberText, IntegerToTextInAField) {
    std::string buff = "keep";
    int ios = -1;
    int2str(5, buff, ios, 10);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(buff, "5");
    int2str(INT_MIN, buff, ios, 11);
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(buff, "-2147483648");
    buff = "keep";
    int2str(1234567, buff, ios, 5);
    EXPECT_NE(ios, 0);
    EXPECT_EQ(buff, "keep");
}

TEST(NumberText, VersionText) {
    std::string text;
    int length = 0;
    numver_to_char(4400, text, length);
    EXPECT_EQ(text, "4.4.0.0");
    EXPECT_EQ(length, 7);
    numver_to_char(12345, text, length);
    EXPECT_EQ(text, "12.3.4.5");
    numver_to_char(4401, text, length);
    EXPECT_EQ(text, "4.4.0.1");
}

TEST(ShortcutText, CodesToText) {
    std::string buff;
    int lb = 0;
    k2b(10065, buff, lb);
    EXPECT_EQ(buff, "CTRL+\"A\"");
    EXPECT_EQ(lb, 8);
    k2b(0, buff, lb);
    EXPECT_EQ(buff, "0");
    EXPECT_EQ(lb, 1);
    k2b(30000, buff, lb);   // Ctrl+Shift with no key
    EXPECT_EQ(buff, "0");
    k2b(40000 - 59, buff, lb);  // Alt + scan code 59
    EXPECT_EQ(buff, "ALT+SCN59");
    k2b(10, buff, lb);
    EXPECT_EQ(buff, "ASC10");
    k2b(34, buff, lb);
    EXPECT_EQ(buff, "\"\"\"");
    k2b(150122, buff, lb);
    EXPECT_EQ(buff, "LONG+CTRL+SHFT+ALT+\"z\"");
    k2b(20233, buff, lb);
    EXPECT_EQ(buff, "SHFT+ASC233");
}

TEST(ShortcutText, TextBackToCodes) {
    std::string buff;
    int lb = 0;
    for (const int modifiers : {0, 1, 2, 3, 4, 5, 8, 9, 15}) {
        for (const int key : {65, 34, 126, 127, 10, 1, 255, 4999, -1, -59, -300, -4999}) {
            const int code = modifiers * 10000 + key;
            k2b(code, buff, lb);
            EXPECT_EQ(b2k(buff), code) << buff;
        }
    }
    EXPECT_EQ(b2k("CTRL+SCNabc"), 10000);  // an unreadable key counts as 0
    EXPECT_EQ(b2k(""), 0);
    EXPECT_EQ(b2k("65"), 65);
    EXPECT_EQ(b2k("ALT+2147483647"), 40000);  // beyond int: key 0
}

TEST(RandomText, OneDigitOrCapitalLetter) {
    std::set<char> seen;
    std::string ccc = "previous";
    for (int i = 0; i < 2000; ++i) {
        random_char(ccc);
        ASSERT_EQ(ccc.size(), 1u);
        const char c = ccc[0];
        ASSERT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) << c;
        seen.insert(c);
    }
    EXPECT_TRUE(seen.count('0') + seen.count('5') > 0);
    EXPECT_GT(seen.size(), 20u);
}
