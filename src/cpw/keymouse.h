#pragma once

#include "cpw/types.h"

#include <array>

// Toolkit key codes, reported in key events and kept in keyboard_state.
// Codes 1-40 are system keys (system-keyboard events), 41-94 ordinary keys
// (keyboard events, with a shift flag).
enum CpwKey : int {
    cpw_key_f1 = 1, cpw_key_f2, cpw_key_f3, cpw_key_f4, cpw_key_f5, cpw_key_f6,
    cpw_key_f7, cpw_key_f8, cpw_key_f9, cpw_key_f10, cpw_key_f11, cpw_key_f12,
    cpw_key_left = 13, cpw_key_up, cpw_key_right, cpw_key_down,
    cpw_key_pageup = 17, cpw_key_pagedown, cpw_key_home, cpw_key_end,
    cpw_key_insert = 21, cpw_key_delete,
    cpw_key_capslock = 23,
    cpw_key_shift = 24, cpw_key_control, cpw_key_alt,
    cpw_key_escape = 27, cpw_key_tab, cpw_key_backspace, cpw_key_enter,
    cpw_key_multiply = 31, cpw_key_add, cpw_key_separator, cpw_key_subtract, cpw_key_decimal, cpw_key_divide,
    cpw_key_numlock = 37, cpw_key_print, cpw_key_scrolllock, cpw_key_pause,
    cpw_key_1 = 41, cpw_key_2, cpw_key_3, cpw_key_4, cpw_key_5, cpw_key_6, cpw_key_7, cpw_key_8, cpw_key_9, cpw_key_0,
    cpw_key_leftcontrol = 51, cpw_key_rightcontrol,
    cpw_key_leftshift = 53, cpw_key_rightshift,
    cpw_key_leftalt = 55, cpw_key_rightalt,
    cpw_key_minus = 57, cpw_key_equals, cpw_key_leftbracket, cpw_key_rightbracket, cpw_key_semicolon,
    cpw_key_grave, cpw_key_apostrophe, cpw_key_comma, cpw_key_period, cpw_key_slash, cpw_key_backslash,
    cpw_key_space = 68,
    cpw_key_a = 69,
    cpw_key_z = 94,
};

// The character an ordinary key carries on the US keyboard layout, unshifted
// or shifted; the space bar gives a blank either way; any other code gives 0.
int cpw_keymouse_translatekeyconstant(int code, int shift);

// The ordinary key code of an unshifted character (digits, the punctuation
// keys, the blank, letters of either case); 0 for any other character.
int cpw_keymouse_keyofcharacter(int character);

// ---- mouse and key state ----

// What the mouse offers.
struct CpwMouseInfo {
    bool mouse;   // a mouse is there
    bool wheel;   // it has a wheel
    int buttons;  // its buttons (the wheel not counted)
};

// What the mouse did since the last cpwMouseState.
struct CpwMouseState {
    int x, y;                    // movement in pixels
    int wheel;                   // notches, forward positive
    std::array<bool, 3> button;  // left, middle, right held
};

int cpwMouseCapabilities(CpwContext* ctx, CpwMouseInfo* info);  // 1, or 0 with error 3 for a null record
// Fills the record and starts counting again from zero: 1, or 0 with error 3.
int cpwMouseState(CpwContext* ctx, CpwMouseState* state);
// 1 while the key with the toolkit key code is held; 0 otherwise, and for a
// code outside 0-255 (error 3).
int cpwKeyState(CpwContext* ctx, int code);
