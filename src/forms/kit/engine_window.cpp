#include "forms/kit/engine_window.h"

#include "forms/kit/engine_clipboard.h"
#include "forms/kit/engine_icon.h"
#include "forms/kit/engine_draw.h"
#include "forms/kit/engine_layout.h"
#include "forms/kit/engine_tables.h"

#include "cpw/cpw.h"
#include "cpw/font.h"
#include "cpw/gl_float_guard.h"
#include "foundation/log.h"
#include "platform/console.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

namespace {

inline constexpr const char* fallback_font = "arial.ttf";
inline constexpr const char* input_font = "cour.ttf";

void trace(const std::string& text) {
    if (engine_metrics.DEBUG != 0) {
        console_line(text);
    }
}

CpwFontFace load_font(const std::string& name) {
    return cpwLoadFont(engine_window.this_cpw, name.c_str(), cpw_fontlocation_system, nullptr);
}

// Closes the form's window and context, when there are any.
void close_graphics() {
    frm_StartKbdHook(0);
    EngineWindow& w = engine_window;
    if (w.this_cpw != nullptr) {
        cpwFreeContext(&w.this_cpw);  // also closes the fonts and the window
    }
    w.this_cpw = nullptr;
    w.hwnd = 0;
    engine_metrics.Txt_Font = 0;
    engine_metrics.Inp_Font = 0;
    engine_metrics.windowInfo.id = 0;
}

// Loads the label and the input fonts, falling back to "arial.ttf"; false
// when either stays unloaded or gives no character width.
bool load_fonts() {
    EngineWindow& w = engine_window;
    EngineMetrics& m = engine_metrics;
    CpwContext* ctx = w.this_cpw;
    cpwFontMode(ctx, cpw_fontopt_drawmode, 0);
    cpwFontMode(ctx, cpw_fontopt_layoutleft, 0);
    cpwFontMode(ctx, cpw_fontopt_pointsize, m.font_size);
    cpwFontMode(ctx, cpw_fontopt_kerning, 1);
    cpwFontMode(ctx, cpw_fontopt_imageformat, GL_RGBA);
    cpwFontMode(ctx, cpw_fontopt_outline, 1);
    cpwFontMode(ctx, cpw_fontopt_spacing, 1);
    m.Txt_Font = load_font(w.font_name);
    if (m.Txt_Font == 0) {
        log_message_text("************* Txt_Font : " + w.font_name + " could not be loaded - arial.ttf selected *************");
        w.font_name = fallback_font;
        m.Txt_Font = load_font(w.font_name);
    }
    m.Inp_Font = load_font(input_font);
    if (m.Inp_Font == 0) {
        log_message_text(std::string("************* Inp_Font : ") + input_font +
                         " could not be loaded - arial.ttf selected *************");
        w.font_name = fallback_font;
        m.Inp_Font = load_font(w.font_name);
    }
    if (m.Txt_Font == 0 || m.Inp_Font == 0) {
        log_message_text("Form: no font could be loaded - the form is not shown");
        return false;
    }
    cpwFontMode(ctx, cpw_fontopt_pointsize, m.font_size);
    engine_font_metrics();
    if (m.DxI <= 0) {
        log_message_text("Form: the input font has no width - the form is not shown");
        return false;
    }
    return true;
}

void register_callbacks(CpwContext* ctx) {
    cpwCreateCallback(ctx, frm_window);
    cpwDisplayCallback(ctx, frm_draw);
    cpwReshapeCallback(ctx, frm_reshape);
    cpwMouseClickCallback(ctx, frm_mouseclick);
    cpwMouseEntryCallback(ctx, frm_mouseentry);
    cpwMouseMoveCallback(ctx, frm_mousemove);
    cpwMouseDragCallback(ctx, frm_mousedrag);
}

// Y upward from the window's bottom.
int upward(int y) {
    return engine_metrics.windowInfo.height - y;
}

}  // namespace

