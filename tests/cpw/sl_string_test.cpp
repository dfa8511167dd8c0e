#include "cpw/sl_string.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Takes ownership of an sl text and gives it back as a std::string ("<null>" for null).
std::string take(char* text) {
    const std::unique_ptr<char, decltype(&slFree)> owned(text, slFree);
    return text == nullptr ? "<null>" : std::string(text);
}

TEST(SlString, LengthCopyAndSizes) {
    EXPECT_EQ(slLength("abc"), 3);
    EXPECT_EQ(slLength(""), 0);
    EXPECT_EQ(slLength(nullptr), 0);
    EXPECT_EQ(take(slCopy("x\xE9y")), "x\xE9y");
    EXPECT_EQ(take(slCopy(nullptr)), "");
    EXPECT_EQ(take(slStringFromBuffer("abcdef", 3)), "abc");
    EXPECT_EQ(take(slStringFromBuffer(nullptr, 3)), "");
    EXPECT_EQ(take(slSizeTo("abc", 5)), "abc  ");
    EXPECT_EQ(take(slSizeTo("abcdef", 2)), "ab");
    EXPECT_EQ(take(slSizeTo(nullptr, 2)), "  ");
    EXPECT_EQ(take(slSizeTo("abc", -1)), "");

    char* blank = slStringOfSize(4);
    EXPECT_EQ(slLength(blank), 0);
    EXPECT_EQ(blank[4], '\0');
    slFree(blank);
    slFree(nullptr);
}

TEST(SlString, InPlaceEdits) {
    char* t = slCopy("abcd");
    EXPECT_EQ(slDropLastChar(t), 3);
    EXPECT_STREQ(t, "abc");
    EXPECT_EQ(slDropCharAt(t, 1), 1);
    EXPECT_STREQ(t, "ac");
    EXPECT_EQ(slDropCharAt(t, 2), 0);  // the NUL is not a character
    EXPECT_STREQ(t, "ac");
    EXPECT_EQ(slDropCharAt(t, -1), 1);
    EXPECT_STREQ(t, "a");
    EXPECT_EQ(slSetCharAt(t, 0, 'z'), 1);
    EXPECT_EQ(slSetCharAt(t, 1, 'q'), 0);  // would overwrite the NUL
    EXPECT_EQ(slSetCharAt(t, 9, 'q'), 0);
    EXPECT_STREQ(t, "z");
    EXPECT_EQ(slClear(t), 1);
    EXPECT_STREQ(t, "");
    EXPECT_EQ(slDropLastChar(t), -1);
    EXPECT_EQ(slDropCharAt(t, 0), 0);
    slFree(t);
    EXPECT_EQ(slDropLastChar(nullptr), -1);
}

TEST(SlString, PositionWrapping) {
    EXPECT_EQ(slWrapPos("abc", -1), 2);
    EXPECT_EQ(slWrapPos("abc", 7), 3);
    EXPECT_EQ(slWrapPos("abc", 1), 1);
    EXPECT_EQ(slWrapPos("abc", -3), 0);
    EXPECT_EQ(slWrapPos("abc", -9), 0);  // never before the start
    EXPECT_EQ(slCharAt("abc", -1), 'c');
    EXPECT_EQ(slCharAt("abc", 3), 0);
    EXPECT_EQ(slCharAt("abc", 4), 0);
    EXPECT_EQ(slCharAt("\xE9", 0), 0xE9);  // bytes are unsigned
    EXPECT_EQ(slCharAt(nullptr, 0), 0);
}

TEST(SlString, SubStringAndInsert) {
    EXPECT_EQ(take(slSubString("hello", 2, 1)), "");
    EXPECT_EQ(take(slSubString("hello", 0, -1)), "hello");
    EXPECT_EQ(take(slSubString("hello", 1, 3)), "ell");
    EXPECT_EQ(take(slSubString("hello", -2, 99)), "lo");
    EXPECT_EQ(take(slSubString("hello", 5, 9)), "");
    EXPECT_EQ(take(slSubString("", 0, -1)), "");
    EXPECT_EQ(take(slInsert("held", "l", 3)), "helld");
    EXPECT_EQ(take(slInsert("ab", "X", 2)), "abX");
    EXPECT_EQ(take(slInsert("ab", "X", 0)), "Xab");
    EXPECT_EQ(take(slInsert("ab", "X", -1)), "aXb");
    EXPECT_EQ(take(slInsert(nullptr, "X", 0)), "X");
}

