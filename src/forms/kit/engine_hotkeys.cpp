#include "forms/kit/engine_hotkeys.h"

#include "forms/kit/engine_keys.h"

#include "cpw/host_services.h"
#include "foundation/stopwatch.h"

namespace {

inline constexpr int vk_win = 91;
inline constexpr int vk_lshift = 160;
inline constexpr int vk_rshift = 161;
inline constexpr int vk_lctrl = 162;
inline constexpr int vk_rctrl = 163;
inline constexpr int vk_lalt = 164;
inline constexpr int vk_ralt = 165;

}  // namespace

KeyModifierState key_modifiers;

void reset_key_modifiers() {
    key_modifiers = KeyModifierState{};
}

void check_mod_keys(int, int vk, int flags) {
    KeyModifierState& m = key_modifiers;
    const bool down = (flags & cpw_rawkey_flag_up) == 0;
    switch (vk) {
        case vk_win: m.WinKey_Down = down; break;
        case vk_lshift: m.LShift_Down = down; break;
        case vk_rshift: m.RShift_Down = down; break;
        case vk_lctrl: m.LCtrl_Down = down; break;
        case vk_rctrl: m.RCtrl_Down = down; break;
        case vk_lalt: m.Alt_Down = down; break;
        case vk_ralt: m.AltGr_Down = down; break;
        default: break;
    }
    m.Ctrl = m.LCtrl_Down || m.RCtrl_Down;
    m.Shift = m.LShift_Down || m.RShift_Down;
    m.Alt = m.Alt_Down || m.AltGr_Down;
    m.CtrlShift = m.Shift && m.Ctrl;
    m.ModKey = m.Shift || m.Ctrl || m.Alt ? 1 : 0;
}

void check_mods(int vk, int down_time) {
    KeyModifierState& m = key_modifiers;
    m.is_long = elapsed_ms() > down_time + key_long_press_ms;
    m.is_shft = m.Shift;
    m.is_ctrl = m.Ctrl && vk != vk_ralt;
    m.is_alt = m.Alt_Down;
}

bool detect_key(int code, int vk, int scancode) {
    const KeyCode k = decode_key(code);
    const KeyModifierState& m = key_modifiers;
    const bool same_key = k.key == vk || -k.key == scancode;
    return same_key && ((k.flags & key_flag_ctrl) != 0) == m.is_ctrl &&
           ((k.flags & key_flag_shift) != 0) == m.is_shft && ((k.flags & key_flag_alt) != 0) == m.is_alt &&
           ((k.flags & key_flag_long) != 0) == m.is_long;
}