int frm_start_graphics(std::string_view font_file, std::string_view title) {
    // The earlier form's context goes once the new one stands: the display
    // connection, and the GL driver loaded for it, stay from form to form.
    CpwContext* earlier = engine_window.this_cpw;
    engine_window.this_cpw = nullptr;
    close_graphics();
    reset_engine_state();
    EngineWindow& w = engine_window;
    EngineMetrics& m = engine_metrics;
    w.font_name = std::string(font_file.substr(0, 127));
    w.Title = std::string(title.substr(0, 127));
    const bool started = cpwInitContext(&w.this_cpw);
    if (earlier != nullptr) {
        cpwFreeContext(&earlier);
    }
    if (!started) {
        log_message_text("Form: the windowing toolkit could not start (error " +
                         std::to_string(cpwGetLastError(w.this_cpw)) + ")");
        close_graphics();
        return 0;
    }
    if (!load_fonts()) {
        close_graphics();
        return 0;
    }
    form_setup();
    cpwInitWindowProperty(w.this_cpw, cpw_window_fixedframe, 0, 0);
    if (m.ActWin == 0) {
        cpwInitWindowProperty(w.this_cpw, cpw_window_caption, 0, 0);
    }
    const std::uint32_t id = cpwCreateWindowEx(w.this_cpw, w.Title.c_str(), 100, 100,
                                               static_cast<std::uint32_t>(std::max(m.windowInfo.width, 1)),
                                               static_cast<std::uint32_t>(std::max(m.windowInfo.height, 1)));
    if (id == 0) {
        log_message_text("Form: the window could not be opened (error " + std::to_string(cpwGetLastError(w.this_cpw)) +
                         ")");
        close_graphics();
        return 0;
    }
    m.windowInfo.id = id;
    w.hwnd = get_hwnd(w.this_cpw, id);
    if (w.hwnd == 0) {
        log_message_text("hwnd " + std::to_string(id));
    }
    frm_load_icon(w.this_cpw, id);
    cpwSetForegroundWindow(w.this_cpw, id);
    register_callbacks(w.this_cpw);
    trace("frm_start_graphics : window " + std::to_string(id));
    return static_cast<int>(id);
}

int frm_do_graphics() {
    EngineWindow& w = engine_window;
    const std::uint32_t id = engine_metrics.windowInfo.id;
    if (w.this_cpw == nullptr || id == 0) {
        return 0;
    }
    engine_state.ExitStat = 0;
    cpwShowWindow(w.this_cpw, id);
    cpwMainLoop(w.this_cpw);
    frm_StartKbdHook(0);
    if (engine_metrics.windowInfo.id != 0) {
        cpwHideWindow(w.this_cpw, engine_metrics.windowInfo.id);
    }
    return engine_state.ExitStat;
}

void frm_close_graphics() {
    close_graphics();
}

int frm_new_form_gr() {
    const std::uint32_t id = engine_metrics.windowInfo.id;
    if (engine_window.this_cpw == nullptr || id == 0) {
        return 0;
    }
    form_setup();
    cpwReshapeWindow(engine_window.this_cpw, static_cast<std::uint32_t>(std::max(engine_metrics.windowInfo.width, 1)),
                     static_cast<std::uint32_t>(std::max(engine_metrics.windowInfo.height, 1)), id);
    return static_cast<int>(id);
}

