#include "cpw/host_rules.h"
#include "cpw/keymouse.h"

#include <gtest/gtest.h>

namespace {

TEST(HostRules, ClassNamesCountFromOne) {
    reset_classregistercount();
    EXPECT_EQ(cpw_next_classname(), "CPWWindow1");
    EXPECT_EQ(cpw_next_classname(), "CPWWindow2");
    EXPECT_EQ(classregistercount, 3);
    reset_classregistercount();
}

TEST(HostRules, PixelFormatFromDisplayMode) {
    const CpwPixelFormatRequest d = cpw_displaymode_pixelformat(0x40000029);  // the default mode
    EXPECT_TRUE(d.rgba);
    EXPECT_EQ(d.colourbits, 16);
    EXPECT_EQ(d.alphabits, 0);
    EXPECT_EQ(d.depthbits, 8);
    EXPECT_TRUE(d.doublebuffer);
    EXPECT_EQ(d.accumbits, 0);
    EXPECT_EQ(d.stencilbits, 0);

    EXPECT_FALSE(cpw_displaymode_pixelformat(0x2).rgba);
    EXPECT_TRUE(cpw_displaymode_pixelformat(0x3).rgba);
    EXPECT_TRUE(cpw_displaymode_pixelformat(0x0).rgba);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x0).depthbits, 0);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x20).depthbits, 8);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x30000020).depthbits, 2);  // the first size bit counts
    EXPECT_EQ(cpw_displaymode_pixelformat(0x80000020).depthbits, 16);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x80000000).depthbits, 0);  // no depth buffer asked for
    const CpwPixelFormatRequest c = cpw_displaymode_pixelformat(0xC00);
    EXPECT_EQ(c.alphabits, 8);
    EXPECT_EQ(c.colourbits, 32);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x800).colourbits, 64);
    EXPECT_FALSE(cpw_displaymode_pixelformat(0x4).doublebuffer);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x10).accumbits, 16);
    EXPECT_EQ(cpw_displaymode_pixelformat(0x40).stencilbits, 8);
    const CpwPixelFormatRequest odd = cpw_displaymode_pixelformat(0x80 | 0x29);
    EXPECT_EQ(odd.depthbits, 8);
    EXPECT_TRUE(odd.doublebuffer);
}

TEST(HostRules, WindowStyleFromProperties) {
    const CpwWindowStyle d = cpw_windowstyle_from_properties(0x401, false);
    EXPECT_EQ(d.kind, CpwWindowKind::standard);
    EXPECT_EQ(d.frame, CpwWindowFrame::sizing);
    EXPECT_FALSE(d.menu);
    const CpwWindowStyle fixed = cpw_windowstyle_from_properties(0x101, true);
    EXPECT_EQ(fixed.frame, CpwWindowFrame::fixed);
    EXPECT_TRUE(fixed.menu);
    EXPECT_EQ(cpw_windowstyle_from_properties(0x202, false).kind, CpwWindowKind::popup);
    EXPECT_EQ(cpw_windowstyle_from_properties(0x202, false).frame, CpwWindowFrame::thin);
    EXPECT_EQ(cpw_windowstyle_from_properties(0x104, false).kind, CpwWindowKind::caption);
    EXPECT_EQ(cpw_windowstyle_from_properties(0x008, false).kind, CpwWindowKind::standard);
    EXPECT_EQ(cpw_windowstyle_from_properties(0x001, false).frame, CpwWindowFrame::sizing);
}

TEST(KeyTranslation, UsLayout) {
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_1, 0), '1');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_1, 1), '!');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_0, 0), '0');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_0, 1), ')');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_2, 1), '@');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_minus, 0), '-');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_minus, 1), '_');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_grave, 1), '~');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_apostrophe, 1), '"');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_backslash, 0), '\\');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_backslash, 1), '|');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_space, 0), ' ');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_space, 1), ' ');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_a, 0), 'a');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_z, 1), 'Z');
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_f4, 0), 0);
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(cpw_key_leftshift, 0), 0);
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(95, 0), 0);
    EXPECT_EQ(cpw_keymouse_translatekeyconstant(-1, 0), 0);
}

TEST(KeyTranslation, KeyOfCharacterRoundTrips) {
    for (int code = cpw_key_1; code <= cpw_key_z; ++code) {
        if (code >= cpw_key_leftcontrol && code <= cpw_key_rightalt) {
            continue;
        }
        EXPECT_EQ(cpw_keymouse_keyofcharacter(cpw_keymouse_translatekeyconstant(code, 0)), code) << code;
    }
    EXPECT_EQ(cpw_keymouse_keyofcharacter('Q'), cpw_key_a + 16);
    EXPECT_EQ(cpw_keymouse_keyofcharacter('!'), 0);
    EXPECT_EQ(cpw_keymouse_keyofcharacter(0xE9), 0);
    EXPECT_EQ(cpw_keymouse_keyofcharacter(0), 0);
}

}  // namespace
