#include "forms/kit/engine_layout.h"

#include "forms/kit/engine_tables.h"

#include "cpw/font.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

EngineMeasure measure_in_use = nullptr;

EngineTextBox toolkit_measure(EngineFont font, int size, std::string_view text) {
    CpwContext* ctx = engine_window.this_cpw;
    const CpwFontFace face = font == EngineFont::label ? engine_metrics.Txt_Font : engine_metrics.Inp_Font;
    CpwFontBBox box{};
    if (ctx == nullptr || face == 0) {
        return {};
    }
    cpwFontMode(ctx, cpw_fontopt_pointsize, size);
    const std::string copy(text);
    if (cpwGetFontBBox(ctx, face, copy.c_str(), &box) != 1) {
        return {};
    }
    return {box.width, box.height, box.descent};
}

bool has_text(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

// The running extents of everything placed.
struct Extents {
    int right = 0, top = 0, left = 32767, bottom = 32767;
    void take_x(int lo, int hi) {
        left = std::min(left, lo);
        right = std::max(right, hi);
    }
    void take_y(int lo, int hi) {
        bottom = std::min(bottom, lo);
        top = std::max(top, hi);
    }
};

inline constexpr int label_right = -1;
inline constexpr int label_left = -2;
inline constexpr int label_left_aligned = -3;
inline constexpr int label_top_centre = -4;
inline constexpr int label_top_left = -5;

void place_box(std::size_t i, Extents& e) {
    EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    Rect& r = t.inpt_pos[i];
    std::array<int, 2>& label = t.inpt_ptx[i];
    const int code = label[0];
    const bool labelled = has_text(t.inpt_txt[i]);
    const EngineTextBox text = labelled ? engine_measure(EngineFont::label, m.font_size, t.inpt_txt[i]) : EngineTextBox{};
    // The label first, at -x: forms that put it there give the box a negative
    // x (a positive x with "L" puts the label left of the window).
    const bool left_label = r[0] < 0 || code == label_left;
    if (left_label) {
        const int start = -r[0];
        label = {start, r[1] + m.Yoffset};
        r[0] = labelled ? start + m.DxI / 2 + text.width : start;
    }
    if (t.inpt_typ[i] == frm_type_tck) {
        r[2] = r[0] + t.inpt_siz[i];
        r[3] = r[1] + t.inpt_siz[i];
    } else {
        r[2] = r[0] + t.inpt_siz[i] * m.DxI + 2 * m.Yoffset;
        r[3] = r[1] + m.Yoffset + m.font_size;
    }
    const int arrows = t.inpt_arr[i] == 1 ? 1 : 0;
    if (!left_label) {
        switch (code) {
            case label_left_aligned: label = {r[0] - m.DxI - text.width, r[1] + m.Yoffset}; break;
            case label_top_centre: label = {(r[0] + r[2] - text.width) / 2, r[3] + m.Yoffset}; break;
            case label_top_left: label = {r[0], r[3] + m.Yoffset}; break;
            case label_right:
            default:
                if (code < 0) {  // "R" and any unknown code
                    label = {r[2] + 2 * arrows * m.DxI + m.DxI / 2, r[1] + m.Yoffset};
                }
                break;
        }
    }
    e.take_x(r[0], r[2] + 2 * arrows * m.DxI);
    e.take_y(r[1], r[3]);
    if (labelled) {
        e.take_x(label[0], label[0] + text.width);
        e.take_y(label[1], label[1] + text.height);
    }
    if (t.inpt_ddl[i] >= 0) {
        t.ddl_inpt[static_cast<std::size_t>(t.inpt_ddl[i])] = static_cast<int>(i);
    }
}

}  // namespace

void set_engine_measure(EngineMeasure measure) {
    measure_in_use = measure;
}

EngineTextBox engine_measure(EngineFont font, int size, std::string_view text) {
    return measure_in_use != nullptr ? measure_in_use(font, size, text) : toolkit_measure(font, size, text);
}

void engine_font_metrics() {
    const EngineTextBox zero = engine_measure(EngineFont::input, engine_metrics.font_size, "0");
    engine_metrics.DxI = zero.width;
    engine_metrics.DyI = zero.height;
    engine_metrics.Yoffset = engine_measure(EngineFont::input, engine_metrics.font_size, "_").descent;
}

