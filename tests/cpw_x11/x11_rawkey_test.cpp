#include "x11_fixture.h"

#include "cpw/key_names.h"

namespace x11_test {
namespace {

std::vector<CpwRawKey> keys;

void record(const CpwRawKey& key) {
    keys.push_back(key);
    seen.push_back("hook " + std::to_string(key.vk) + " " + std::to_string(key.message));
}

class X11RawKeyTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        id = make_window();
        pointer_to(110, 110);
        keys.clear();
        seen.clear();
        EXPECT_EQ(cpw_rawkeyhook_set(record), nullptr);
    }

    // Types and waits until the hook has seen `count` keys in all.
    bool wait_keys(std::size_t count) {
        return pump_until([count] { return keys.size() >= count; });
    }

    // The key of the list with that virtual key and message.
    const CpwRawKey* find(int vk, int message) {
        for (const CpwRawKey& k : keys) {
            if (k.vk == vk && k.message == message) {
                return &k;
            }
        }
        return nullptr;
    }

    std::uint32_t id = 0;
};

TEST_F(X11RawKeyTest, ShiftedLetterComesBeforeTheToolkitsEvent) {
    key(XK_Shift_L, true);
    tap(XK_a);
    key(XK_Shift_L, false);
    ASSERT_TRUE(wait_keys(4));
    settle();
    const CpwRawKey* shift = find(160, cpw_rawkey_keydown);
    ASSERT_NE(shift, nullptr);
    EXPECT_EQ(shift->scancode, 0x2A);
    EXPECT_EQ(shift->flags, 0);
    EXPECT_EQ(shift->character, 0);
    EXPECT_EQ(shift->keyscan, -1);
    EXPECT_TRUE(shift->modifiers & cpw_rawkey_leftshift);

    const CpwRawKey* a = find('A', cpw_rawkey_keydown);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->scancode, 30);
    EXPECT_EQ(a->character, 'A');
    EXPECT_EQ(a->keyscan, cpw_keyscan_shift | 'A');
    EXPECT_EQ(a->modifiers & cpw_rawkey_shift, cpw_rawkey_leftshift);
    EXPECT_EQ(a->context, ctx);
    EXPECT_EQ(a->window, id);
    const CpwRawKey* up = find('A', cpw_rawkey_keyup);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->flags, cpw_rawkey_flag_up);
    EXPECT_GE(up->time, a->time);
    const CpwRawKey* shift_up = find(160, cpw_rawkey_keyup);
    ASSERT_NE(shift_up, nullptr);
    EXPECT_EQ(shift_up->modifiers & cpw_rawkey_shift, 0);

    // The hook saw each key before the toolkit's event for it.
    const auto at = [](const std::string& s) { return std::find(seen.begin(), seen.end(), s) - seen.begin(); };
    EXPECT_LT(at("hook 65 256"), at(event_text("key", id, {'A', 1, 10, 10})));
    EXPECT_LT(at("hook 65 257"), at(event_text("key", id, {'A', 2, 10, 10})));
}

TEST_F(X11RawKeyTest, CtrlLettersAreControlCharacters) {
    key(XK_Control_L, true);
    tap(XK_c);
    tap(XK_v);
    key(XK_Control_L, false);
    ASSERT_TRUE(wait_keys(6));
    const CpwRawKey* c = find('C', cpw_rawkey_keydown);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->character, 3);
    EXPECT_EQ(c->keyscan, cpw_keyscan_ctrl | 'C');
    EXPECT_TRUE(c->modifiers & cpw_rawkey_leftctrl);
    const CpwRawKey* v = find('V', cpw_rawkey_keydown);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->character, 22);
}

