#include "cpw/counted_string.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace cstr;

namespace {

// Owns a counted string for the length of a test.
struct Owned {
    StringContext* s = nullptr;
    explicit Owned(StringContext* p = nullptr) : s(p) {}
    ~Owned() { freeStr(&s); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    std::string text() const { return s == nullptr ? "<null>" : std::string(s->str == nullptr ? "" : s->str, s->len); }
};

bool is_empty_record(const StringContext* s) {
    return s != nullptr && s->str == nullptr && s->len == 0;
}

TEST(CountedString, CreationAndCopies) {
    Owned a(crtStr());
    EXPECT_TRUE(is_empty_record(a.s));
    Owned z(crtStrLen(3));
    ASSERT_EQ(len(z.s), 3);
    EXPECT_EQ(z.s->str[0], '\0');
    EXPECT_EQ(z.s->str[3], '\0');
    EXPECT_TRUE(is_empty_record(Owned(crtStrLen(0)).s));
    EXPECT_TRUE(is_empty_record(Owned(crtStrLen(-2)).s));

    Owned b(cpyString("abc"));
    EXPECT_EQ(b.text(), "abc");
    EXPECT_EQ(len(b.s), 3);
    EXPECT_EQ(strLen(b.s), 3);
    EXPECT_TRUE(is_empty_record(Owned(cpyString(nullptr)).s));
    EXPECT_TRUE(is_empty_record(Owned(cpyString("")).s));
    EXPECT_EQ(Owned(strCpy(b.s)).text(), "abc");
    EXPECT_TRUE(is_empty_record(Owned(strCpy(nullptr)).s));
    EXPECT_EQ(Owned(cpyStrLen(b.s, 2)).text(), "ab");
    EXPECT_EQ(Owned(cpyStrLen(b.s, 9)).text(), "abc");
    EXPECT_TRUE(is_empty_record(Owned(cpyStrLen(b.s, 0)).s));
    EXPECT_EQ(Owned(cpyStringLen("a\0b", 3)).s->len, 3u);
    EXPECT_TRUE(is_empty_record(Owned(cpyStringLen("ab", 0)).s));

    EXPECT_EQ(str(nullptr), nullptr);
    EXPECT_EQ(len(nullptr), 0);
    StringContext* p = b.s;
    EXPECT_EQ(getString(&p), b.s);
    EXPECT_EQ(getString(nullptr), nullptr);
}

TEST(CountedString, SetFromItselfAndFree) {
    Owned s(cpyString("hello"));
    setString(&s.s, s.s->str + 1);  // a text inside the string itself
    EXPECT_EQ(s.text(), "ello");
    setStr(&s.s, s.s);
    EXPECT_EQ(s.text(), "ello");
    EXPECT_EQ(setString(nullptr, "x"), nullptr);
    setStr(nullptr, s.s);

    strClr(s.s);
    EXPECT_TRUE(is_empty_record(s.s));
    strClr(nullptr);
    freeStr(&s.s);
    EXPECT_EQ(s.s, nullptr);
    freeStr(&s.s);
    freeStr(nullptr);
}

TEST(CountedString, Characters) {
    Owned s(cpyString("abc"));
    EXPECT_EQ(getChar(s.s, 0), 'a');
    EXPECT_EQ(getChar(s.s, 3), 0);  // the NUL
    EXPECT_EQ(getChar(s.s, 4), 0);
    EXPECT_EQ(getChar(s.s, -1), 0);
    EXPECT_EQ(getChar(nullptr, 0), 0);
    EXPECT_EQ(setChar(s.s, 2, 'Z'), 1);
    EXPECT_EQ(setChar(s.s, 3, 'Q'), 0);
    EXPECT_EQ(s.text(), "abZ");
    EXPECT_EQ(delChar(&s.s, 1), 1);
    EXPECT_EQ(s.text(), "aZ");
    EXPECT_EQ(delChar(&s.s, 2), 0);
    EXPECT_EQ(delChar(&s.s, 1), 1);
    EXPECT_EQ(delChar(&s.s, 0), 1);
    EXPECT_TRUE(is_empty_record(s.s));
    EXPECT_EQ(delChar(&s.s, 0), 0);

    Owned d(cpyString("xy"));
    EXPECT_EQ(dropChar(&d.s), 1);
    EXPECT_EQ(d.text(), "x");
    EXPECT_EQ(dropChar(&d.s), 1);
    EXPECT_TRUE(is_empty_record(d.s));
    EXPECT_EQ(dropChar(&d.s), 1);  // an empty string stays as it is
    EXPECT_TRUE(is_empty_record(d.s));
    EXPECT_EQ(dropChar(nullptr), 0);
}

TEST(CountedString, SubStrings) {
    Owned s(cpyString("abcdef"));
    EXPECT_EQ(Owned(subStr(s.s, 0, 3)).text(), "abc");
    EXPECT_EQ(Owned(subStr(s.s, 0, -1)).text(), "abcdef");
    EXPECT_EQ(Owned(subStr(s.s, 2, 4)).text(), "cd");
    EXPECT_EQ(Owned(subStr(s.s, 4, 2)).text(), "");
    EXPECT_EQ(Owned(subStr(s.s, 7, -1)).text(), "");
    EXPECT_EQ(Owned(subStr(nullptr, 0, -1)).text(), "");
    EXPECT_EQ(Owned(subStrShort(s.s, 4)).text(), "ef");
    EXPECT_EQ(Owned(subStrShort(s.s, 6)).text(), "");
    EXPECT_EQ(Owned(subStrLen(s.s, 4, 9)).text(), "ef");
    EXPECT_EQ(Owned(subStrLen(s.s, 1, 2)).text(), "bc");
    EXPECT_EQ(Owned(subStrLen(s.s, 9, 1)).text(), "");
}

TEST(CountedString, Tokens) {
    Owned s(cpyString("GL_a GL_b"));
    Owned t1(strToken(&s.s, " "));
    EXPECT_EQ(t1.text(), "GL_a");
    EXPECT_EQ(s.text(), "GL_b");
    Owned t2(strToken(&s.s, " "));  // no separator: the whole string, and the string is freed
    EXPECT_EQ(t2.text(), "GL_b");
    EXPECT_EQ(s.s, nullptr);
    EXPECT_EQ(strToken(&s.s, " "), nullptr);

    Owned lead(cpyString(",x,y"));
    Owned whole(strToken(&lead.s, ","));  // separator at position 0
    EXPECT_EQ(whole.text(), ",x,y");
    EXPECT_EQ(lead.s, nullptr);

    Owned multi(cpyString("a, b, c"));
    Owned first(strToken(&multi.s, ", "));
    EXPECT_EQ(first.text(), "a");
    EXPECT_EQ(multi.text(), "b, c");  // the whole separator is passed over

    Owned last(cpyString("a;"));
    Owned a(strToken(&last.s, ";"));
    EXPECT_EQ(a.text(), "a");
    EXPECT_TRUE(is_empty_record(last.s));
    EXPECT_EQ(strToken(&last.s, ";"), nullptr);
    EXPECT_EQ(strToken(nullptr, ";"), nullptr);
    Owned x(cpyString("x"));
    EXPECT_EQ(strToken(&x.s, nullptr), nullptr);
}

TEST(CountedString, Appending) {
    Owned e(crtStr());
    EXPECT_EQ(concatString(&e.s, ""), 1);
    EXPECT_TRUE(is_empty_record(e.s));

    Owned s;
    EXPECT_EQ(concatString(&s.s, "ab"), 1);  // a null string is created
    EXPECT_EQ(concatString(&s.s, "cd"), 1);
    EXPECT_EQ(s.text(), "abcd");
    EXPECT_EQ(concatString(&s.s, s.s->str), 1);  // its own text
    EXPECT_EQ(s.text(), "abcdabcd");
    EXPECT_EQ(concatString(&s.s, nullptr), 0);
    EXPECT_EQ(concatString(nullptr, "x"), 0);

    Owned t(cpyString("12"));
    EXPECT_EQ(concatStr(&t.s, t.s), 1);
    EXPECT_EQ(t.text(), "1212");
    Owned empty(crtStr());
    EXPECT_EQ(concatStr(&t.s, empty.s), 1);
    EXPECT_EQ(t.text(), "1212");
    EXPECT_EQ(concatStr(&t.s, nullptr), 0);
    Owned fresh;
    EXPECT_EQ(concatStr(&fresh.s, empty.s), 1);
    EXPECT_TRUE(is_empty_record(fresh.s));

    Owned c(cpyString("ab"));
    EXPECT_EQ(concatChar(&c.s, 'c'), 1);
    EXPECT_EQ(c.text(), "abc");
    EXPECT_EQ(concatChar(&c.s, '\0'), 1);  // no NUL inside a string
    EXPECT_EQ(c.text(), "abc");

    Owned l(cpyString("ab"));  // appending keeps what was there
    EXPECT_EQ(concatStringLen(&l.s, "cd"), 1);
    EXPECT_EQ(l.text(), "abcd");
    EXPECT_EQ(concatStringLen(&l.s, l.s->str), 1);
    EXPECT_EQ(l.text(), "abcdabcd");
    Owned n;
    EXPECT_EQ(concatStringLen(&n.s, "x"), 1);
    EXPECT_EQ(n.text(), "x");
    EXPECT_EQ(concatStringLen(&n.s, nullptr), 0);

    Owned m(cpyString("a"));
    EXPECT_EQ(concatStrings(&m.s, "b", "c", "", "d"), 1);  // stops at the empty text
    EXPECT_EQ(m.text(), "abc");
    EXPECT_EQ(concatStrings(&m.s, "x", nullptr, "y"), 1);
    EXPECT_EQ(m.text(), "abcx");
    EXPECT_EQ(concatStrings(&m.s, nullptr, "y"), 0);
    EXPECT_EQ(concatStrings(nullptr, "y"), 0);
}

TEST(CountedString, SizeStr) {
    Owned s(cpyString("abc"));
    EXPECT_EQ(sizeStr(&s.s, 5), 5);
    ASSERT_EQ(len(s.s), 5);
    EXPECT_EQ(s.s->str[0], '\0');
    EXPECT_EQ(sizeStr(&s.s, 0), 0);
    EXPECT_EQ(len(s.s), 5);
    Owned n;
    EXPECT_EQ(sizeStr(&n.s, 2), 2);
    EXPECT_EQ(len(n.s), 2);
    EXPECT_EQ(sizeStr(nullptr, 2), 0);
}

TEST(CountedString, Comparisons) {
    Owned ab(cpyString("ab"));
    Owned abc(cpyString("abc"));
    Owned AB(cpyString("AB"));
    Owned empty(crtStr());
    EXPECT_EQ(compareStrCs(ab.s, ab.s), 0);
    EXPECT_EQ(compareStrCs(ab.s, abc.s), 0);  // over the first string's length
    EXPECT_GT(compareStrCs(abc.s, ab.s), 0);  // stops at the shorter text's NUL
    EXPECT_NE(compareStrCs(ab.s, AB.s), 0);
    EXPECT_EQ(compareStrNc(ab.s, AB.s), 0);
    EXPECT_EQ(compareStrCs(nullptr, nullptr), 0);
    EXPECT_EQ(compareStrCs(ab.s, nullptr), -1);
    EXPECT_EQ(compareStrCs(nullptr, ab.s), -1);
    EXPECT_EQ(compareStrCs(empty.s, empty.s), 0);  // both texts null
    EXPECT_EQ(compareStrCs(empty.s, ab.s), -1);
    EXPECT_EQ(compareStrLenCs(abc.s, ab.s, 2), 0);
    EXPECT_GT(compareStrLenCs(abc.s, ab.s, 100), 0);
    EXPECT_EQ(compareStrLenNc(AB.s, abc.s, 2), 0);
    EXPECT_EQ(compareStringLenCs(abc.s, "abx", 2), 0);
    EXPECT_LT(compareStringLenCs(abc.s, "abx", 3), 0);
    EXPECT_EQ(compareStringLenCs(abc.s, "a", 50), 'b');
    EXPECT_EQ(compareStringNc(AB.s, "abZZ"), 0);
    EXPECT_EQ(compareStringLenNc(AB.s, "Ax", 1), 0);
    EXPECT_EQ(compareStringNc(nullptr, nullptr), 0);
    EXPECT_EQ(compareStringNc(empty.s, nullptr), 0);
    EXPECT_EQ(compareStringNc(ab.s, nullptr), -1);
}

TEST(CountedString, ReplaceAndContains) {
    Owned s(cpyString("cabcab"));
    EXPECT_EQ(replaceString(&s.s, "ab", "X"), 1);
    EXPECT_EQ(s.text(), "cXcX");
    EXPECT_EQ(replaceString(&s.s, "X", "X"), -1);
    EXPECT_EQ(replaceString(&s.s, nullptr, "X"), -1);
    EXPECT_EQ(replaceString(&s.s, "X", nullptr), -1);
    EXPECT_EQ(replaceString(&s.s, "toolong", "y"), 1);
    EXPECT_EQ(s.text(), "cXcX");
    EXPECT_EQ(replaceString(&s.s, "cXcX", ""), 1);
    EXPECT_TRUE(is_empty_record(s.s));
    EXPECT_EQ(replaceString(&s.s, "a", "b"), 0);
    EXPECT_EQ(replaceString(nullptr, "a", "b"), 0);

    Owned h(cpyString("hello"));
    Owned ll(cpyString("ll"));
    Owned he(cpyString("he"));
    Owned empty(crtStr());
    EXPECT_EQ(containsStr(h.s, ll.s), 2);
    EXPECT_EQ(containsStr(h.s, he.s), 0);
    EXPECT_EQ(containsStr(ll.s, h.s), -1);
    EXPECT_EQ(containsStr(h.s, empty.s), 0);
    EXPECT_EQ(containsStr(nullptr, h.s), 0);
    EXPECT_EQ(containsString(h.s, "lo"), 3);
    EXPECT_EQ(containsString(h.s, "x"), -1);
    EXPECT_EQ(containsString(empty.s, "x"), 0);
    EXPECT_EQ(containsString(h.s, nullptr), 0);
}

TEST(CountedString, Numbers) {
    EXPECT_EQ(strToInt32(Owned(cpyString(" -42x")).s), -42);
    EXPECT_EQ(strToInt32(Owned(cpyString("99999999999")).s), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(strToInt32(Owned(cpyString("-99999999999")).s), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(strToInt32(Owned(cpyString("abc")).s), 0);
    EXPECT_EQ(strToInt32(nullptr), 0);
    EXPECT_DOUBLE_EQ(strToFloat64(Owned(cpyString("2.5e3")).s), 2500.0);
    EXPECT_DOUBLE_EQ(strToFloat64(nullptr), 0.0);
    // Out of range and not-a-number texts, under the floating-point traps.
    EXPECT_DOUBLE_EQ(strToFloat64(Owned(cpyString("1e999")).s), std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(strToFloat64(Owned(cpyString("-1e999")).s), -std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(strToFloat64(Owned(cpyString("nan")).s), 0.0);
    EXPECT_DOUBLE_EQ(strToFloat64(Owned(cpyString("1e-999")).s), 0.0);

    EXPECT_EQ(Owned(int32ToStr(-17)).text(), "-17");
    EXPECT_EQ(Owned(int32ToStr(std::numeric_limits<std::int32_t>::min())).text(), "-2147483648");
    EXPECT_EQ(Owned(float64ToStr(0.1)).text(), "0.1");
    EXPECT_EQ(Owned(float64ToStr(-2.5)).text(), "-2.5");
    Owned round(float64ToStr(1.0 / 3.0));
    EXPECT_EQ(strToFloat64(round.s), 1.0 / 3.0);
}

}  // namespace