int engine_title_size(int index) {
    return index == 0 ? engine_metrics.font_size + 2 : engine_metrics.font_size;
}

bool engine_coded_x(int x) {
    return x < 0 || x >= 10000;
}

int engine_decode_x(int x, int item_width, int window_width) {
    const int anchor = std::abs(x) / 10000;
    int at = std::abs(x) % 10000;
    if (x < 0) {
        at = static_cast<int>(static_cast<long long>(at) * window_width / 1000);
    }
    return at - anchor * item_width / 2;
}

int check_depend() {
    EngineTables& t = engine_tables;
    const auto ticked = [](int box, int& value) {
        const EngineTables& tables = engine_tables;
        if (box < 0 || box >= engine_max_boxes || tables.inpt_typ[static_cast<std::size_t>(box)] != frm_type_tck) {
            return false;
        }
        value = tables.inpt_ival[static_cast<std::size_t>(box)] != 0 ? 1 : 0;
        return true;
    };
    for (std::size_t i = 0; i < static_cast<std::size_t>(t.nb_inpt); ++i) {
        const int code = t.inpt_dep[i];
        int value = 0;
        if (code >= 0 && code <= 999 && ticked(code, value)) {
            t.inpt_act[i] = value;
        } else if (code >= 1000 && code <= 1999 && ticked(code - 1000, value)) {
            t.inpt_act[i] = 1 - value;
        }
    }
    return t.nb_inpt;
}

void form_setup() {
    EngineTables& t = engine_tables;
    EngineMetrics& m = engine_metrics;
    Extents e;
    t.ddl_inpt.fill(-1);
    for (std::size_t i = 0; i < static_cast<std::size_t>(t.nb_inpt); ++i) {
        t.inpt_ofs[i] = 0;
        place_box(i, e);
    }
    check_depend();

    for (std::size_t b = 0; b < static_cast<std::size_t>(t.nb_butt); ++b) {
        Rect& r = t.butt_pos[b];
        if (!engine_coded_x(r[0])) {
            r[2] = r[0] + t.butt_siz[b];
            if (r[0] >= 1 && r[0] <= 9998) {
                e.take_x(r[0], r[2]);
            }
        }
        r[3] = r[1] + m.font_size + m.Yoffset;
        e.take_y(r[1], r[3]);
    }

    const int above = e.top + 10;
    for (std::size_t s = 0; s < static_cast<std::size_t>(t.nb_subt); ++s) {
        std::array<int, 2>& p = t.subt_pos[s];
        const EngineTextBox text = engine_measure(EngineFont::label, engine_title_size(static_cast<int>(s)), t.subt_txt[s]);
        if (p[0] >= 1 && p[0] <= 9998) {
            e.take_x(p[0], p[0] + text.width);
        }
        const bool placed_above = p[1] < 0;
        if (placed_above) {
            p[1] = above - p[1];
        }
        e.top = std::max(e.top, p[1] + text.height);
        if (!placed_above) {
            e.bottom = std::min(e.bottom, p[1]);
        }
    }

    e.left = std::clamp(e.left, 0, 32767);
    if (e.left == 32767) {
        e.left = 0;
    }
    if (e.bottom == 32767) {
        e.bottom = 0;
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(t.nb_sepa); ++s) {
        Rect& r = t.sepa_pos[s];
        if (r[1] == r[3] && r[1] < 0) {
            r[1] = r[3] = above - r[1];
        }
    }
    m.windowInfo.width = e.right + e.left;
    m.windowInfo.height = e.top + e.bottom;

    for (std::size_t b = 0; b < static_cast<std::size_t>(t.nb_butt); ++b) {
        Rect& r = t.butt_pos[b];
        if (engine_coded_x(r[0])) {
            r[0] = engine_decode_x(r[0], t.butt_siz[b], m.windowInfo.width);
            r[2] = r[0] + t.butt_siz[b];
        }
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(t.nb_subt); ++s) {
        std::array<int, 2>& p = t.subt_pos[s];
        if (engine_coded_x(p[0])) {
            const int width = engine_measure(EngineFont::label, engine_title_size(static_cast<int>(s)), t.subt_txt[s]).width;
            p[0] = engine_decode_x(p[0], width, m.windowInfo.width);
        }
    }
}
