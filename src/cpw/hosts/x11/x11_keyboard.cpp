#include "cpw/hosts/x11/x11_host.h"
#include "cpw/hosts/x11/x11_keys.h"

#include "cpw/host_services.h"
#include "cpw/internal.h"
#include "cpw/keymouse.h"

#include "platform/console.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <array>
#include <string>

namespace {

CpwRawKeyHook raw_key_hook = nullptr;

constexpr int vk_delete = 0x2E;
constexpr int vk_f10 = 0x79;

// The modifier side a key is, as cpw_rawkey_* bits; 0 for other keys.
int side_of(KeySym unshifted) {
    switch (unshifted) {
        case XK_Shift_L: return cpw_rawkey_leftshift;
        case XK_Shift_R: return cpw_rawkey_rightshift;
        case XK_Control_L: return cpw_rawkey_leftctrl;
        case XK_Control_R: return cpw_rawkey_rightctrl;
        case XK_Alt_L:
        case XK_Meta_L: return cpw_rawkey_leftalt;
        case XK_Alt_R:
        case XK_Meta_R:
        case XK_ISO_Level3_Shift:
        case XK_Mode_switch: return cpw_rawkey_rightalt;
        default: return 0;
    }
}

KeySym unshifted_keysym(Display* d, unsigned keycode, int group) {
    const KeySym k = XkbKeycodeToKeysym(d, static_cast<KeyCode>(keycode), group, 0);
    return k != NoSymbol || group == 0 ? k : XkbKeycodeToKeysym(d, static_cast<KeyCode>(keycode), 0, 0);
}

// Key-scan values of the control characters, as Windows gives them.
int control_keyscan(int character) {
    switch (character) {
        case 8: return 0x08;                                     // BackSpace
        case 9: return 0x09;                                     // Tab
        case 13: return 0x0D;                                    // Return
        case 27: return 0x1B;                                    // Escape
        case 10: return cpw_keyscan_ctrl | 0x0D;                 // Ctrl+Return
        case 127: return cpw_keyscan_ctrl | 0x08;                // Ctrl+BackSpace
        case 28: return cpw_keyscan_ctrl | 0xDC;                 // Ctrl+backslash
        case 29: return cpw_keyscan_ctrl | 0xDD;                 // Ctrl+]
        case 30: return cpw_keyscan_ctrl | cpw_keyscan_shift | '6';  // Ctrl+^
        case 31: return cpw_keyscan_ctrl | cpw_keyscan_shift | 0xBD; // Ctrl+_
        default: break;
    }
    if (character >= 1 && character <= 26) {
        return cpw_keyscan_ctrl | ('A' + character - 1);
    }
    return -1;
}

// The key and shift level that type a printable character on the current
// layout: its virtual key plus Shift for the second level, Ctrl+Alt (AltGr)
// for the third and all three for the fourth. The main block is searched
// before the numeric pad.
int keyscan_of(Display* d, unsigned char character, int group) {
    KeySym wanted[2] = {NoSymbol, NoSymbol};
    const int count = cpw_x11_character_keysyms(character, wanted);
    if (count == 0) {
        return -1;
    }
    int min_keycode = 0;
    int max_keycode = 0;
    XDisplayKeycodes(d, &min_keycode, &max_keycode);
    constexpr std::array<int, 4> level_bits = {0, cpw_keyscan_shift, cpw_keyscan_ctrl | cpw_keyscan_alt,
                                               cpw_keyscan_shift | cpw_keyscan_ctrl | cpw_keyscan_alt};
    for (int level = 0; level < 4; ++level) {
        for (int keycode = min_keycode; keycode <= max_keycode; ++keycode) {
            const KeySym k = XkbKeycodeToKeysym(d, static_cast<KeyCode>(keycode), group, level);
            if (k == NoSymbol || (k != wanted[0] && (count < 2 || k != wanted[1]))) {
                continue;
            }
            const KeySym base = unshifted_keysym(d, static_cast<unsigned>(keycode), group);
            if (base >= XK_KP_Space && base <= XK_KP_Equal) {
                continue;
            }
            const int vk = cpw_x11_virtualkey(base, k, cpw_x11_scancode(static_cast<unsigned>(keycode)).code);
            if (vk != 0) {
                return vk | level_bits[static_cast<std::size_t>(level)];
            }
        }
    }
    return -1;
}

// The modifier sides held: those the key events told, and those the event's
// state shows but no event told (taken as the left key).
int modifiers_held(const CpwX11Connection& c, unsigned state) {
    int held = c.held_modifiers;
    if ((state & ShiftMask) != 0 && (held & cpw_rawkey_shift) == 0) {
        held |= cpw_rawkey_leftshift;
    }
    if ((state & ControlMask) != 0 && (held & cpw_rawkey_ctrl) == 0) {
        held |= cpw_rawkey_leftctrl;
    }
    if (c.alt_mask != 0 && (state & c.alt_mask) != 0 && (held & cpw_rawkey_leftalt) == 0) {
        held |= cpw_rawkey_leftalt;
    }
    if (c.altgr_mask != 0 && (state & c.altgr_mask) != 0 && (held & cpw_rawkey_rightalt) == 0) {
        held |= cpw_rawkey_rightalt;
    }
    return held;
}

CpwRawKey raw_key(CpwX11Connection& c, const CpwLocalhostWindow& w, XKeyEvent& e, KeySym unshifted,
                  KeySym effective, int group, int vk, const CpwX11ScanCode& scan) {
    const bool press = e.type == KeyPress;
    const int side = side_of(unshifted);
    const int before = modifiers_held(c, e.state);
    if (side != 0) {
        c.held_modifiers = press ? (c.held_modifiers | side) : (c.held_modifiers & ~side);
    }
    int after = side == 0 ? before : (press ? (before | side) : (before & ~side));
    bool caps = (e.state & LockMask) != 0;
    bool numlock = c.numlock_mask != 0 && (e.state & c.numlock_mask) != 0;
    if (press && unshifted == XK_Caps_Lock) {
        caps = !caps;
    }
    if (press && unshifted == XK_Num_Lock) {
        numlock = !numlock;
    }
    after |= (caps ? cpw_rawkey_capslock : 0) | (numlock ? cpw_rawkey_numlock : 0);

    const int either = before | after;
    const bool alt = (either & cpw_rawkey_leftalt) != 0 ||
                     ((either & cpw_rawkey_rightalt) != 0 && (unshifted == XK_Alt_R || unshifted == XK_Meta_R));
    const bool ctrl = (either & cpw_rawkey_ctrl) != 0;
    const bool system = (alt && !ctrl) || vk == vk_f10;

    CpwRawKey key{};
    key.message = press ? (system ? cpw_rawkey_syskeydown : cpw_rawkey_keydown)
                        : (system ? cpw_rawkey_syskeyup : cpw_rawkey_keyup);
    key.vk = vk;
    key.scancode = scan.code;
    key.flags = (scan.extended ? cpw_rawkey_flag_extended : 0) |
                ((either & cpw_rawkey_alt) != 0 ? cpw_rawkey_flag_altdown : 0) | (press ? 0 : cpw_rawkey_flag_up);
    key.time = static_cast<std::uint32_t>(e.time);
    key.modifiers = after;
    key.context = w.ctx;
    key.window = w.id;

    const bool ctrl_now = (after & cpw_rawkey_ctrl) != 0;
    const bool alt_now = (after & cpw_rawkey_leftalt) != 0;
    if (vk == vk_delete) {
        key.character = 0;  // Delete types nothing
    } else if (ctrl_now && alt_now) {
        key.character = 0;
    } else if (ctrl_now) {
        key.character = cpw_x11_control_character(effective);
    } else {
        key.character = cpw_x11_keysym_character(effective);
    }
    if (key.character == 0) {
        key.keyscan = -1;
    } else if (key.character < 32 || key.character == 127) {
        key.keyscan = control_keyscan(key.character);
    } else {
        key.keyscan = keyscan_of(c.display, static_cast<unsigned char>(key.character), group);
    }
    return key;
}

}  // namespace

