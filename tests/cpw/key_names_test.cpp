#include "cpw/key_names.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyNames, ScanCodesHaveWindowsStyleNames) {
    EXPECT_EQ(cpw_keyname(0x01), "Esc");
    EXPECT_EQ(cpw_keyname(0x0E), "Backspace");
    EXPECT_EQ(cpw_keyname(0x1C), "Enter");
    EXPECT_EQ(cpw_keyname(0x1D), "Ctrl");
    EXPECT_EQ(cpw_keyname(0x2A), "Shift");
    EXPECT_EQ(cpw_keyname(0x36), "Right Shift");
    EXPECT_EQ(cpw_keyname(0x38), "Alt");
    EXPECT_EQ(cpw_keyname(0x39), "Space");
    EXPECT_EQ(cpw_keyname(0x3F), "F5");  // 63
    EXPECT_EQ(cpw_keyname(0x44), "F10");
    EXPECT_EQ(cpw_keyname(0x57), "F11");
    EXPECT_EQ(cpw_keyname(0x58), "F12");
    EXPECT_EQ(cpw_keyname(0x52), "Num 0");
    EXPECT_EQ(cpw_keyname(0x47), "Num 7");
    EXPECT_EQ(cpw_keyname(0x37), "Num *");
    EXPECT_EQ(cpw_keyname(0x02), "1");
    EXPECT_EQ(cpw_keyname(0x0B), "0");
    EXPECT_EQ(cpw_keyname(0x1E), "A");
    EXPECT_EQ(cpw_keyname(0x2C), "Z");
    EXPECT_EQ(cpw_keyname(0x2B), "\\");
    EXPECT_EQ(cpw_keyname(0x45), "Pause");
    // Extended keys carry 256.
    EXPECT_EQ(cpw_keyname(256 + 0x1C), "Num Enter");
    EXPECT_EQ(cpw_keyname(256 + 0x1D), "Right Ctrl");
    EXPECT_EQ(cpw_keyname(256 + 0x38), "Right Alt");
    EXPECT_EQ(cpw_keyname(256 + 0x45), "Num Lock");
    EXPECT_EQ(cpw_keyname(256 + 0x49), "Page Up");
    EXPECT_EQ(cpw_keyname(256 + 0x51), "Page Down");
    EXPECT_EQ(cpw_keyname(256 + 0x48), "Up");
    EXPECT_EQ(cpw_keyname(256 + 0x53), "Delete");
    EXPECT_EQ(cpw_keyname(256 + 0x5B), "Left Windows");
}

TEST(KeyNames, UnknownScanCodesHaveNone) {
    EXPECT_EQ(cpw_keyname(0), "");
    EXPECT_EQ(cpw_keyname(0x55), "");
    EXPECT_EQ(cpw_keyname(0x7F), "");
    EXPECT_EQ(cpw_keyname(256 + 0x1E), "");  // no extended A
    EXPECT_EQ(cpw_keyname(-63), "");
    EXPECT_EQ(cpw_keyname(100000), "");
    // No name is longer than the 31 characters the forms keep.
    for (int scan = 0; scan < 512; ++scan) {
        EXPECT_LE(cpw_keyname(scan).size(), 31u) << scan;
    }
}

}  // namespace
