#include "forms/kit/engine_draw.h"

#include "forms/kit/engine_layout.h"
#include "forms/kit/engine_tables.h"

#include "cpw/cpw.h"
#include "cpw/font.h"
#include "cpw/gl_float_guard.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <string>

namespace {

struct Colour {
    float r, g, b, a = 1.0f;
};

constexpr Colour black{0.0f, 0.0f, 0.0f};
constexpr Colour white{1.0f, 1.0f, 1.0f};
constexpr Colour form_grey{0.941f, 0.941f, 0.941f};
constexpr Colour greyed{0.666f, 0.666f, 0.666f};
constexpr Colour focused{0.88f, 0.94f, 1.0f};
constexpr Colour refused{1.0f, 0.0f, 0.0f, 0.5f};
constexpr Colour selection{0.2f, 0.6f, 1.0f};
constexpr Colour hint_green{0.0f, 0.28f, 0.0f};
constexpr Colour highlight{0.66f, 0.83f, 1.0f};
constexpr Colour shade_dark{0.412f, 0.412f, 0.412f};
constexpr Colour shade_mid{0.627f, 0.627f, 0.627f};
constexpr Colour shade_light{0.89f, 0.89f, 0.89f};
constexpr Colour label_greyed{0.7f, 0.7f, 0.7f};
constexpr Colour list_outline{0.85f, 0.85f, 0.85f};
constexpr Colour track_grey{0.813f, 0.813f, 0.813f};
constexpr Colour thumb_grey{0.66f, 0.66f, 0.66f};
constexpr Colour thumb_dragged{0.33f, 0.33f, 0.33f};
constexpr Colour dot_grey{0.2f, 0.2f, 0.2f};
constexpr Colour bubble_blue{0.0f, 0.0f, 1.0f};

void colour(const Colour& c) {
    glColor4f(c.r, c.g, c.b, c.a);
}

void fill_rect(int x1, int y1, int x2, int y2, const Colour& c) {
    colour(c);
    glRecti(x1, y1, x2, y2);
}

// A line through pixel centres.
void line(int x1, int y1, int x2, int y2, const Colour& c) {
    colour(c);
    glBegin(GL_LINES);
    glVertex2f(static_cast<float>(x1) + 0.5f, static_cast<float>(y1) + 0.5f);
    glVertex2f(static_cast<float>(x2) + 0.5f, static_cast<float>(y2) + 0.5f);
    glEnd();
}

void outline_rect(int x1, int y1, int x2, int y2, const Colour& c) {
    line(x1, y1, x2, y1, c);
    line(x2, y1, x2, y2, c);
    line(x2, y2, x1, y2, c);
    line(x1, y2, x1, y1, c);
}

void triangle(const std::array<int, 6>& p, bool filled, const Colour& c) {
    colour(c);
    glBegin(filled ? GL_TRIANGLES : GL_LINE_LOOP);
    for (std::size_t i = 0; i < 6; i += 2) {
        glVertex2f(static_cast<float>(p[i]) + 0.5f, static_cast<float>(p[i + 1]) + 0.5f);
    }
    glEnd();
}

// A bevel of four one-pixel lines round x1..x2, y1..y2: the outer and inner
// colours of the left and top sides, then of the bottom and right sides.
void bevel(int x1, int y1, int x2, int y2, const Colour& outer_lt, const Colour& inner_lt, const Colour& inner_br,
           const Colour& outer_br) {
    line(x1 - 1, y1 - 1, x1 - 1, y2 + 1, outer_lt);
    line(x1 - 1, y2 + 1, x2 + 1, y2 + 1, outer_lt);
    line(x1, y1, x1, y2, inner_lt);
    line(x1, y2, x2, y2, inner_lt);
    line(x1, y1, x2, y1, inner_br);
    line(x2, y1, x2, y2, inner_br);
    line(x1 - 1, y1 - 1, x2 + 1, y1 - 1, outer_br);
    line(x2 + 1, y1 - 1, x2 + 1, y2 + 1, outer_br);
}

// Text at a baseline position, in a font at a point size.
void text_at(int x, int y, EngineFont font, int size, std::string_view text, const Colour& c) {
    CpwContext* ctx = engine_window.this_cpw;
    const CpwFontFace face = font == EngineFont::label ? engine_metrics.Txt_Font : engine_metrics.Inp_Font;
    if (ctx == nullptr || face == 0 || text.empty()) {
        return;
    }
    colour(c);
    glRasterPos2i(x, y);
    cpwFontMode(ctx, cpw_fontopt_pointsize, size);
    const std::string copy(text);
    cpwDrawFont(ctx, face, copy.c_str(), 1);
}

// Characters of a text from `from`, at most `count` of them; nothing past its end.
std::string_view piece(std::string_view text, int from, int count) {
    if (from < 0 || count <= 0 || static_cast<std::size_t>(from) >= text.size()) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
}

void circle(float cx, float cy, float radius, int step, bool filled, const Colour& c) {
    const EngineTables& t = engine_tables;
    colour(c);
    glBegin(filled ? GL_POLYGON : GL_LINE_LOOP);
    for (std::size_t k = 0; k < static_cast<std::size_t>(t.NCRad); k += static_cast<std::size_t>(step)) {
        glVertex2f(cx + radius * t.pprad[k][0], cy + radius * t.pprad[k][1]);
    }
    glEnd();
}

// The outline of a radio button: the first half of the circle dark, the second light.
void circle_frame(float cx, float cy, float radius) {
    const EngineTables& t = engine_tables;
    glLineWidth(1.5f);
    const std::size_t half = static_cast<std::size_t>(t.NCRad) / 2;
    for (int part = 0; part < 2; ++part) {
        colour(part == 0 ? shade_dark : shade_light);
        glBegin(GL_LINE_STRIP);
        const std::size_t from = part == 0 ? 0 : half;
        const std::size_t to = part == 0 ? half : static_cast<std::size_t>(t.NCRad);
        for (std::size_t k = from; k <= to && t.NCRad > 0; ++k) {
            const auto& p = t.pprad[k % static_cast<std::size_t>(t.NCRad)];
            glVertex2f(cx + radius * p[0], cy + radius * p[1]);
        }
        glEnd();
    }
    glLineWidth(1.0f);
}

Colour colour_of_value(int value) {
    return {static_cast<float>((value >> 16) & 255) / 255.0f, static_cast<float>((value >> 8) & 255) / 255.0f,
            static_cast<float>(value & 255) / 255.0f};
}

void draw_box_text(std::size_t i, const Rect& r, const Colour& ink) {
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    const EngineState& s = engine_state;
    const std::string& text = t.inpt_cval[i];
    const int width = t.inpt_siz[i];
    const int type = t.inpt_typ[i];
    const int x = r[0] + m.Yoffset;
    const int y = r[1] + m.Yoffset + 1;
    const bool has_focus = s.CurInpt == static_cast<int>(i);
    if (has_focus && s.CurPos_1 >= 0) {
        const int start = s.CurPos_1;
        const bool selected = s.CurPos_2 > start;
        if (selected) {
            fill_rect(x + start * m.DxI, r[1] + 2, x + s.CurPos_2 * m.DxI, r[3] - 2, selection);
        } else {
            line(x + start * m.DxI, r[1] + 2, x + start * m.DxI, r[3] - 2, black);
        }
        if (selected) {
            const int ofs = t.inpt_ofs[i];
            const int end = s.CurPos_2;
            text_at(x, y, EngineFont::input, m.font_size, piece(text, ofs, start), ink);
            text_at(x + start * m.DxI, y, EngineFont::input, m.font_size, piece(text, ofs + start, end - start), ink);
            text_at(x + end * m.DxI, y, EngineFont::input, m.font_size, piece(text, ofs + end, width - end), ink);
            return;
        }
    }
    if (has_focus && type == frm_type_key) {
        text_at(x, y, EngineFont::input, m.font_size, "Hit a key", hint_green);
    } else if (type >= frm_type_ifp && type <= frm_type_ddl && static_cast<int>(text.size()) > width) {
        const int tail = std::max(width - 3, 0);
        const std::string shown = "..." + text.substr(text.size() - static_cast<std::size_t>(tail));
        text_at(x, y, EngineFont::input, m.font_size, shown, ink);
    } else {
        text_at(x, y, EngineFont::input, m.font_size, piece(text, t.inpt_ofs[i], width), ink);
    }
}

void draw_arrows(std::size_t i, const Rect& r) {
    const int dx = engine_metrics.DxI;
    const int mid = (r[1] + r[3]) / 2;
    const std::array<int, 6> up{r[2] + 2, mid + 1, r[2] + dx, r[3] - 1, r[2] + 2 * dx - 2, mid + 1};
    const std::array<int, 6> down{r[2] + 2, mid - 1, r[2] + dx, r[1] + 1, r[2] + 2 * dx - 2, mid - 1};
    if (engine_tables.inpt_inc[i] > 0) {
        triangle(up, true, highlight);
    } else if (engine_tables.inpt_inc[i] < 0) {
        triangle(down, true, highlight);
    }
    triangle(up, false, black);
    triangle(down, false, black);
}

void draw_overflow_marker(std::size_t i, const Rect& r) {
    EngineTables& t = engine_tables;
    const int type = t.inpt_typ[i];
    t.inpt_ovr[i] = {0, 0, 0, 0};
    if ((type >= frm_type_tck && type <= frm_type_col) || static_cast<int>(t.inpt_cval[i].size()) <= t.inpt_siz[i]) {
        return;
    }
    const EngineTextBox dots = engine_measure(EngineFont::input, engine_metrics.font_size, "...");
    const Rect marker{r[2] - dots.width - 4, r[1] - dots.height - 5, r[2], r[1] - 1};
    fill_rect(marker[0], marker[1], marker[2], marker[3], white);
    text_at(marker[0] + 2, marker[1] + 3, EngineFont::input, engine_metrics.font_size, "...", shade_dark);
    outline_rect(marker[0], marker[1], marker[2], marker[3], shade_dark);
    t.inpt_ovr[i] = marker;
}

void draw_box(std::size_t i) {
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    const Rect& r = t.inpt_pos[i];
    const int type = t.inpt_typ[i];
    const bool tick = type == frm_type_tck;
    const bool radio = t.rdio_set[i] >= 0;
    const bool has_focus = engine_state.CurInpt == static_cast<int>(i);
    Colour background = white;
    Colour ink = black;
    if (t.inpt_act[i] == 0) {
        background = greyed;
    } else if (type == frm_type_col) {
        background = colour_of_value(t.inpt_ival[i]);
        const float luminance = 0.30f * background.r + 0.59f * background.g + 0.11f * background.b;
        ink = luminance > 0.16f ? black : white;
    } else if (has_focus && !tick) {
        background = focused;
    }
    const float cx = static_cast<float>(r[0] + r[2]) / 2.0f + 2.0f;
    const float cy = static_cast<float>(r[1] + r[3]) / 2.0f + 2.0f;
    const float radius = static_cast<float>(t.inpt_siz[i]) / 2.0f;
    if (radio) {
        circle(cx, cy, radius, 1, true, background);
    } else {
        fill_rect(r[0], r[1], r[2], r[3] + 1, background);
    }
    if (t.inpt_OK[i] == 0) {
        fill_rect(r[0], r[1], r[2], r[3] + 1, refused);
    }
    if (type == frm_type_ddl) {
        colour(black);
        glBegin(GL_LINE_STRIP);
        glVertex2i(r[2] - 2 * m.DxI + 2, r[3] - 5);
        glVertex2i(r[2] - m.DxI, r[1] + 5);
        glVertex2i(r[2] - 2, r[3] - 5);
        glEnd();
    }
    if (!tick) {
        draw_box_text(i, r, ink);
    } else if (t.inpt_ival[i] != 0) {
        if (radio) {
            circle(cx, cy, static_cast<float>(r[3] - r[1]) * 10.0f / 30.0f, 2, true, dot_grey);
        } else {
            const int q = (r[3] - r[1]) / 4;
            glLineWidth(2.0f);
            colour(black);
            glBegin(GL_LINE_STRIP);
            glVertex2i(r[0] + 3, r[1] + 2 * q);
            glVertex2i(r[0] + 2 * q, r[1] + q);
            glVertex2i(r[2] - 3, r[3] - 3);
            glEnd();
            glLineWidth(1.0f);
        }
    }
    int right = r[2];
    if (t.inpt_arr[i] == 1) {
        draw_arrows(i, r);
        right = r[2] + 2 * m.DxI;
    }
    if (radio) {
        circle_frame(cx, cy, radius);
    } else {
        bevel(r[0], r[1], right, r[3] + 1, shade_mid, shade_dark, shade_light, white);
    }
    draw_overflow_marker(i, r);
    if (!t.inpt_txt[i].empty()) {
        text_at(t.inpt_ptx[i][0], t.inpt_ptx[i][1], EngineFont::label, m.font_size, t.inpt_txt[i],
                t.inpt_act[i] != 0 ? black : label_greyed);
    }
}

void draw_buttons() {
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    for (std::size_t b = 0; b < static_cast<std::size_t>(t.nb_butt); ++b) {
        const Rect& r = t.butt_pos[b];
        if (engine_state.CurButt == static_cast<int>(b)) {
            bevel(r[0], r[1], r[2], r[3], shade_dark, shade_mid, shade_light, white);
        } else {
            bevel(r[0], r[1], r[2], r[3], white, shade_light, shade_mid, shade_dark);
        }
        const int width = engine_measure(EngineFont::label, m.font_size, t.butt_txt[b]).width;
        text_at(r[0] + (t.butt_siz[b] - width) / 2, r[1] + m.Yoffset, EngineFont::label, m.font_size, t.butt_txt[b], black);
    }
}

void draw_bubble() {
    const EngineState& s = engine_state;
    const EngineMetrics& m = engine_metrics;
    if (s.xmsg < 0 || !engine_box_ok(s.MsgInpt)) {
        return;
    }
    const std::string& msg = engine_tables.inpt_msg[static_cast<std::size_t>(s.MsgInpt)];
    const EngineTextBox box = engine_measure(EngineFont::label, m.font_size, msg);
    const int x = std::max(std::min(s.xmsg, m.windowInfo.width - box.width - 2), 0);
    const int y = s.ymsg;
    fill_rect(x - 2, y - m.Yoffset - 2, x + box.width + 2, y + box.height + 2, white);
    text_at(x, y, EngineFont::label, m.font_size, msg, bubble_blue);
}

void draw_list() {
    const EngineState& s = engine_state;
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    if (s.CurDDL < 0 || s.ddl_pos[0] < 0) {
        return;
    }
    const int box = t.ddl_inpt[static_cast<std::size_t>(s.CurDDL)];
    const Rect& r = t.inpt_pos[static_cast<std::size_t>(box)];
    const int rh = std::max(r[3] - r[1], 1);
    const int n = engine_list_count(s.CurDDL);
    const int rows = std::min(n, 10);
    const auto [left, top, right, bottom] = s.ddl_pos;
    fill_rect(left, bottom, right, top, white);
    outline_rect(left, bottom, right, top, list_outline);
    const int rows_right = right - s.DxScrl;
    const int selected = t.inpt_ival[static_cast<std::size_t>(box)];
    for (int row = 0; row < rows; ++row) {
        const int entry = s.ddl_offset + row;
        const int row_top = top - row * rh;
        const int row_bottom = row_top - rh;
        if (entry == s.CurDDL_N) {
            fill_rect(left + 1, row_bottom, rows_right, row_top, highlight);
        }
        if (entry == selected) {
            glLineWidth(2.5f);
            outline_rect(left + 1, row_bottom + 1, rows_right - 1, row_top - 1, highlight);
            glLineWidth(1.0f);
        }
        text_at(left + m.Yoffset, row_bottom + m.Yoffset + 1, EngineFont::input, m.font_size,
                engine_list_entry(s.CurDDL, entry), black);
    }
    if (s.Scroll == 1) {
        fill_rect(rows_right, bottom, right, top, track_grey);
        fill_rect(rows_right, s.YScrl0, right, s.YScrl1, s.ScrollDrag == 1 ? thumb_dragged : thumb_grey);
        const int mid = (rows_right + right) / 2;
        triangle({rows_right + 2, top - s.DxScrl + 2, mid, top - 2, right - 2, top - s.DxScrl + 2}, true, black);
        triangle({rows_right + 2, bottom + s.DxScrl - 2, mid, bottom + 2, right - 2, bottom + s.DxScrl - 2}, true, black);
    }
}

void draw_overflow_popup() {
    const EngineState& s = engine_state;
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    if (!engine_box_ok(s.CurOvfl)) {
        return;
    }
    const auto i = static_cast<std::size_t>(s.CurOvfl);
    const Rect& r = t.inpt_pos[i];
    const std::string& text = t.inpt_cval[i];
    const int width = std::max(t.inpt_siz[i], 1);
    const int rh = std::max(r[3] - r[1], 1);
    const int lines = std::max((static_cast<int>(text.size()) + width - 1) / width, 1);
    int top = r[3];
    int bottom = top - lines * rh;
    if (bottom < 1) {
        bottom = r[1];
        top = bottom + lines * rh;
    }
    fill_rect(r[0], bottom, r[2], top, white);
    outline_rect(r[0], bottom, r[2], top, black);
    for (int k = 0; k < lines; ++k) {
        text_at(r[0] + m.Yoffset, top - (k + 1) * rh + m.Yoffset + 1, EngineFont::input, m.font_size,
                piece(text, k * width, width), black);
    }
}

}  // namespace

