#include "forms/kit/engine_clipboard.h"
#include "forms/kit/engine_draw.h"
#include "forms/kit/engine_edit.h"
#include "forms/kit/engine_keys.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/engine_window.h"

#include "cpw/key_names.h"
#include "foundation/log.h"
#include "platform/console.h"
#include "foundation/stopwatch.h"

#include <algorithm>
#include <string>

namespace {

inline constexpr int vk_backspace = 8;
inline constexpr int vk_left = 37;
inline constexpr int vk_up = 38;
inline constexpr int vk_right = 39;
inline constexpr int vk_down = 40;
inline constexpr int vk_delete = 46;
inline constexpr int vk_rshift = 161;
inline constexpr int vk_ralt = 165;
inline constexpr int ctrl_c = 3;
inline constexpr int ctrl_v = 22;
inline constexpr int ctrl_x = 24;
inline constexpr int scan_enter = 28;
inline constexpr int max_text = static_cast<int>(engine_value_chars);

void trace(const char* text) {
    if (engine_metrics.DEBUG != 0) {
        console_line(text);
    }
}

void hook_entry(const CpwRawKey& key) {
    frm_KdbHookProc(0, key.message, key);
}

// The key as the hook reads it.
struct Key {
    int vk = 0;
    int scancode = 0;   // extended keys but the right Shift with 256 added
    int character = 0;  // 0: none
    int keyscan = -1;   // virtual key and shift-state bits of the character
    int modifiers = 0;
};

Key read_key(const CpwRawKey& event) {
    Key k;
    k.vk = event.vk;
    k.scancode = event.scancode;
    if ((event.flags & cpw_rawkey_flag_extended) != 0 && event.vk != vk_rshift) {
        k.scancode += 256;
    }
    k.character = event.character;
    k.keyscan = k.character != 0 ? event.keyscan : -1;
    k.modifiers = event.modifiers;
    return k;
}

// Keeps the caret of box i inside the box: the text scrolls instead.
void keep_caret_shown(std::size_t i) {
    EngineState& s = engine_state;
    const int width = std::max(engine_tables.inpt_siz[i], 0);
    if (s.CurPos_1 > width) {
        engine_tables.inpt_ofs[i] += s.CurPos_1 - width;
        s.CurPos_1 = s.CurPos_2 = width;
    }
}

void insert(std::size_t i, char c) {
    EngineState& s = engine_state;
    std::string& text = engine_tables.inpt_cval[i];
    if (static_cast<int>(text.size()) < max_text) {
        InsertChar(text, c, engine_tables.inpt_ofs[i], s.CurPos_1, s.CurPos_2);
        keep_caret_shown(i);
    }
}

bool number_box(std::size_t i) { return engine_tables.inpt_typ[i] <= frm_type_flt; }

// The characters box i takes when typed: those that show, and in the number
// boxes (types 0 to 2) only those of a number.
bool box_takes(std::size_t i, char c) { return IsPrint(c) && (!number_box(i) || IsNum(c)); }

// The characters box i takes from a paste: a number box keeps every one but
// the line ends, so that a text it cannot read ("12,5") shows as pasted and
// is refused by the value checks, never read as another number ("125"); a
// text box takes those that show.
bool box_takes_pasted(std::size_t i, char c) {
    return number_box(i) ? c != '\r' && c != '\n' : IsPrint(c);
}

std::string selected_text(std::size_t i) {
    const EngineState& s = engine_state;
    const std::string& text = engine_tables.inpt_cval[i];
    const int from = std::clamp(engine_tables.inpt_ofs[i] + s.CurPos_1, 0, static_cast<int>(text.size()));
    const int to = std::clamp(engine_tables.inpt_ofs[i] + s.CurPos_2, from, static_cast<int>(text.size()));
    return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

// A key pressed in a text box (types 0 to 3) with a caret.
void edit_text(std::size_t i, const Key& k) {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    std::string& text = t.inpt_cval[i];
    int& ofs = t.inpt_ofs[i];
    const bool selection = s.CurPos_2 > s.CurPos_1;
    const int length = static_cast<int>(text.size());
    if (k.character == vk_backspace) {
        DeleteChar(text, ofs, s.CurPos_1, s.CurPos_2);
    } else if (k.vk == vk_delete && k.character == 0) {
        if (selection) {
            DeleteChar(text, ofs, s.CurPos_1, s.CurPos_2);
        } else if (ofs + s.CurPos_1 < length) {  // at the end of the text: nothing to delete
            s.CurPos_2 = s.CurPos_1 + 1;
            DeleteChar(text, ofs, s.CurPos_1, s.CurPos_2);
        }
    } else if (k.vk == vk_left && k.character == 0) {
        if (s.CurPos_1 > 0) {
            --s.CurPos_1;
        } else if (ofs > 0) {
            --ofs;
        }
        s.CurPos_2 = s.CurPos_1;
    } else if (k.vk == vk_right && k.character == 0) {
        if (ofs + s.CurPos_1 < length) {
            if (s.CurPos_1 < t.inpt_siz[i]) {
                ++s.CurPos_1;
            } else {
                ++ofs;
            }
        }
        s.CurPos_2 = s.CurPos_1;
    } else if (k.character == ctrl_c || k.character == ctrl_x) {
        if (selection) {
            wr_clp(selected_text(i));
            if (k.character == ctrl_x) {
                DeleteChar(text, ofs, s.CurPos_1, s.CurPos_2);
            }
        }
    } else if (k.character == ctrl_v) {
        std::string pasted;
        rd_clp(pasted);
        for (const char c : pasted) {
            if (box_takes_pasted(i, c)) {
                insert(i, c);
            }
        }
    } else if (k.character != 0) {
        int keyscan = k.keyscan;
        if ((keyscan & ~0xFF) == cpw_keyscan_shift) {
            keyscan -= cpw_keyscan_shift;
        }
        const char c = static_cast<char>(k.character);
        if (keyscan >= 32 && keyscan <= 255 && box_takes(i, c)) {
            insert(i, c);
        }
    }
}

void key_down(const Key& k) {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    EngineWindow& w = engine_window;
    if (k.scancode != w.scancode_old) {
        w.LastDwnTime = elapsed_ms();  // a held key that repeats keeps its first time
    }
    w.scancode_old = k.scancode;
    if (s.CurDDL < 0 && engine_box_ok(s.CurInpt)) {
        const auto i = static_cast<std::size_t>(s.CurInpt);
        const int type = t.inpt_typ[i];
        const std::string before = t.inpt_cval[i];
        if (type == frm_type_key) {
            w.AltGr_Down_SVE = k.vk == vk_ralt ? 1 : 0;
        } else if (type >= frm_type_ifp && type <= frm_type_fld) {
            if (k.vk == vk_delete && k.character == 0) {
                t.inpt_cval[i].clear();
                s.CurInpt = -1;
            }
        } else if (type >= 0 && type <= frm_type_chr && s.CurPos_1 >= 0) {
            edit_text(i, k);
        }
        if (t.inpt_cval[i] != before) {
            engine_recheck_refused();
        }
    } else if (s.CurDDL >= 0 && k.character == 0) {
        const int last = std::max(engine_list_count(s.CurDDL) - 10, 0);
        if (k.vk == vk_up && s.ddl_offset > 0) {
            --s.ddl_offset;
        } else if (k.vk == vk_down && s.ddl_offset < last) {
            ++s.ddl_offset;
        }
        engine_place_list();
    }
    engine_redraw();
}

// The code and name of the key released in a KEY box.
int captured_key(const Key& k) {
    const bool top_row = k.scancode >= 2 && k.scancode <= 13;
    if (top_row && k.character != 0) {
        return k.keyscan >= 0 && k.keyscan < 129 ? k.keyscan : k.character;
    }
    if (!top_row && k.character != 0 && k.keyscan == k.vk && k.keyscan >= 32 && k.keyscan <= 126) {
        return k.keyscan;
    }
    return -k.scancode;
}

void key_up(const Key& k) {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    EngineWindow& w = engine_window;
    if (!engine_box_ok(s.CurInpt) || t.inpt_typ[static_cast<std::size_t>(s.CurInpt)] != frm_type_key) {
        return;
    }
    const auto i = static_cast<std::size_t>(s.CurInpt);
    const int code = captured_key(k);
    const bool ctrl = (k.modifiers & cpw_rawkey_ctrl) != 0 && k.vk != vk_ralt;
    const bool shift = (k.modifiers & cpw_rawkey_shift) != 0;
    const bool alt = (k.modifiers & cpw_rawkey_leftalt) != 0;
    if (ctrl && code == -scan_enter) {
        t.inpt_ival[i] = 0;
        t.inpt_cval[i] = " ";
    } else {
        int flags = elapsed_ms() > w.LastDwnTime + key_long_press_ms ? key_flag_long : 0;
        if (!is_key_mod(k.scancode, k.vk)) {
            flags += (ctrl ? key_flag_ctrl : 0) + (shift ? key_flag_shift : 0) + (alt ? key_flag_alt : 0);
        }
        t.inpt_ival[i] = flags * 10000 + code;
        std::string name;
        t.inpt_cval[i] = get_key_name(t.inpt_ival[i], name) > 0 ? name : std::string("??????");
    }
    engine_recheck_refused();
    if (w.AltGr_Down_SVE != 0) {
        w.AltGr_Down_SVE = 0;
    } else {
        s.CurInpt = -1;
    }
    engine_redraw();
}

}  // namespace

void frm_StartKbdHook(int flag) {
    EngineWindow& w = engine_window;
    if (w.kbd_hook) {
        const CpwRawKeyHook current = cpw_rawkeyhook_set(w.next_hook);
        if (current != hook_entry) {
            cpw_rawkeyhook_set(current);  // another hook came after ours: leave it
        }
        w.kbd_hook = false;
        w.next_hook = nullptr;
        trace("STOP HOOK");
    }
    if (flag != 0) {
        w.next_hook = cpw_rawkeyhook_set(hook_entry);
        w.kbd_hook = true;
        trace("START HOOK");
    }
    w.LastDwnTime = 0;
    w.AltGr_Down_SVE = 0;
    w.scancode_old = 0;
}

void frm_KdbHookProc(int nCode, int message, const CpwRawKey& event) {
    const CpwRawKeyHook next = engine_window.next_hook;
    if (nCode < 0) {
        log_message_text("KBD nCode : " + std::to_string(nCode) + " 0 ");
    } else if (engine_own_window(event.context, event.window)) {
        const Key k = read_key(event);
        if (message == cpw_rawkey_keydown || message == cpw_rawkey_syskeydown) {
            key_down(k);
        } else if (message == cpw_rawkey_keyup || message == cpw_rawkey_syskeyup) {
            key_up(k);
        }
    }
    if (next != nullptr) {
        next(event);
    }
}
