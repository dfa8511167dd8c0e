#include "foundation/c_strings.h"

#include <gtest/gtest.h>

#include <array>

TEST(CStrings, NulTerminatedToField) {
    std::string out;
    int ls = 0;
    strcpy_c2f("hello", out, ls, 10);
    EXPECT_EQ(out, "hello");
    EXPECT_EQ(ls, 5);
    ls = 3;
    strcpy_c2f("hello", out, ls, 10);
    EXPECT_EQ(out, "hel");
    EXPECT_EQ(ls, 3);
    ls = 0;
    strcpy_c2f("hello", out, ls, 3);
    EXPECT_EQ(out, "hel");
    EXPECT_EQ(ls, 3);
    ls = 20;  // more than the field: held to it
    strcpy_c2f("hello world, long", out, ls, 10);
    EXPECT_EQ(out, "hello worl");
    EXPECT_EQ(ls, 10);
    ls = 0;
    strcpy_c2f("ab  ", out, ls, 10);
    EXPECT_EQ(out, "ab");
    EXPECT_EQ(ls, 4);
    ls = 0;
    strcpy_c2f(nullptr, out, ls, 10);
    EXPECT_EQ(out, "");
    EXPECT_EQ(ls, 0);

    const std::array<char, 4> unterminated{'a', 'b', 'c', 'd'};
    ls = 4;
    strcpy_c2f(unterminated.data(), out, ls, 256);
    EXPECT_EQ(out, "abcd");
}

TEST(CStrings, FieldToNulTerminated) {
    std::array<char, 10> out{};
    int ls = -1;
    strcpy_f2c("ab  ", out, ls);
    EXPECT_EQ(ls, 2);
    EXPECT_EQ(std::string(out.data()), "ab");
    std::array<char, 3> small{};
    strcpy_f2c("abcd", small, ls);
    EXPECT_EQ(ls, 2);
    EXPECT_EQ(std::string(small.data()), "ab");
    strcpy_f2c("abcd", std::span<char>(), ls);
    EXPECT_EQ(ls, 0);
}

TEST(CStrings, Substrings) {
    std::array<char, 16> sub{};
    substring("abcdef", sub, 2, 3);
    EXPECT_EQ(std::string(sub.data()), "cde");
    substring("abcdef", sub, 4, 5);
    EXPECT_EQ(std::string(sub.data()), "ef");
    substring("abcdef", sub, 9, 2);
    EXPECT_EQ(std::string(sub.data()), "");
    substring("abcdef", sub, -1, 3);
    EXPECT_EQ(std::string(sub.data()), "ab");
    substrpos("abcdef", sub, 1, 3);
    EXPECT_EQ(std::string(sub.data()), "bcd");
    substrpos("abcdef", sub, 3, 3);
    EXPECT_EQ(std::string(sub.data()), "d");
    substrpos("abcdef", sub, 3, 2);
    EXPECT_EQ(std::string(sub.data()), "");
    std::array<char, 3> small{};
    substring("abcdef", small, 0, 6);
    EXPECT_EQ(std::string(small.data()), "ab");
}