TEST_F(X11RawKeyTest, KeysWithoutCharactersAndExtendedKeys) {
    tap(XK_F5);
    tap(XK_Delete);
    tap(XK_Control_R);
    tap(XK_Shift_R);
    tap(XK_Left);
    tap(XK_BackSpace);
    tap(XK_space);
    tap(XK_Return);
    ASSERT_TRUE(wait_keys(16));
    const CpwRawKey* f5 = find(0x74, cpw_rawkey_keydown);
    ASSERT_NE(f5, nullptr);
    EXPECT_EQ(f5->scancode, 63);
    EXPECT_EQ(f5->character, 0);
    EXPECT_EQ(f5->keyscan, -1);
    EXPECT_EQ(cpw_keyname(f5->scancode), "F5");

    const CpwRawKey* del = find(46, cpw_rawkey_keydown);
    ASSERT_NE(del, nullptr);
    EXPECT_EQ(del->scancode, 0x53);
    EXPECT_EQ(del->flags & cpw_rawkey_flag_extended, cpw_rawkey_flag_extended);
    EXPECT_EQ(del->character, 0);  // Delete types nothing
    EXPECT_EQ(cpw_keyname(del->scancode + 256), "Delete");

    const CpwRawKey* rctrl = find(163, cpw_rawkey_keydown);
    ASSERT_NE(rctrl, nullptr);
    EXPECT_EQ(rctrl->scancode, 0x1D);
    EXPECT_TRUE(rctrl->flags & cpw_rawkey_flag_extended);
    EXPECT_TRUE(rctrl->modifiers & cpw_rawkey_rightctrl);
    EXPECT_EQ(cpw_keyname(rctrl->scancode + 256), "Right Ctrl");

    const CpwRawKey* rshift = find(161, cpw_rawkey_keydown);
    ASSERT_NE(rshift, nullptr);
    EXPECT_EQ(rshift->scancode, 0x36);
    EXPECT_TRUE(rshift->flags & cpw_rawkey_flag_extended);  // as Windows reports it
    EXPECT_EQ(cpw_keyname(rshift->scancode), "Right Shift");

    const CpwRawKey* left = find(37, cpw_rawkey_keydown);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->character, 0);
    const CpwRawKey* back = find(8, cpw_rawkey_keydown);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->character, 8);
    EXPECT_EQ(back->keyscan, 8);
    const CpwRawKey* space = find(32, cpw_rawkey_keydown);
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->character, ' ');
    EXPECT_EQ(space->keyscan, 32);
    const CpwRawKey* enter = find(13, cpw_rawkey_keydown);
    ASSERT_NE(enter, nullptr);
    EXPECT_EQ(enter->character, 13);
    EXPECT_EQ(cpw_keyname(enter->scancode), "Enter");
}

TEST_F(X11RawKeyTest, AltMakesSystemKeyMessages) {
    key(XK_Alt_L, true);
    tap(XK_x);
    key(XK_Alt_L, false);
    tap(XK_F10);
    ASSERT_TRUE(wait_keys(6));
    const CpwRawKey* alt = find(164, cpw_rawkey_syskeydown);
    ASSERT_NE(alt, nullptr);
    EXPECT_TRUE(alt->flags & cpw_rawkey_flag_altdown);
    const CpwRawKey* x = find('X', cpw_rawkey_syskeydown);
    ASSERT_NE(x, nullptr);
    EXPECT_TRUE(x->modifiers & cpw_rawkey_leftalt);
    EXPECT_NE(find('X', cpw_rawkey_syskeyup), nullptr);
    EXPECT_NE(find(164, cpw_rawkey_syskeyup), nullptr);
    EXPECT_NE(find(0x79, cpw_rawkey_syskeydown), nullptr);  // F10 alone
}

TEST_F(X11RawKeyTest, NumericPadFollowsNumLock) {
    tap(XK_Num_Lock);
    tap(XK_KP_7);  // the key of 7 and Home
    tap(XK_Num_Lock);
    ASSERT_TRUE(wait_keys(6));
    const CpwRawKey* seven = find(0x67, cpw_rawkey_keydown);
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(seven->character, '7');
    EXPECT_EQ(seven->scancode, 0x47);
    EXPECT_TRUE(seven->modifiers & cpw_rawkey_numlock);
    EXPECT_EQ(cpw_keyname(seven->scancode), "Num 7");
}

TEST_F(X11RawKeyTest, RemovedHookSeesNothing) {
    EXPECT_EQ(cpw_rawkeyhook_set(nullptr), record);
    tap(XK_q);
    ASSERT_TRUE(pump_until_seen(event_text("key", id, {'q', 2, 10, 10})));
    EXPECT_TRUE(keys.empty());
}

}  // namespace
}  // namespace x11_test
