#include "forms/kit/value_checks.h"

#include "form_kit_fixture.h"
#include "forms/kit/form_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using tarvex_test::FormKitTest;

// Box b of the model (1-based) given a type; the reader's bounds for integers.
void make_box(int b, int type) {
    frm000.nb_inpt = std::max(frm000.nb_inpt, b);
    frmi01.inpt_typ[b] = type;
    frmc01.inpt_txt[b] = "Box " + std::to_string(b);
    if (type == kTypeInt) {
        frmi03.inpt_min[b] = -1.0e9F;
        frmi03.inpt_max[b] = 1.0e9F;
    }
}

// One check of engine box n with a text; the status, the text and the message handed back.
struct Checked {
    int status;
    std::string text;
    std::string msg;
    int ival;
    float rval;
};
Checked check(int n, std::string text, int ival = 0, float rval = 0.0F, int kact = 1) {
    std::string msg = "stale";
    const int status = check_values(n, kact, ival, rval, text, msg);
    return {status, text, msg, ival, rval};
}

using ValueChecks = FormKitTest;

TEST_F(ValueChecks, IntegerBoxes) {
    make_box(1, kTypeInt);
    Checked c = check(0, "  0012");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.text, "12");
    EXPECT_EQ(c.msg, "");
    EXPECT_EQ(c.ival, 12);
    EXPECT_EQ(frmi03.inpt_ival[1], 12);
    EXPECT_EQ(frmi03.inpt_rval[1], 12.0F);
    EXPECT_EQ(frmi02.inpt_cval[1], "  0012");  // the model keeps the text as typed
    for (const char* refused : {"a", "1.5", "2147483648", "-99999999999", "12,5", "1 2"}) {
        c = check(0, refused);
        EXPECT_EQ(c.status, 0) << refused;
        EXPECT_EQ(c.msg, "Integer value required");
        EXPECT_EQ(c.text, refused);
    }
    EXPECT_EQ(frmi03.inpt_ival[1], 12);  // a refused value changes nothing
    c = check(0, "   ");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(frmi02.inpt_cval[1], "  0012");
    // An inactive box passes as it is, only its state is kept.
    c = check(0, "junk", 0, 0.0F, 0);
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.text, "junk");
    EXPECT_EQ(frmi01.inpt_act[1], 0);
    EXPECT_EQ(frmi02.inpt_cval[1], "  0012");
    // Outside the table.
    EXPECT_EQ(check(-1, "1").status, 0);
    EXPECT_EQ(check(kMaxInpt, "1").status, 0);
}

TEST_F(ValueChecks, RealBoxes) {
    make_box(2, kTypeFlt);
    EXPECT_EQ(check(1, "1234567").text, "1.234567E+06");
    EXPECT_EQ(check(1, "0.0005").text, "5.000000237E-04");  // the float nearest 0.0005
    EXPECT_EQ(check(1, "0.5").text, "0.5");
    const Checked c = check(1, "1000000");
    EXPECT_EQ(c.text, "1000000");
    EXPECT_EQ(c.rval, 1.0e6F);
    EXPECT_EQ(frmi03.inpt_ival[2], 1000000);
    EXPECT_EQ(check(1, "-2.5").ival, 0);  // ival is the integer box's output only
    EXPECT_EQ(frmi03.inpt_ival[2], -3);   // rounded half away from zero
    EXPECT_EQ(check(1, "3e20").status, 1);
    EXPECT_EQ(frmi03.inpt_ival[2], INT_MAX);  // held within an int
    // A pasted list of numbers or a number with a decimal comma is no value,
    // never its first number.
    for (const char* refused : {"nan", "inf", "-Infinity", "1e39", "x", "12,5", "12 5", "12/", "2*3"}) {
        const Checked r = check(1, refused);
        EXPECT_EQ(r.status, 0) << refused;
        EXPECT_EQ(r.msg, "Floating-point value required");
    }
    EXPECT_EQ(check(1, "  12.5  ").status, 1);
}