CpwRawKeyHook cpw_rawkeyhook_set(CpwRawKeyHook hook) {
    const CpwRawKeyHook old = raw_key_hook;
    raw_key_hook = hook;
    return old;
}

void cpw_x11_focusin_keyboard() {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return;
    }
    std::array<char, 32> keys{};
    XQueryKeymap(c->display, keys.data());
    int held = 0;
    for (int keycode = 8; keycode < 256; ++keycode) {
        if ((static_cast<unsigned char>(keys[static_cast<std::size_t>(keycode / 8)]) & (1u << (keycode % 8))) != 0) {
            held |= side_of(unshifted_keysym(c->display, static_cast<unsigned>(keycode), 0));
        }
    }
    c->held_modifiers = held;
}

void cpw_x11_keyevent(CpwLocalhostWindow& window, XKeyEvent& event, bool tell) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return;
    }
    Display* d = c->display;
    const bool press = event.type == KeyPress;
    const int group = static_cast<int>((event.state >> 13) & 3);
    const KeySym unshifted = unshifted_keysym(d, event.keycode, group);
    KeySym effective = NoSymbol;
    std::array<char, 16> bytes{};
    XLookupString(&event, bytes.data(), static_cast<int>(bytes.size()), &effective, nullptr);
    const CpwX11ScanCode scan = cpw_x11_scancode(event.keycode);
    const int vk = cpw_x11_virtualkey(unshifted, effective, scan.code);

    CpwContext* ctx = window.ctx;
    const std::uint32_t id = window.id;
    const CpwRawKey key = raw_key(*c, window, event, unshifted, effective, group, vk, scan);
    if (tell && raw_key_hook != nullptr) {
        raw_key_hook(key);  // before the toolkit's own handling; it may close the window
    }

    const CpwX11ToolkitKey tk = cpw_x11_toolkitkey(unshifted, effective, vk);
    const int state = press ? 1 : 2;
    if (tk.code == 0) {
        if (tell) {
            console_out("error in key processing (" + std::to_string(vk) + ")\n");
        }
        return;
    }
    ctx->keyboard_state[static_cast<std::size_t>(tk.code)] = press;
    if (tk.system) {
        if (const int side = cpw_x11_sidekey(unshifted); side != 0) {
            ctx->keyboard_state[static_cast<std::size_t>(side)] = press;
        }
        if (tell) {
            cpw_hostevent_systemkeyboard(ctx, id, tk.code, state, event.x, event.y);
        }
        return;
    }
    if (!tell) {
        return;
    }
    const bool letter = tk.code >= cpw_key_a && tk.code <= cpw_key_z;
    const bool shift = (event.state & ShiftMask) != 0 || (letter && (event.state & LockMask) != 0);
    cpw_hostevent_keyboard(ctx, id, tk.code, shift ? 1 : 0, state, event.x, event.y);
}
