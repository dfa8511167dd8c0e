#include "x11_fixture.h"

#include "cpw/keymouse.h"

#include <X11/XKBlib.h>

namespace x11_test {
namespace {

// Windows at (100, 100), 400 x 300; the pointer starts in the screen's
// middle, outside them.
constexpr int window_x = 100;
constexpr int window_y = 100;

class X11InputTest : public X11Test {
protected:
    // The pointer to a point of the window's client area.
    void pointer_at(int x, int y) { pointer_to(window_x + x, window_y + y); }
};

TEST_F(X11InputTest, ClicksReportButtonAndClientPosition) {
    const std::uint32_t id = make_window();
    pointer_at(50, 60);
    seen.clear();
    button(1, true);
    button(1, false);
    button(3, true);
    button(3, false);
    button(2, true);
    button(2, false);
    ASSERT_TRUE(pump_until_seen(event_text("click", id, {1, 1, 50, 60})));
    EXPECT_EQ(seen_of("click"), (std::vector<std::string>{
                                    event_text("click", id, {0, 0, 50, 60}), event_text("click", id, {1, 0, 50, 60}),
                                    event_text("click", id, {0, 2, 50, 60}), event_text("click", id, {1, 2, 50, 60}),
                                    event_text("click", id, {0, 1, 50, 60}), event_text("click", id, {1, 1, 50, 60})}));
}

TEST_F(X11InputTest, WheelNotchesAreClicksWithState2) {
    const std::uint32_t id = make_window();
    pointer_at(10, 10);
    seen.clear();
    button(4, true);
    button(4, false);
    button(5, true);
    button(5, false);
    ASSERT_TRUE(pump_until_seen(event_text("click", id, {2, 1, -1, 0})));
    EXPECT_EQ(seen_of("click"),
              (std::vector<std::string>{event_text("click", id, {2, 1, 1, 0}), event_text("click", id, {2, 1, -1, 0})}));
    EXPECT_EQ(ctx->ctx_localhost->wheel, 0);
}

TEST_F(X11InputTest, DragsFollowThePointerOutsideUntilTheButtonIsUp) {
    const std::uint32_t id = make_window();
    pointer_at(20, 30);
    ASSERT_TRUE(pump_until_seen(event_text("move", id, {20, 30})));
    seen.clear();
    button(1, true);
    pointer_at(40, 50);
    pointer_at(600, 500);  // beyond the window: the mouse stays captured
    ASSERT_TRUE(pump_until_seen(event_text("drag", id, {0, 600, 500})));
    EXPECT_TRUE(was_seen(event_text("drag", id, {0, 40, 50})));
    EXPECT_FALSE(was_seen(event_text("entry", id, {1}))) << "no leaving while a button is held";
    button(1, false);
    ASSERT_TRUE(pump_until_seen(event_text("click", id, {1, 0, 600, 500})));
    // Released outside: now the mouse has left.
    EXPECT_TRUE(pump_until_seen(event_text("entry", id, {1})));
    // Right-button drags report button 2.
    pointer_at(20, 30);
    button(3, true);
    pointer_at(25, 35);
    EXPECT_TRUE(pump_until_seen(event_text("drag", id, {2, 25, 35})));
    button(3, false);
    settle();
}

TEST_F(X11InputTest, CursorEntryNeedsTheFocus) {
    const std::uint32_t first = make_window();
    // Gaining the focus brought the mouse into the window (as the toolkit
    // counts it), before the pointer moved at all.
    EXPECT_TRUE(was_seen(event_text("entry", first, {0})));
    pointer_at(10, 10);
    pointer_to(700, 700);
    ASSERT_TRUE(pump_until_seen(event_text("entry", first, {1})));
    seen.clear();
    pointer_at(10, 10);
    ASSERT_TRUE(pump_until_seen(event_text("entry", first, {0})));

    // A second window takes the focus; the first loses it and the mouse.
    seen.clear();
    const std::uint32_t second = make_window(600, 100, 200, 200);
    EXPECT_TRUE(was_seen(event_text("visibility", first, {3})));
    EXPECT_TRUE(was_seen(event_text("entry", first, {1})));
    EXPECT_TRUE(was_seen(event_text("entry", second, {0})));
    EXPECT_EQ(ctx->win_foregroundid, second);
    // The pointer over the first window, which has no focus: no entry, no moves.
    seen.clear();
    pointer_at(30, 30);
    pointer_at(31, 31);
    settle();
    EXPECT_FALSE(was_seen(event_text("entry", first, {0})));
    EXPECT_TRUE(seen_of("move").empty());
}

TEST_F(X11InputTest, SystemKeysAndTheirStates) {
    const std::uint32_t id = make_window();
    pointer_at(5, 6);
    seen.clear();
    tap(XK_F1);
    tap(XK_Escape);
    tap(XK_Up);
    tap(XK_KP_Enter);
    key(XK_Control_R, true);
    ASSERT_TRUE(pump_until_seen(event_text("skey", id, {25, 1, 5, 6})));
    EXPECT_TRUE(ctx->keyboard_state[cpw_key_control]);
    EXPECT_TRUE(ctx->keyboard_state[cpw_key_rightcontrol]);
    EXPECT_FALSE(ctx->keyboard_state[cpw_key_leftcontrol]);
    key(XK_Control_R, false);
    ASSERT_TRUE(pump_until_seen(event_text("skey", id, {25, 2, 5, 6})));
    EXPECT_FALSE(ctx->keyboard_state[cpw_key_rightcontrol]);
    EXPECT_EQ(seen_of("skey"), (std::vector<std::string>{
                                   event_text("skey", id, {1, 1, 5, 6}), event_text("skey", id, {1, 2, 5, 6}),
                                   event_text("skey", id, {27, 1, 5, 6}), event_text("skey", id, {27, 2, 5, 6}),
                                   event_text("skey", id, {14, 1, 5, 6}), event_text("skey", id, {14, 2, 5, 6}),
                                   event_text("skey", id, {30, 1, 5, 6}), event_text("skey", id, {30, 2, 5, 6}),
                                   event_text("skey", id, {25, 1, 5, 6}), event_text("skey", id, {25, 2, 5, 6})}));
    EXPECT_TRUE(seen_of("key").empty());
}

TEST_F(X11InputTest, OrdinaryKeysCarryShiftAndCapsLock) {
    const std::uint32_t id = make_window();
    pointer_at(7, 8);
    seen.clear();
    tap(XK_a);
    key(XK_Shift_L, true);
    tap(XK_a);
    tap(XK_1);
    key(XK_Shift_L, false);
    tap(XK_KP_Multiply);
    tap(XK_Caps_Lock);  // on
    tap(XK_b);
    tap(XK_2);
    tap(XK_Caps_Lock);  // off again
    ASSERT_TRUE(pump_until_seen(event_text("skey", id, {23, 2, 7, 8})));
    settle();
    // The keyboard callback gets the character of code and shift flag.
    EXPECT_EQ(seen_of("key"), (std::vector<std::string>{
                                  event_text("key", id, {'a', 1, 7, 8}), event_text("key", id, {'a', 2, 7, 8}),
                                  event_text("key", id, {'A', 1, 7, 8}), event_text("key", id, {'A', 2, 7, 8}),
                                  event_text("key", id, {'!', 1, 7, 8}), event_text("key", id, {'!', 2, 7, 8}),
                                  event_text("key", id, {'B', 1, 7, 8}), event_text("key", id, {'B', 2, 7, 8}),
                                  event_text("key", id, {'2', 1, 7, 8}), event_text("key", id, {'2', 2, 7, 8})}));
    EXPECT_TRUE(was_seen(event_text("skey", id, {31, 1, 7, 8})));
    EXPECT_TRUE(was_seen(event_text("skey", id, {24, 1, 7, 8})));
    EXPECT_FALSE(ctx->keyboard_state[cpw_key_leftshift]);
}

TEST_F(X11InputTest, AltF4IsOnlyKeysWithoutAWindowManager) {
    const std::uint32_t id = make_window();
    pointer_at(1, 2);
    seen.clear();
    key(XK_Alt_L, true);
    tap(XK_F4);
    key(XK_Alt_L, false);
    ASSERT_TRUE(pump_until_seen(event_text("skey", id, {26, 2, 1, 2})));
    EXPECT_EQ(seen_of("skey"),
              (std::vector<std::string>{event_text("skey", id, {26, 1, 1, 2}), event_text("skey", id, {4, 1, 1, 2}),
                                        event_text("skey", id, {4, 2, 1, 2}), event_text("skey", id, {26, 2, 1, 2})}));
    settle();
    EXPECT_FALSE(was_seen(event_text("create", id, {0})));
    CpwWindowInfo info{};
    EXPECT_EQ(cpwGetWindowInfo(ctx, &info, id), 1);
}

TEST_F(X11InputTest, HeldKeysRepeatAsPresses) {
    // The server is told to repeat a held key as presses alone (as Windows
    // does), not as release and press pairs: the long-press keys need it.
    make_window();
    pointer_at(0, 0);
    Bool supported = False;
    EXPECT_TRUE(XkbGetDetectableAutoRepeat(cpw_x11_connection()->display, &supported));
    EXPECT_TRUE(supported);
    seen.clear();
    tap(XK_Right);
    ASSERT_TRUE(pump_until_seen(event_text("skey", 1, {15, 2, 0, 0})));
    EXPECT_EQ(seen_of("skey"),
              (std::vector<std::string>{event_text("skey", 1, {15, 1, 0, 0}), event_text("skey", 1, {15, 2, 0, 0})}));
}

TEST_F(X11InputTest, CloseBoxEndsTheMainLoopForWindowOne) {
    const std::uint32_t id = make_window();
    ASSERT_EQ(id, 1u);
    cpwCreateCallback(ctx, nullptr);  // the default destroys the window
    ask_to_close(x_window(id));
    break_loop_after_five_seconds(7);
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_FALSE(loop_timed_out());
    CpwWindowInfo info{};
    EXPECT_EQ(cpwGetWindowInfo(ctx, &info, id), 0);
    EXPECT_TRUE(cpw_x11_connection()->windows.empty());
}

TEST_F(X11InputTest, CloseRequestWithACreateCallbackKeepsTheWindow) {
    const std::uint32_t id = make_window();
    seen.clear();
    ask_to_close(x_window(id));
    ASSERT_TRUE(pump_until_seen(event_text("create", id, {0})));
    CpwWindowInfo info{};
    EXPECT_EQ(cpwGetWindowInfo(ctx, &info, id), 1);
}

}  // namespace
}  // namespace x11_test
