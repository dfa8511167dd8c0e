// Key codes and their names, and the text-editing operations.
#include "forms/kit/engine_edit.h"
#include "forms/kit/engine_keys.h"

#include <gtest/gtest.h>

namespace {

std::string name_of(int code, int* length = nullptr) {
    std::string text = "left over";
    const int n = get_key_name(code, text);
    if (length != nullptr) {
        *length = n;
    }
    return text;
}

TEST(KeyNames, PrefixesInTheirOrderThenTheKey) {
    EXPECT_EQ(name_of(65), "A");
    EXPECT_EQ(name_of(10000 + 65), "CTRL+A");
    EXPECT_EQ(name_of(30000 + 65), "CTRL+SHFT+A");
    EXPECT_EQ(name_of(40000 + 65), "ALT+A");
    EXPECT_EQ(name_of(150000 + 65), "LONG+CTRL+SHFT+ALT+A");
    int length = 0;
    EXPECT_EQ(name_of(90000 - 63, &length), "LONG+CTRL+F5");
    EXPECT_EQ(length, 2);
    EXPECT_EQ(name_of(-(256 + 29)), "Right Ctrl");
    EXPECT_EQ(name_of(10000 - 200, &length), "CTRL+");  // a scan code without a name
    EXPECT_EQ(length, 0);
}

TEST(KeyNames, DecodingRestoresANegativeKeyUnderFlags) {
    EXPECT_EQ(decode_key(9972).flags, 1);
    EXPECT_EQ(decode_key(9972).key, -28);
    EXPECT_EQ(decode_key(89937).flags, 9);
    EXPECT_EQ(decode_key(89937).key, -63);
    EXPECT_EQ(decode_key(-63).flags, 0);
    EXPECT_EQ(decode_key(-63).key, -63);
    EXPECT_EQ(decode_key(20065).key, 65);
    EXPECT_TRUE(is_key_mod(42, 160));
    EXPECT_TRUE(is_key_mod(56, 164));
    EXPECT_FALSE(is_key_mod(56, 165));  // AltGr
    EXPECT_FALSE(is_key_mod(30, 65));
}

TEST(TextEditing, InsertAndDeleteAroundTheCaretAndTheSelection) {
    std::string text = "abcdef";
    int offset = 2, start = 1, end = 3;  // "de" selected
    InsertChar(text, 'X', offset, start, end);
    EXPECT_EQ(text, "abcXf");
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 2);
    DeleteChar(text, offset, start, end);  // the character before the caret
    EXPECT_EQ(text, "abcf");
    EXPECT_EQ(start, 1);
    start = end = 0;  // at the first shown character: the text scrolls back
    DeleteChar(text, offset, start, end);
    EXPECT_EQ(text, "acf");
    EXPECT_EQ(offset, 1);
    EXPECT_EQ(start, 0);
    offset = 0;
    DeleteChar(text, offset, start, end);  // at the very start: nothing
    EXPECT_EQ(text, "acf");
    start = 1;
    end = 40;  // a selection beyond the text is held to it
    DeleteChar(text, offset, start, end);
    EXPECT_EQ(text, "a");
    start = end = 9;
    InsertChar(text, 'z', offset, start, end);
    EXPECT_EQ(text, "az");
    EXPECT_EQ(start, 2);
}

}  // namespace