bool engine_own_window(const CpwContext* ctx, std::uint32_t window) {
    return ctx != nullptr && ctx == engine_window.this_cpw && window != 0 && window == engine_metrics.windowInfo.id;
}

void engine_place_list() {
    EngineState& s = engine_state;
    const EngineTables& t = engine_tables;
    const int box = s.CurDDL >= 0 && s.CurDDL < engine_max_lists ? t.ddl_inpt[static_cast<std::size_t>(s.CurDDL)] : -1;
    if (!engine_box_ok(box)) {
        s.ddl_pos = {-1, -1, -1, -1};
        s.Scroll = 0;
        s.DxScrl = 0;
        return;
    }
    const Rect& r = t.inpt_pos[static_cast<std::size_t>(box)];
    const int rh = r[3] - r[1];
    const int n = engine_list_count(s.CurDDL);
    s.Scroll = n > 10 ? 1 : 0;
    const int rows = std::min(n, 10);
    int top = r[1];
    int bottom = top - rows * rh;
    if (bottom < 0) {
        bottom = 12;
        top = rows * rh + 12;
    }
    s.ddl_pos = {r[0], top, r[2], bottom};
    s.DxScrl = s.Scroll == 1 ? 2 * engine_metrics.DxI : 0;
    if (s.Scroll == 1) {
        const int free = top - bottom - 2 * s.DxScrl;
        s.YScrl1 = top - s.DxScrl - free * s.ddl_offset / n;
        s.YScrl0 = top - s.DxScrl - free * (s.ddl_offset + 10) / n;
    }
}

