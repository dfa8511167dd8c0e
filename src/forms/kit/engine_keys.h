#pragma once

// Key codes of KEY boxes and their names. A code is flags * 10000 + key: the
// key a character 32-126 (letters and digits by their virtual key, upper
// case), or minus a keyboard scan code (extended keys with 256 added); the
// flags a sum of 1 Ctrl, 2 Shift, 4 Alt, 8 long press (held over 900 ms).

#include <string>

inline constexpr int key_flag_ctrl = 1;
inline constexpr int key_flag_shift = 2;
inline constexpr int key_flag_alt = 4;
inline constexpr int key_flag_long = 8;
inline constexpr int key_long_press_ms = 900;

// The flags and the key of a code (a key above 5000 belongs to the next
// flag value down: 10000 - 28 is Ctrl with scan code 28).
struct KeyCode {
    int flags = 0;
    int key = 0;
};
KeyCode decode_key(int code);

// The shortcut's text: "LONG+", "CTRL+", "SHFT+", "ALT+" for its flags, in
// this order, then the key's name: the keyboard's name of the scan code (at
// most 31 characters) for a negative key, else the character. Returns the
// length of the key's name: 0 when the key has none (the text then holds
// the prefixes only).
int get_key_name(int code, std::string& text);

// get_key_name with the code written on the console first.
int GetKeyNa(int code, std::string& text);

// True for the virtual keys of the left and right Shift, the left and right
// Ctrl and the left Alt (160-164); the right Alt (AltGr) does not count.
bool is_key_mod(int scancode, int vk);