TEST_F(ValueChecks, OtherTypes) {
    make_box(1, kTypeChr);
    frmi03.inpt_ival[1] = 5;
    EXPECT_EQ(check(0, std::string(300, 'c')).text, std::string(kValueLength, 'c'));
    EXPECT_EQ(frmi02.inpt_cval[1], std::string(kValueLength, 'c'));
    EXPECT_EQ(frmi03.inpt_ival[1], 0);

    make_box(2, kTypeTck);
    EXPECT_EQ(check(1, "", 1).status, 1);
    EXPECT_EQ(frmi02.inpt_cval[2], "1");
    EXPECT_EQ(frmi03.inpt_rval[2], 1.0F);
    const Checked tick = check(1, "", 2);
    EXPECT_EQ(tick.status, 0);
    EXPECT_EQ(tick.msg, "Value must be 0/1");

    make_box(3, kTypeCol);
    EXPECT_EQ(check(2, "#FF8000").status, 1);
    EXPECT_EQ(frmi03.inpt_ival[3], 16744448);
    EXPECT_EQ(frmi03.inpt_rval[3], 16744448.0F);
    for (const char* refused : {"FF8000", "#GG0000", "#FF80", ""}) {
        EXPECT_EQ(check(2, refused).msg, "Format: #RRGGBB") << refused;
    }

    make_box(4, kTypeIfp);
    write("plan.fpl", "x");
    EXPECT_EQ(check(3, "plan.fpl").status, 1);
    EXPECT_EQ(frmi02.inpt_cval[4], "plan.fpl");
    EXPECT_EQ(check(3, "C:\\some\\folder\\").status, 1);
    EXPECT_EQ(frmi02.inpt_cval[4], "");
    EXPECT_EQ(check(3, "none.fpl").msg, "File does not exist");

    make_box(5, kTypeDdl);
    EXPECT_EQ(check(4, "first", 0).status, 1);
    EXPECT_EQ(frmi03.inpt_ival[5], 1);
    EXPECT_EQ(frmi02.inpt_cval[5], "first");

    make_box(6, kTypeKey);
    EXPECT_EQ(check(5, "CTRL+Enter", 9972, 3.0F).status, 1);  // Ctrl with scan code 28
    EXPECT_EQ(frmi03.inpt_ival[6], 9972);
    EXPECT_EQ(frmi03.inpt_rval[6], 3.0F);
    EXPECT_EQ(check(5, "ext", 300).ival, 172);  // keys above 255 lose 128
    EXPECT_EQ(frmi03.inpt_ival[6], 172);
    EXPECT_EQ(check(5, "far", 400).status, 1);  // no key: nothing stored
    EXPECT_EQ(frmi03.inpt_ival[6], 172);
    EXPECT_EQ(frmi02.inpt_cval[6], "ext");
}