void frm_window(CpwContext* ctx, std::uint32_t window, int flag) {
    if (!engine_own_window(ctx, window)) {
        return;
    }
    if (flag == 1) {
        const CpwGlFloatGuard guard;
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glShadeModel(GL_SMOOTH);
        glDepthFunc(GL_LEQUAL);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        glEnable(GL_POLYGON_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    } else if (flag == 0) {
        frm_StartKbdHook(0);
        cpwDestroyWindow(ctx, window);
        engine_metrics.windowInfo.id = 0;
        engine_window.hwnd = 0;
        engine_state.ExitStat = frm_exit_closed;
        cpwBreakMainLoop(ctx);
    }
}

void frm_mouseentry(CpwContext* ctx, std::uint32_t window, int state) {
    if (!engine_own_window(ctx, window) || state != 1) {
        return;
    }
    frm_StartKbdHook(0);
    EngineState& s = engine_state;
    s.CurInpt = s.CurPos_1 = s.CurPos_2 = s.CurDDL = s.CurDDL_N = -1;
    engine_place_list();
    engine_redraw();
}

void frm_mousemove(CpwContext* ctx, std::uint32_t window, int x, int y) {
    EngineState& s = engine_state;
    if (!engine_own_window(ctx, window) || s.CurDDL < 0) {
        return;
    }
    const int Y = upward(y);
    const auto [left, top, right, bottom] = s.ddl_pos;
    if (x <= left || x >= right || Y <= bottom || Y >= top) {
        return;
    }
    const int box = engine_tables.ddl_inpt[static_cast<std::size_t>(s.CurDDL)];
    const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(std::max(box, 0))];
    const int rh = std::max(r[3] - r[1], 1);
    s.CurDDL_N = (top - Y) / rh + s.ddl_offset;
    engine_redraw();
}

void frm_mousedrag(CpwContext* ctx, std::uint32_t window, int button, int x, int y) {
    EngineState& s = engine_state;
    if (!engine_own_window(ctx, window) || s.Scroll != 1 || s.CurDDL < 0 || button != 0 || s.DyScrl0 < 0) {
        return;
    }
    const auto [left, top, right, bottom] = s.ddl_pos;
    if (x <= right - s.DxScrl || x >= right) {
        return;
    }
    const int Y = upward(y);
    const double span = static_cast<double>(top + s.YScrl0 - bottom - 2 * s.DxScrl - s.YScrl1);
    if (span <= 0.0) {
        return;
    }
    const double f = std::clamp(1.0 - static_cast<double>(Y - s.DyScrl0 - bottom - s.DxScrl) / span, 0.0, 1.0);
    const int n = engine_list_count(s.CurDDL);
    s.ddl_offset = static_cast<int>(static_cast<double>(n - 10) * f);
    s.ScrollDrag = 1;
    engine_place_list();
    engine_redraw();
}

int engine_check_values(int i) {
    EngineTables& t = engine_tables;
    const auto k = static_cast<std::size_t>(i);
    const EngineChecks& c = engine_window.checks;
    if (c.check_values == nullptr) {
        return 1;
    }
    return c.check_values(i, t.inpt_act[k], t.inpt_ival[k], t.inpt_rval[k], t.inpt_cval[k], t.inpt_msg[k]);
}

int engine_check_minmax(int i) {
    EngineTables& t = engine_tables;
    const auto k = static_cast<std::size_t>(i);
    const EngineChecks& c = engine_window.checks;
    if (c.check_minmax == nullptr) {
        return 1;
    }
    return c.check_minmax(i, t.inpt_ival[k], t.inpt_rval[k], t.inpt_cval[k], t.inpt_msg[k]);
}

int validate_box(int index) {
    if (!engine_box_ok(index)) {
        return 0;
    }
    const auto k = static_cast<std::size_t>(index);
    // The value checks show an accepted value as the box reads it; one its
    // bounds then refuse stays as it was typed.
    const std::string typed = engine_tables.inpt_cval[k];
    int passed = engine_check_values(index);
    if (passed != 0) {
        passed = engine_check_minmax(index);
    }
    if (passed == 0) {
        engine_tables.inpt_cval[k] = typed;
    }
    engine_tables.inpt_OK[k] = passed != 0 ? 1 : 0;
    return passed != 0 ? 1 : 0;
}

int box_refused(int index) {
    return engine_box_ok(index) && engine_tables.inpt_OK[static_cast<std::size_t>(index)] == 0 ? 1 : 0;
}
