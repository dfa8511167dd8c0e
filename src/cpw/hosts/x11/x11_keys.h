#pragma once

// The keyboard tables of the X11 host, kept free of any display so they are
// tested directly: X key codes to keyboard scan codes, key symbols to Windows
// virtual keys, to the toolkit's key codes and to cp1252 characters.

#include <X11/X.h>

// A keyboard scan code (the PC set-1 code, without the 0xE0 prefix) and
// whether the key is an extended one.
struct CpwX11ScanCode {
    int code;  // 0: unknown
    bool extended;
};

// The scan code of an X key code: the key code minus 8 for the main block and
// the numeric pad (the X server's evdev numbering), a table for the extended
// keys. Right Shift counts as extended, as Windows reports it; Num Lock is the
// extended 0x45, Pause the plain one.
CpwX11ScanCode cpw_x11_scancode(unsigned keycode);

// The Windows virtual key of a key: `unshifted` is its symbol without
// modifiers, `effective` the symbol it gives with the modifiers of the event
// (which decides the keys of the numeric pad, as Num Lock does on Windows),
// `scancode` its scan code (which decides keys whose symbol names no US key,
// by their place on a US keyboard). 0 when none.
int cpw_x11_virtualkey(KeySym unshifted, KeySym effective, int scancode);

// The toolkit's key code of a key: system keys 1-40, ordinary keys 41-94
// (see cpw/keymouse.h); code 0 when the key has none. An ordinary key is
// found from its unshifted character, or from its virtual key taken as a
// character when its symbol gives none.
struct CpwX11ToolkitKey {
    int code;
    bool system;
};
CpwX11ToolkitKey cpw_x11_toolkitkey(KeySym unshifted, KeySym effective, int virtualkey);

// The left/right key-state code of a Shift, Ctrl or Alt key (51-56), 0 for any other.
int cpw_x11_sidekey(KeySym unshifted);

// The cp1252 character a key symbol types (control keys included: BackSpace
// 8, Tab 9, Return 13, Escape 27); 0 when none.
int cpw_x11_keysym_character(KeySym keysym);

// The character of a key typed with Ctrl held (Ctrl+A is 1 ... Ctrl+Z 26,
// Ctrl+[ 27, Ctrl+\ 28, Ctrl+] 29, Ctrl+^ 30, Ctrl+_ 31, Ctrl+Space a blank,
// Ctrl+Return 10, Ctrl+BackSpace 127, Ctrl+Escape 27); 0 for any other key.
int cpw_x11_control_character(KeySym effective);

// The key symbols that type a cp1252 character (up to two: a legacy one and
// the Unicode one); `count` gets how many.
int cpw_x11_character_keysyms(unsigned char character, KeySym keysyms[2]);
