// Key codes and their names, and the text-editing operations.
#include "forms/kit/engine_clipboard.h"
#include "forms/kit/engine_edit.h"
#include "forms/kit/engine_hotkeys.h"
#include "forms/kit/engine_keys.h"

#include "cpw/hosts/null/null_host.h"
#include "foundation/stopwatch.h"
#include "support/std_streams.h"

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

TEST(KeyNames, GetKeyNaWritesTheCodeFirst) {
    tarvex_test::CapturedStdout out;
    std::string text;
    const int length = GetKeyNa(20000 + 65, text);
    EXPECT_EQ(out.finish(), "20065\n");
    EXPECT_EQ(text, "SHFT+A");
    EXPECT_EQ(length, 1);
}

// Key hook flags of a press and a release.
constexpr int down = 0, up = 0x80;

TEST(HotKeys, ModifiersAreTrackedAndShortcutsMatchedExactly) {
    reset_key_modifiers();
    int now = 0;
    set_time_of_day_source([&now] { return TimeOfDay{10, 0, now / 1000, now % 1000}; });
    reset_stopwatches();
    elapsed_ms();  // the stopwatch starts at 0
    const KeyModifierState& m = key_modifiers;

    check_mod_keys(0, 162, down);  // left Ctrl
    check_mod_keys(0, 161, down);  // right Shift
    EXPECT_TRUE(m.Ctrl && m.Shift && m.CtrlShift && !m.Alt);
    EXPECT_EQ(m.ModKey, 1);
    check_mods('A', 0);
    EXPECT_TRUE(detect_key(30000 + 'A', 'A', 30));
    EXPECT_FALSE(detect_key(10000 + 'A', 'A', 30));  // Shift is down but not asked for
    EXPECT_FALSE(detect_key(30000 + 'B', 'A', 30));
    now = 901;
    check_mods(116, 0);  // F5 held over 900 ms
    EXPECT_TRUE(m.is_long);
    EXPECT_TRUE(detect_key(110000 - 63, 116, 63));  // long Ctrl+Shift and scan code 63
    EXPECT_FALSE(detect_key(30000 - 63, 116, 63));  // not long

    check_mod_keys(0, 162, up);
    check_mod_keys(0, 161, up);
    check_mod_keys(0, 165, down);  // AltGr: Alt, but not the left Alt
    EXPECT_TRUE(m.Alt && m.AltGr_Down && !m.Alt_Down && !m.Ctrl);
    check_mods(165, 900);
    EXPECT_FALSE(m.is_alt || m.is_long || m.is_ctrl);
    check_mod_keys(0, 165, up);
    check_mod_keys(0, 91, down);  // the Windows key is noted, but is no modifier
    EXPECT_TRUE(m.WinKey_Down);
    EXPECT_EQ(m.ModKey, 0);
    set_time_of_day_source({});
    reset_stopwatches();
    reset_key_modifiers();
}

TEST(Clipboard, WritingTellsTheTextAndItsSizeOnTheConsole) {
    reset_null_host();
    tarvex_test::CapturedStdout out;
    EXPECT_EQ(wr_clp("za"), 0);
    EXPECT_EQ(out.finish(), "za\n3\n");
    EXPECT_EQ(null_host.clipboard, std::optional<std::string>("za"));
    reset_null_host();
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

TEST(TextEditing, PrintableCharacters) {
    EXPECT_TRUE(IsPrint(' '));
    EXPECT_TRUE(IsPrint('~'));
    EXPECT_TRUE(IsPrint('\xE9'));  // a cp1252 letter, with the high bit
    EXPECT_FALSE(IsPrint('\t'));
    EXPECT_FALSE(IsPrint('\x1F'));
}

}  // namespace
