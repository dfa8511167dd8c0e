#pragma once

// Services of the platform that the form engine takes beside the toolkit's
// windows: a raw key hook that sees every key of the program's windows before
// the toolkit does, the text clipboard, a window's native handle and its
// icon. Every host defines them (the X11 host for the program, the null host
// for tests).

#include "cpw/types.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Key messages, in Windows numbering.
inline constexpr int cpw_rawkey_keydown = 256;
inline constexpr int cpw_rawkey_keyup = 257;
inline constexpr int cpw_rawkey_syskeydown = 260;  // with Alt held (and no Ctrl), or F10
inline constexpr int cpw_rawkey_syskeyup = 261;

// Key flags, as a Windows low-level hook reports them.
inline constexpr int cpw_rawkey_flag_extended = 0x01;  // an extended key (right Ctrl, arrows, ...; also right Shift)
inline constexpr int cpw_rawkey_flag_altdown = 0x20;   // Alt is held
inline constexpr int cpw_rawkey_flag_up = 0x80;        // the key is being released

// Modifier state after the key event (bits of CpwRawKey::modifiers).
inline constexpr int cpw_rawkey_leftshift = 0x001;
inline constexpr int cpw_rawkey_rightshift = 0x002;
inline constexpr int cpw_rawkey_leftctrl = 0x004;
inline constexpr int cpw_rawkey_rightctrl = 0x008;
inline constexpr int cpw_rawkey_leftalt = 0x010;
inline constexpr int cpw_rawkey_rightalt = 0x020;  // right Alt, or AltGr
inline constexpr int cpw_rawkey_capslock = 0x040;  // Caps Lock is on
inline constexpr int cpw_rawkey_numlock = 0x080;   // Num Lock is on
inline constexpr int cpw_rawkey_shift = cpw_rawkey_leftshift | cpw_rawkey_rightshift;
inline constexpr int cpw_rawkey_ctrl = cpw_rawkey_leftctrl | cpw_rawkey_rightctrl;
inline constexpr int cpw_rawkey_alt = cpw_rawkey_leftalt | cpw_rawkey_rightalt;

// Bits of a key-scan value above its virtual key.
inline constexpr int cpw_keyscan_shift = 0x100;
inline constexpr int cpw_keyscan_ctrl = 0x200;
inline constexpr int cpw_keyscan_alt = 0x400;

// One key press or release.
struct CpwRawKey {
    int message;         // cpw_rawkey_keydown ... cpw_rawkey_syskeyup
    int vk;              // Windows virtual-key code (VK_LSHIFT 160 ... for the modifier keys)
    int scancode;        // keyboard scan code, without the extended flag
    int flags;           // cpw_rawkey_flag_*
    std::uint32_t time;  // milliseconds, from the host's key event
    // The character the key types, cp1252, with Shift, Caps Lock, Ctrl
    // (Ctrl+C gives 3) and AltGr applied; 0 when it types none.
    int character;
    // The key and modifiers that type that character on the keyboard layout:
    // its virtual key plus cpw_keyscan_* bits; -1 when no key types it or
    // there is no character.
    int keyscan;
    int modifiers;        // cpw_rawkey_* state after this event
    CpwContext* context;  // the toolkit context and window the key went to
    std::uint32_t window;
};

// Called for every key press and release of the program's windows, before
// the toolkit turns it into key events. It cannot swallow the key.
using CpwRawKeyHook = void (*)(const CpwRawKey& key);

// Installs the hook (null removes it); returns the one installed before.
CpwRawKeyHook cpw_rawkeyhook_set(CpwRawKeyHook hook);

// The text clipboard (texts are cp1252). Writing takes the clipboard for the
// program, which then hands the text to other programs while its toolkit
// main loop runs; false when no display is open or the clipboard could not
// be taken. Reading gives the clipboard's text, waiting at most about half a
// second for the program that holds it; false (text empty) when the
// clipboard holds no text or none came.
bool cpw_clipboard_write(std::string_view text);
bool cpw_clipboard_read(std::string& text);

// The native handle of a host window (an X window id); 0 for none.
std::uintptr_t cpw_localhost_nativehandle(const CpwLocalhostWindow* window);

// One size of a window icon: size x size pixels, rows from the top, each
// pixel 0xAARRGGBB (alpha in the top byte, not premultiplied).
struct CpwIconImage {
    int size = 0;
    std::vector<std::uint32_t> argb;
};

// Gives a host window its icon, in the sizes given (the desktop takes the
// one it shows best): 0 when it is set, else the system's error code (on
// X11 the protocol error, BadWindow for a window that is gone, BadValue for
// no image or one whose pixels do not fill its square).
int cpw_localhost_seticon(CpwLocalhostWindow* window, std::span<const CpwIconImage> images);
