#include "forms/kit/engine_dialogs.h"
#include "forms/kit/engine_draw.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/engine_window.h"

#include "cpw/cpw.h"

#include <algorithm>
#include <string>

namespace {

inline constexpr int state_press = 0;
inline constexpr int state_release = 1;
inline constexpr int state_wheel = 2;
inline constexpr int button_left = 0;
inline constexpr int button_right = 2;
inline constexpr int list_rows = 10;

bool text_box(int type) {
    return type >= 0 && type <= frm_type_chr;
}

bool path_box(int type) {
    return type >= frm_type_ifp && type <= frm_type_fld;
}

// The highest first row of the open list.
int last_offset() {
    return std::max(engine_list_count(engine_state.CurDDL) - list_rows, 0);
}

void close_list() {
    EngineState& s = engine_state;
    frm_StartKbdHook(0);
    s.CurDDL_N = s.CurDDL = s.CurInpt = -1;
    s.ddl_offset = 0;
    s.ddl_pos = {-1, -1, -1, -1};
    s.Scroll = 0;
    s.DxScrl = 0;
}

// A release while a list is open: its scroll arrows, a row, or anywhere else.
void release_in_list(int x, int Y) {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    const auto [left, top, right, bottom] = s.ddl_pos;
    const bool bar_column = s.Scroll == 1 && x > right - s.DxScrl && x < right;
    if (bar_column && Y > bottom && Y < bottom + s.DxScrl) {
        s.ddl_offset = std::min(s.ddl_offset + 1, last_offset());
    } else if (bar_column && Y > top - s.DxScrl && Y < top) {
        s.ddl_offset = std::max(s.ddl_offset - 1, 0);
    } else if (x > left && x < right - s.DxScrl && Y > bottom && Y < top) {
        const int box = t.ddl_inpt[static_cast<std::size_t>(s.CurDDL)];
        const Rect& r = t.inpt_pos[static_cast<std::size_t>(box)];
        const int row = (top - Y) / std::max(r[3] - r[1], 1);
        const int entry = s.ddl_offset + row;
        if (entry < engine_list_count(s.CurDDL)) {
            t.inpt_ival[static_cast<std::size_t>(box)] = entry;
            t.inpt_cval[static_cast<std::size_t>(box)] = engine_list_entry(s.CurDDL, entry);
            engine_recheck_refused();
            engine_callback(1, box + 1, entry + 1);
        }
        close_list();
    } else if (s.ScrollDrag == 0) {
        close_list();
    }
    engine_place_list();
}

// Caret or selection from a press and a release in a text box.
void place_caret(int i, int state, int x) {
    EngineState& s = engine_state;
    const EngineTables& t = engine_tables;
    const auto k = static_cast<std::size_t>(i);
    const int dx = std::max(engine_metrics.DxI, 1);
    int p = std::max((x - t.inpt_pos[k][0] - engine_metrics.Yoffset) / dx, 0);
    const int length = static_cast<int>(t.inpt_cval[k].size());
    if (t.inpt_ofs[k] + p > length) {
        p = std::max(length - t.inpt_ofs[k], 0);
    }
    if (state == state_press) {
        s.CurPos_1 = p;
    } else if (state == state_release) {
        s.CurPos_2 = p;
    }
    if (s.CurPos_1 >= 0 && s.CurPos_2 >= 0 && s.CurPos_2 < s.CurPos_1) {
        std::swap(s.CurPos_1, s.CurPos_2);
    }
    frm_StartKbdHook(s.CurPos_1 >= 0 && s.CurPos_2 >= 0 ? 1 : 0);
}

void tick(int i) {
    EngineTables& t = engine_tables;
    const auto k = static_cast<std::size_t>(i);
    const int group = t.rdio_set[k];
    if (group < 0) {
        t.inpt_ival[k] = t.inpt_ival[k] != 0 ? 0 : 1;
    } else if (t.inpt_ival[k] == 0) {
        const auto g = static_cast<std::size_t>(group);
        for (std::size_t j = 0; j < static_cast<std::size_t>(t.tick_rdio_count[g]); ++j) {
            t.inpt_ival[static_cast<std::size_t>(t.tick_rdio[g][j])] = 0;
        }
        t.inpt_ival[k] = 1;
    }
    check_depend();
}

// The focused box, by its type.
void click_focused(int state, int x) {
    EngineState& s = engine_state;
    const EngineTables& t = engine_tables;
    const int i = s.CurInpt;
    const int type = t.inpt_typ[static_cast<std::size_t>(i)];
    if (type == frm_type_ddl) {
        const int list = t.inpt_ddl[static_cast<std::size_t>(i)];
        if (state == state_release && list >= 0 && t.ddl_inpt[static_cast<std::size_t>(list)] == i) {
            s.CurDDL = list;
            engine_place_list();
            frm_StartKbdHook(1);
        }
    } else if (text_box(type)) {
        place_caret(i, state, x);
    } else if (type == frm_type_tck) {
        if (state == state_release) {
            tick(i);
        }
    } else if (type == frm_type_key) {
        frm_StartKbdHook(1);
        s.CurPos_1 = s.CurPos_2 = -1;
    } else if (type == frm_type_col) {
        if (state == state_release) {
            engine_choose_colour(i);
        }
    } else if (path_box(type)) {
        if (s.CurInptOld != i) {
            frm_StartKbdHook(1);
            s.CurPos_1 = s.CurPos_2 = -1;
        } else if (state == state_release) {
            frm_StartKbdHook(0);
            engine_choose_path(i);
        }
    }
    if (state == state_release && engine_box_ok(s.CurInpt)) {
        engine_recheck_refused();
        engine_callback(1, s.CurInpt + 1, t.inpt_ival[static_cast<std::size_t>(s.CurInpt)]);
    }
    s.PathChosen = -1;
}

// A released button: validation, the application's callback, the end of the loop.
void release_button() {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    const int type = t.butt_typ[static_cast<std::size_t>(s.CurButt)];
    s.ExitStat = type;
    if (type < 0) {
        cpwBreakMainLoop(engine_window.this_cpw);
    } else {
        bool ok = true;
        if (type == 1 || type >= 101) {
            for (int i = 0; i < t.nb_inpt; ++i) {
                ok = validate_box(i) != 0 && ok;
            }
        }
        if (ok) {
            engine_callback(6, s.CurButt + 1, s.ExitStat);
            if (type == 1 || type >= 1001) {
                cpwBreakMainLoop(engine_window.this_cpw);
            }
        }
    }
    s.CurButt = -1;
}

void left_button(int state, int x, int Y) {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    const bool list_open = s.CurDDL >= 0;
    if (state == state_press) {
        s.CurPos_1 = s.CurPos_2 = -1;
        s.CurOvfl = get_box_num(x, Y, t.nb_inpt, t.inpt_ovr.data());
        const auto [left, top, right, bottom] = s.ddl_pos;
        if (list_open && s.Scroll == 1 && x > right - s.DxScrl && x < right && Y > s.YScrl0 && Y < s.YScrl1) {
            s.ScrollDrag = 1;
            s.DyScrl0 = Y - s.YScrl0;
        } else {
            s.DyScrl0 = -1;
            s.ScrollDrag = 0;
        }
    } else {
        s.CurOvfl = -1;
    }
    if (!list_open) {
        s.CurButt = get_box_num(x, Y, t.nb_butt, t.butt_pos.data());
        const int box = get_box_num(x, Y, t.nb_inpt, t.inpt_pos.data());
        if (box < 0 || t.inpt_act[static_cast<std::size_t>(box)] == 0) {
            s.CurInpt = -1;
        } else {
            if (state == state_press) {
                s.CurInptOld = s.CurInpt;
            }
            s.CurInpt = box;
        }
    } else if (state == state_release) {
        release_in_list(x, Y);
    }
    if (engine_box_ok(s.CurInpt)) {
        click_focused(state, x);
    } else if (!(state == state_release && s.CurButt >= 0)) {
        if (state == state_press) {
            get_arrow(x, Y);
        } else if (state == state_release) {
            t.inpt_inc.fill(0);
        }
    }
    if (state == state_release && s.CurButt >= 0) {
        release_button();
    }
}

void right_button(int state, int x, int Y) {
    EngineState& s = engine_state;
    const EngineTables& t = engine_tables;
    s.MsgInpt = get_box_num(x, Y, t.nb_inpt, t.inpt_pos.data());
    if (s.MsgInpt < 0 || state != state_press) {
        s.xmsg = s.ymsg = -1;
    } else if (t.inpt_OK[static_cast<std::size_t>(s.MsgInpt)] == 0) {
        s.xmsg = x;
        s.ymsg = Y;
    }
}

}  // namespace