void set2DMatrix() {
    const EngineWindowInfo& w = engine_metrics.windowInfo;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, static_cast<double>(w.width), 0.0, static_cast<double>(w.height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void set3DMatrix() {
    const EngineWindowInfo& w = engine_metrics.windowInfo;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(std::max(w.width, 1)) / static_cast<double>(std::max(w.height, 1)), 1.0,
                   1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void drawWindowOne(CpwContext*) {
    const CpwGlFloatGuard guard;
    const EngineTables& t = engine_tables;
    glClearColor(form_grey.r, form_grey.g, form_grey.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    set2DMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    colour(black);
    for (std::size_t i = 0; i < static_cast<std::size_t>(t.nb_inpt); ++i) {
        draw_box(i);
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(t.nb_subt); ++s) {
        text_at(t.subt_pos[s][0], t.subt_pos[s][1], EngineFont::label, engine_title_size(static_cast<int>(s)),
                t.subt_txt[s], black);
    }
    draw_buttons();
    for (std::size_t s = 0; s < static_cast<std::size_t>(t.nb_sepa); ++s) {
        const Rect& r = t.sepa_pos[s];
        line(r[0], r[1], r[2], r[3], black);
    }
    draw_bubble();
    engine_place_list();
    draw_list();
    draw_overflow_popup();
}

void frm_draw(CpwContext* ctx, std::uint32_t window) {
    if (!engine_own_window(ctx, window)) {
        return;
    }
    drawWindowOne(ctx);
    cpwSwapWindowBuffers(ctx, window);
}

void frm_reshape(CpwContext* ctx, std::uint32_t window, int width, int height) {
    if (!engine_own_window(ctx, window)) {
        return;
    }
    EngineWindowInfo& w = engine_metrics.windowInfo;
    w.width = std::max(width, 1);
    w.height = std::max(height, 1);
    const CpwGlFloatGuard guard;
    set2DMatrix();
    glViewport(0, 0, w.width, w.height);
}
