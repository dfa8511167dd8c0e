#pragma once

// Modifier tracking and shortcut matching for a hot-key feature: part of the
// kit, though nothing in the program calls it (KEY boxes capture their keys
// through the key hook instead). Codes are those of engine_keys.h.

// Which modifier keys are down, as check_mod_keys saw them, and how the last
// pressed key was modified, as check_mods saw it.
struct KeyModifierState {
    bool LShift_Down = false;
    bool RShift_Down = false;
    bool LCtrl_Down = false;
    bool RCtrl_Down = false;
    bool Alt_Down = false;    // the left Alt
    bool AltGr_Down = false;  // the right Alt
    bool WinKey_Down = false;
    bool Shift = false;      // either Shift
    bool Ctrl = false;       // either Ctrl
    bool Alt = false;        // Alt or AltGr
    bool CtrlShift = false;  // Shift and Ctrl
    int ModKey = 0;          // 1 while any Shift, Ctrl, Alt or AltGr is down
    bool is_long = false;    // held over the long-press time
    bool is_shft = false;
    bool is_ctrl = false;
    bool is_alt = false;
};
extern KeyModifierState key_modifiers;
void reset_key_modifiers();

// A key event of virtual key `vk`: the key is down when bit 128 of `flags`
// (the key hook's "up" flag) is clear. The Windows key (91), the left and
// right Shift (160, 161) and Ctrl (162, 163), Alt (164) and AltGr (165) are
// noted, then the combined states. The first argument is not read.
void check_mod_keys(int unused, int vk, int flags);

// The modifiers of key `vk` pressed at `down_time` (elapsed_ms): long when
// more than the long-press time has passed since; Ctrl does not count for
// AltGr (165), which holds it on Windows; Alt is the left Alt only.
void check_mods(int vk, int down_time);

// True when `code` names the pressed key (its key equals the virtual key, or
// minus it equals the scan code) with exactly the modifiers check_mods noted:
// a flag absent from the code asks for that modifier to be up.
bool detect_key(int code, int vk, int scancode);
