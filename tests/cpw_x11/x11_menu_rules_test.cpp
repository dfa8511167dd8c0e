// The X11 host's menu layout and joystick rules, without a display.
#include <gtest/gtest.h>

#include "cpw/hosts/x11/x11_rules.h"

#include <linux/input-event-codes.h>
#include <linux/joystick.h>

namespace {

const CpwX11MenuFont font{11, 2};  // 13 pixels high

TEST(X11MenuRules, PopUpEntriesStackedAsWideAsTheWidest) {
    int width = 0;
    int height = 0;
    const std::vector<CpwX11MenuBox> boxes =
        cpw_x11_popuplayout({{30, false}, {0, true}, {100, false}, {500, true}}, font, &width, &height);
    ASSERT_EQ(boxes.size(), 4u);
    const int w = cpw_x11_menu_markcolumn + 4 + 100 + 4 + cpw_x11_menu_arrowcolumn;  // a separator's width does not count
    EXPECT_EQ(width, w);
    EXPECT_EQ(boxes[0].y, 0);
    EXPECT_EQ(boxes[0].height, 19);
    EXPECT_EQ(boxes[1].y, 19);
    EXPECT_EQ(boxes[1].height, cpw_x11_menu_separator);
    EXPECT_EQ(boxes[2].y, 26);
    EXPECT_EQ(boxes[3].y, 45);
    EXPECT_EQ(height, 52);
    for (const CpwX11MenuBox& b : boxes) {
        EXPECT_EQ(b.x, 0);
        EXPECT_EQ(b.width, w);
    }
    // Narrow and empty menus keep a usable window.
    cpw_x11_popuplayout({{1, false}}, font, &width, &height);
    EXPECT_EQ(width, cpw_x11_menu_minwidth);
    EXPECT_TRUE(cpw_x11_popuplayout({}, font, &width, &height).empty());
    EXPECT_EQ(height, 1);
}

TEST(X11MenuRules, BarEntriesSideBySideAndHits) {
    const std::vector<CpwX11MenuBox> boxes = cpw_x11_barlayout({{24, false}, {0, true}, {40, false}}, font);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(cpw_x11_barheight(font), 21);
    EXPECT_EQ(boxes[0].x, 0);
    EXPECT_EQ(boxes[0].width, 40);
    EXPECT_EQ(boxes[1].x, 40);
    EXPECT_EQ(boxes[1].width, 8);
    EXPECT_EQ(boxes[2].x, 48);
    EXPECT_EQ(boxes[2].width, 56);
    EXPECT_EQ(boxes[2].height, 21);

    EXPECT_EQ(cpw_x11_menuhit(boxes, 0, 0), 0);
    EXPECT_EQ(cpw_x11_menuhit(boxes, 39, 20), 0);
    EXPECT_EQ(cpw_x11_menuhit(boxes, 40, 5), 1);
    EXPECT_EQ(cpw_x11_menuhit(boxes, 103, 5), 2);
    EXPECT_EQ(cpw_x11_menuhit(boxes, 104, 5), -1);  // past the last entry
    EXPECT_EQ(cpw_x11_menuhit(boxes, 5, 21), -1);   // below the bar
    EXPECT_EQ(cpw_x11_menuhit(boxes, -1, 5), -1);
    EXPECT_EQ(cpw_x11_menuhit({}, 0, 0), -1);
}

TEST(X11MenuRules, MenusStayOnTheScreen) {
    const CpwX11Point fits = cpw_x11_menuplace(100, 200, 80, 60, 1280, 1024);
    EXPECT_EQ(fits.x, 100);
    EXPECT_EQ(fits.y, 200);
    const CpwX11Point corner = cpw_x11_menuplace(1250, 1000, 80, 60, 1280, 1024);
    EXPECT_EQ(corner.x, 1200);
    EXPECT_EQ(corner.y, 964);
    // A sub-menu that does not fit on the right opens left of its parent.
    const CpwX11Point left = cpw_x11_menuplace(1250, 100, 80, 60, 1280, 1024, 1170);
    EXPECT_EQ(left.x, 1090);
    // Larger than the screen: at the top-left corner.
    const CpwX11Point huge = cpw_x11_menuplace(10, 10, 2000, 2000, 1280, 1024, 5);
    EXPECT_EQ(huge.x, 0);
    EXPECT_EQ(huge.y, 0);
}

TEST(X11MenuRules, Latin1OfCp1252) {
    EXPECT_EQ(cpw_x11_latin1("Caf\xE9 \x80 \x9F x"), "Caf\xE9 ? ? x");
    EXPECT_EQ(cpw_x11_latin1(""), "");
}

TEST(X11JoystickRules, AxisCodesAndEvents) {
    EXPECT_EQ(cpw_x11_joystickslot(ABS_X), 0);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_Y), 1);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_THROTTLE), 2);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_Z), 2);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_RUDDER), 3);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_RX), 4);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_RY), 5);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_HAT0X), cpw_x11_joyslot_hatx);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_HAT0Y), cpw_x11_joyslot_haty);
    EXPECT_EQ(cpw_x11_joystickslot(ABS_MISC), cpw_x11_joyslot_none);

    const std::vector<int> slots = {0, 1, cpw_x11_joyslot_hatx, cpw_x11_joyslot_haty, cpw_x11_joyslot_none, 3};
    CpwJoystickRaw raw{};
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS | JS_EVENT_INIT, 0, -32767);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 1, 1200);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 5, 32767);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 2, 32767);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 3, -1);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 4, 999);    // an axis that goes nowhere
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 9, 999);    // beyond the device's axes
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, -1, 999);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_BUTTON | JS_EVENT_INIT, 0, 1);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_BUTTON, 31, 1);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_BUTTON, 32, 1);  // beyond the 32 reported
    EXPECT_EQ(raw.axis, (std::array<int, 6>{-32767, 1200, 0, 32767, 0, 0}));
    EXPECT_EQ(raw.hatx, 1);
    EXPECT_EQ(raw.haty, -1);
    EXPECT_EQ(raw.buttons, 0x80000001u);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_BUTTON, 0, 0);
    cpw_x11_joystickevent(raw, slots, JS_EVENT_AXIS, 2, 0);
    EXPECT_EQ(raw.buttons, 0x80000000u);
    EXPECT_EQ(raw.hatx, 0);
}

}  // namespace