int get_box_num(int x, int y, int count, const std::array<int, 4>* rectangles) {
    for (int i = 0; i < count; ++i) {
        const auto& r = rectangles[i];
        if (r[0] < x && x < r[2] && r[1] < y && y < r[3]) {
            return i;
        }
    }
    return -1;
}

void get_arrow(int x, int y) {
    EngineState& s = engine_state;
    EngineTables& t = engine_tables;
    const int dx = engine_metrics.DxI;
    for (std::size_t i = 0; i < static_cast<std::size_t>(t.nb_inpt); ++i) {
        if (t.inpt_act[i] == 0) {
            t.inpt_inc[i] = 0;
            continue;
        }
        const Rect& r = t.inpt_pos[i];
        if (t.inpt_arr[i] != 1 || x < r[2] + 2 || x > r[2] + 2 * dx - 2) {
            continue;
        }
        const int mid = (r[1] + r[3]) / 2;
        if (y >= mid + 1 && y <= r[3] - 1) {
            s.CurInpt = static_cast<int>(i);
            t.inpt_inc[i] = 1;
            break;
        }
        if (y >= r[1] + 1 && y <= mid + 1) {
            s.CurInpt = static_cast<int>(i);
            t.inpt_inc[i] = -1;
            break;
        }
    }
    if (!engine_box_ok(s.CurInpt)) {
        return;
    }
    const int i = s.CurInpt;
    const auto k = static_cast<std::size_t>(i);
    const EngineChecks& c = engine_window.checks;
    if (t.inpt_inc[k] != 0 && engine_check_values(i) != 0 && c.incrm_val != nullptr) {
        c.incrm_val(i, t.inpt_ival[k], t.inpt_rval[k], t.inpt_cval[k], t.inpt_inc[k]);
        engine_recheck_refused();
    }
}

void frm_mouseclick(CpwContext* ctx, std::uint32_t window, int state, int button, int x, int y) {
    if (!engine_own_window(ctx, window)) {
        return;
    }
    EngineState& s = engine_state;
    const int Y = engine_metrics.windowInfo.height - y;
    if (s.CurDDL < 0) {
        frm_StartKbdHook(0);
    }
    if (state == state_wheel) {
        if (s.CurDDL >= 0) {
            if (s.Scroll == 1) {
                s.ddl_offset = std::clamp(s.ddl_offset - x, 0, last_offset());
            } else {
                s.CurDDL_N -= x;
            }
            engine_place_list();
            engine_redraw();
        }
        return;
    }
    if (button == button_left) {
        left_button(state, x, Y);
    } else if (button == button_right) {
        right_button(state, x, Y);
    } else {
        return;
    }
    engine_redraw();
}