TEST_F(ValueChecks, TheApplicationHasTheLastWord) {
    make_box(1, kTypeInt);
    make_box(2, kTypeChr);
    std::string seen;
    set_check_values_app([&seen](int n, const std::string& nam, int ival, float, const std::string& cval,
                                 std::string& msg) {
        seen = std::to_string(n) + " " + nam + " " + std::to_string(ival) + " " + cval;
        if (n == 2) {
            msg = "Enter a folder";
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(check(0, "7").status, 1);
    EXPECT_EQ(seen, "1 Box 1 7 7");
    const Checked c = check(1, "abc");
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.msg, "Enter a folder");
    EXPECT_EQ(seen, "2 Box 2 0 abc");
    seen.clear();
    EXPECT_EQ(check(0, "x").status, 0);  // a refused value never reaches it
    EXPECT_EQ(seen, "");
}

TEST_F(ValueChecks, Bounds) {
    make_box(1, kTypeInt);
    auto minmax = [](int n) {
        std::string msg = "stale";
        int ival = 0;
        float rval = 0.0F;
        std::string cval;
        const int status = check_minmax(n, ival, rval, cval, msg);
        return std::to_string(status) + ":" + msg;
    };
    frmi03.inpt_rval[1] = 2.0e9F;
    EXPECT_EQ(minmax(0), "0:Value must be in [-1000000000,1000000000]");
    frmi03.inpt_min[1] = -2.0e25F;
    frmi03.inpt_max[1] = 100.0F;
    frmi03.inpt_rval[1] = 150.0F;
    EXPECT_EQ(minmax(0), "0:Value must be <= 100");
    frmi03.inpt_min[1] = 0.0F;
    frmi03.inpt_max[1] = 2.0e25F;
    frmi03.inpt_rval[1] = -1.0F;
    EXPECT_EQ(minmax(0), "0:Value must be >= 0");
    frmi03.inpt_max[1] = 100.0F;
    frmi03.inpt_rval[1] = 150.0F;
    EXPECT_EQ(minmax(0), "0:Value must be in [0,100]");
    frmi03.inpt_rval[1] = 100.0F;
    EXPECT_EQ(minmax(0), "1:");

    make_box(2, kTypeFlt);
    frmi03.inpt_min[2] = 0.5F;
    frmi03.inpt_max[2] = 2.25F;
    frmi03.inpt_rval[2] = 3.0F;
    EXPECT_EQ(minmax(1), "0:Value must be in [0.5,2.25]");
    frmi03.inpt_min[2] = 5.0F;  // inverted bounds bound nothing
    EXPECT_EQ(minmax(1), "1:");

    make_box(3, kTypeChr);
    frmi03.inpt_max[3] = -5.0F;
    EXPECT_EQ(minmax(2), "1:");

}

TEST(Steps, GetIncr) {
    EXPECT_FLOAT_EQ(get_incr(100.0F), 5.0F);
    EXPECT_FLOAT_EQ(get_incr(1000.0F), 50.0F);
    EXPECT_FLOAT_EQ(get_incr(1.0F), 0.05F);
    EXPECT_FLOAT_EQ(get_incr(200.0F), 10.0F);
    EXPECT_FLOAT_EQ(get_incr(-100.0F), 5.0F);
    EXPECT_FLOAT_EQ(get_incr(0.0F), 1.0F);
    EXPECT_GE(get_incr(1.0e-45F), 0.0F);  // the smallest float and the largest take no trap
    EXPECT_FLOAT_EQ(get_incr(3.0e38F), 1.0e37F);
}

using Increments = FormKitTest;

TEST_F(Increments, IntegerAndRealBoxes) {
    make_box(1, kTypeInt);
    auto step = [](int n, std::string text, int incr) {
        int ival = -7;
        float rval = -7.0F;
        const int status = incrm_val(n, ival, rval, text, incr);
        return std::to_string(status) + ":" + text;
    };
    frmi03.inpt_ival[1] = 20;
    EXPECT_EQ(step(0, "20", 1), "1:21");
    frmi03.inpt_ival[1] = 100;
    EXPECT_EQ(step(0, "100", 1), "1:105");
    EXPECT_EQ(frmi03.inpt_ival[1], 105);
    EXPECT_EQ(frmi02.inpt_cval[1], "105");
    frmi03.inpt_max[1] = 107.0F;
    EXPECT_EQ(step(0, "105", 1), "1:107");
    EXPECT_EQ(step(0, "zz", 1), "0:zz");
    // Sums beyond an int are held, not overflowed.
    frmi03.inpt_min[1] = -2.0e25F;
    frmi03.inpt_max[1] = 2.0e25F;
    frmi03.inpt_ival[1] = INT_MAX;
    EXPECT_EQ(step(0, "2147483647", 3), "1:2147483647");

    make_box(2, kTypeFlt);
    frmi03.inpt_min[2] = 0.0F;
    frmi03.inpt_max[2] = 10.0F;
    EXPECT_EQ(step(1, "0", 1), "1:0.2");  // step of half the range
    EXPECT_EQ(frmi03.inpt_rval[2], 0.2F);
    EXPECT_EQ(step(1, "0.2", -1), "1:0.19");  // the step follows the stored value
    EXPECT_EQ(step(1, "0.005", -1), "1:0");   // held at the lower bound
    frmi03.inpt_rval[2] = 100.0F;
    EXPECT_EQ(step(1, "9", 1), "1:10");
    EXPECT_EQ(step(1, "nan", 1), "0:nan");
    // Wide bounds: the half range is computed without overflow.
    frmi03.inpt_min[2] = -3.0e38F;
    frmi03.inpt_max[2] = 3.0e38F;
    frmi03.inpt_rval[2] = 0.0F;
    EXPECT_EQ(step(1, "3e38", 1), "1:3.000000005E+38");

    make_box(3, kTypeChr);
    EXPECT_EQ(step(2, "12", 1), "0:12");
}

TEST(KeyNumbers, AfterTheUnderscore) {
    int largest = 3;
    EXPECT_EQ(get_key_num("box_12", largest), 12);
    EXPECT_EQ(largest, 12);
    EXPECT_EQ(get_key_num("box_5", largest), 5);
    EXPECT_EQ(largest, 12);
    EXPECT_EQ(get_key_num("box_x", largest), 0);
    EXPECT_EQ(get_key_num("7", largest), 7);
}

}  // namespace