TEST(SlString, AppendCaseAndEquality) {
    EXPECT_EQ(take(slAppend("ab", "cd")), "abcd");
    EXPECT_EQ(take(slAppend(nullptr, "cd")), "cd");
    EXPECT_EQ(take(slAppendAndFree(slCopy("ab"), "c")), "abc");
    char* self = slCopy("ab");
    EXPECT_EQ(take(slAppendAndFree(self, self)), "abab");  // appending a text to itself
    EXPECT_EQ(take(slLower("AbC\xC9")), "abc\xC9");  // only A-Z fold
    EXPECT_EQ(take(slUpper("aBc\xE9")), "ABC\xE9");
    EXPECT_EQ(slEquals("", ""), 1);
    EXPECT_EQ(slEquals("ab", "ab"), 1);
    EXPECT_EQ(slEquals("ab", "abc"), 0);
    EXPECT_EQ(slEquals("ab", nullptr), 0);
    EXPECT_EQ(slEqualsAnyCase("", ""), 0);
    EXPECT_EQ(slEqualsAnyCase("aB", "Ab"), 1);
    EXPECT_EQ(slEqualsAnyCase("ab", "abc"), 0);
    EXPECT_EQ(slEqualsAnyCase(nullptr, "a"), 0);
}

TEST(SlString, Searches) {
    EXPECT_EQ(slFind("cabcab", "ab"), 1);
    EXPECT_EQ(slFindFrom("cabcab", "ab", 2), 4);
    EXPECT_EQ(slFindFrom("cabcab", "ab", -2), 4);
    EXPECT_EQ(slFindFrom("cabcab", "ab", 5), -1);
    EXPECT_EQ(slFind("ab", "abc"), -1);  // longer than the text
    EXPECT_EQ(slFind("ab", ""), -1);
    EXPECT_EQ(slFind(nullptr, "a"), -1);
    EXPECT_EQ(slFind("a", nullptr), -1);
    EXPECT_EQ(slContains("cabcab", "bc"), 1);
    EXPECT_EQ(slContains("cabcab", "x"), 0);
    EXPECT_EQ(slCount("aaaa", "aa"), 2);  // no overlaps
    EXPECT_EQ(slCount("cabcab", "ab"), 2);
    EXPECT_EQ(slCount("ab", ""), 0);
    EXPECT_EQ(slCount(nullptr, "a"), 0);
    EXPECT_EQ(slFindAnyCase("xABc", "bC"), 2);
    EXPECT_EQ(slFindAnyCaseFrom("aXax", "AX", 1), 2);
    EXPECT_EQ(slContainsAnyCase("Hello", "LLO"), 1);
}

TEST(SlString, BackwardSearch) {
    EXPECT_EQ(slRFindFrom("cabcab", "ab", -1), 4);
    EXPECT_EQ(slRFindFrom("cabcab", "ab", 3), 1);
    EXPECT_EQ(slRFindFrom("abcabc", "ab", 1), 0);  // a match at the start counts
    EXPECT_EQ(slRFindFrom("abc", "bc", 99), 1);    // never past the end
    EXPECT_EQ(slRFindFrom("abc", "x", 2), -1);
    EXPECT_EQ(slRFindFrom("abc", "", 2), -1);
    EXPECT_EQ(slRFindFrom("ab", "abc", 2), -1);
    EXPECT_EQ(slRFindFrom(nullptr, "a", 0), -1);
}

TEST(SlString, Replace) {
    EXPECT_EQ(take(slReplace("cabcab", "ab", "X")), "cXcX");
    EXPECT_EQ(take(slReplace("aaa", "a", "aa")), "aaaaaa");  // the replacement is never searched
    EXPECT_EQ(take(slReplace("aaaa", "aa", "b")), "bb");
    EXPECT_EQ(take(slReplace("abc", "x", "y")), "abc");
    EXPECT_EQ(take(slReplace("abc", "abc", "")), "");
    EXPECT_EQ(take(slReplace("abc", "", "y")), "<null>");
    EXPECT_EQ(take(slReplace("ab", "abc", "y")), "<null>");
    EXPECT_EQ(take(slReplace(nullptr, "a", "y")), "<null>");
    EXPECT_EQ(take(slReplace("abc", "a", nullptr)), "<null>");
}

}  // namespace
