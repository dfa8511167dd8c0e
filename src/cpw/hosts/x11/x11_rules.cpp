#include "cpw/hosts/x11/x11_rules.h"

#include <GL/glx.h>
#include <X11/cursorfont.h>
#include <linux/input-event-codes.h>
#include <linux/joystick.h>

#include <algorithm>
#include <array>

std::vector<int> cpw_glx_attributes(const CpwPixelFormatRequest& request) {
    std::vector<int> a = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT};
    if (request.rgba) {
        const int channel = std::max(request.colourbits - request.alphabits, 0) / 3;
        a.insert(a.end(), {GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_X_VISUAL_TYPE, GLX_TRUE_COLOR, GLX_RED_SIZE, channel,
                           GLX_GREEN_SIZE, channel, GLX_BLUE_SIZE, channel, GLX_ALPHA_SIZE, request.alphabits});
        const int accum = request.accumbits / 4;
        a.insert(a.end(), {GLX_ACCUM_RED_SIZE, accum, GLX_ACCUM_GREEN_SIZE, accum, GLX_ACCUM_BLUE_SIZE, accum,
                           GLX_ACCUM_ALPHA_SIZE, accum});
    } else {
        a.insert(a.end(), {GLX_RENDER_TYPE, GLX_COLOR_INDEX_BIT, GLX_BUFFER_SIZE, request.colourbits});
    }
    a.insert(a.end(), {GLX_DOUBLEBUFFER, request.doublebuffer ? True : False, GLX_DEPTH_SIZE, request.depthbits,
                       GLX_STENCIL_SIZE, request.stencilbits, None});
    return a;
}

CpwX11Decoration cpw_x11_decoration(const CpwWindowStyle& style) {
    CpwX11Decoration d{0, 0, style.frame == CpwWindowFrame::sizing};
    switch (style.kind) {
        case CpwWindowKind::standard:
            d.decorations = cpw_mwm_decor_border | cpw_mwm_decor_title | cpw_mwm_decor_menu | cpw_mwm_decor_minimize |
                            cpw_mwm_decor_maximize;
            d.functions = cpw_mwm_func_move | cpw_mwm_func_minimize | cpw_mwm_func_maximize | cpw_mwm_func_close;
            break;
        case CpwWindowKind::caption:
            d.decorations = cpw_mwm_decor_border | cpw_mwm_decor_title;
            d.functions = cpw_mwm_func_move;
            break;
        case CpwWindowKind::popup:
            d.decorations = style.frame == CpwWindowFrame::fixed ? 0 : cpw_mwm_decor_border;
            d.functions = 0;
            break;
    }
    if (d.resizable) {
        d.decorations |= cpw_mwm_decor_resizeh;
        d.functions |= cpw_mwm_func_resize;
    }
    return d;
}

int cpw_x11_cursorshape(int code) {
    static constexpr std::array<int, 13> shapes = {
        XC_left_ptr,           // 1 arrow
        XC_hand2,              // 2 hand
        XC_X_cursor,           // 3 not allowed
        XC_question_arrow,     // 4 arrow with question mark
        XC_xterm,              // 5 text I-beam
        XC_watch,              // 6 busy
        XC_crosshair,          // 7 cross-hair
        cpw_x11_cursor_blank,  // 8 no cursor
        XC_fleur,              // 9 four-way arrow
        XC_sb_v_double_arrow,  // 10 north-south
        XC_bottom_left_corner, // 11 north-east/south-west
        XC_sb_h_double_arrow,  // 12 west-east
        XC_bottom_right_corner // 13 north-west/south-east
    };
    if (code < 1 || code > static_cast<int>(shapes.size())) {
        return cpw_x11_cursor_unchanged;
    }
    return shapes[static_cast<std::size_t>(code - 1)];
}

std::string cpw_x11_latin1(std::string_view cp1252) {
    std::string out(cp1252);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            c = '?';
        }
    }
    return out;
}

namespace {

constexpr int text_padding = 4;   // between a title and the columns beside it
constexpr int item_padding = 6;   // above and below a title in a pop-up
constexpr int bar_padding = 8;    // left and right of a title in a menu bar
constexpr int bar_separator = 8;  // the gap a separator leaves in a menu bar

int font_height(const CpwX11MenuFont& font) {
    return std::max(font.ascent + font.descent, 1);
}

}  // namespace

std::vector<CpwX11MenuBox> cpw_x11_popuplayout(const std::vector<CpwX11MenuLabel>& labels, const CpwX11MenuFont& font,
                                               int* width, int* height) {
    int text = 0;
    for (const CpwX11MenuLabel& l : labels) {
        if (!l.separator) {
            text = std::max(text, l.textwidth);
        }
    }
    const int w = std::max(cpw_x11_menu_minwidth,
                           cpw_x11_menu_markcolumn + text_padding + text + text_padding + cpw_x11_menu_arrowcolumn);
    std::vector<CpwX11MenuBox> boxes;
    boxes.reserve(labels.size());
    int y = 0;
    for (const CpwX11MenuLabel& l : labels) {
        const int h = l.separator ? cpw_x11_menu_separator : font_height(font) + item_padding;
        boxes.push_back(CpwX11MenuBox{0, y, w, h});
        y += h;
    }
    if (width != nullptr) {
        *width = w;
    }
    if (height != nullptr) {
        *height = std::max(y, 1);
    }
    return boxes;
}

int cpw_x11_barheight(const CpwX11MenuFont& font) {
    return font_height(font) + bar_padding;
}

std::vector<CpwX11MenuBox> cpw_x11_barlayout(const std::vector<CpwX11MenuLabel>& labels, const CpwX11MenuFont& font) {
    std::vector<CpwX11MenuBox> boxes;
    boxes.reserve(labels.size());
    const int h = cpw_x11_barheight(font);
    int x = 0;
    for (const CpwX11MenuLabel& l : labels) {
        const int w = l.separator ? bar_separator : l.textwidth + 2 * bar_padding;
        boxes.push_back(CpwX11MenuBox{x, 0, w, h});
        x += w;
    }
    return boxes;
}

int cpw_x11_menuhit(const std::vector<CpwX11MenuBox>& boxes, int x, int y) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const CpwX11MenuBox& b = boxes[i];
        if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CpwX11Point cpw_x11_menuplace(int x, int y, int width, int height, int screenwidth, int screenheight, int leftx) {
    CpwX11Point p{x, y};
    if (p.x + width > screenwidth) {
        p.x = leftx >= 0 ? leftx - width : screenwidth - width;
    }
    if (p.y + height > screenheight) {
        p.y = screenheight - height;
    }
    p.x = std::max(p.x, 0);
    p.y = std::max(p.y, 0);
    return p;
}

int cpw_x11_joystickslot(int abscode) {
    switch (abscode) {
        case ABS_X: return 0;
        case ABS_Y: return 1;
        case ABS_Z:
        case ABS_THROTTLE: return 2;
        case ABS_RZ:
        case ABS_RUDDER: return 3;
        case ABS_RX: return 4;
        case ABS_RY: return 5;
        case ABS_HAT0X: return cpw_x11_joyslot_hatx;
        case ABS_HAT0Y: return cpw_x11_joyslot_haty;
        default: return cpw_x11_joyslot_none;
    }
}

void cpw_x11_joystickevent(CpwJoystickRaw& raw, const std::vector<int>& slots, int type, int number, int value) {
    const int kind = type & ~JS_EVENT_INIT;
    if (number < 0) {
        return;
    }
    if (kind == JS_EVENT_BUTTON) {
        if (number < 32) {
            const std::uint32_t bit = 1u << static_cast<unsigned>(number);
            raw.buttons = value != 0 ? raw.buttons | bit : raw.buttons & ~bit;
        }
        return;
    }
    if (kind != JS_EVENT_AXIS || static_cast<std::size_t>(number) >= slots.size()) {
        return;
    }
    const int slot = slots[static_cast<std::size_t>(number)];
    if (slot >= 0 && slot < cpw_joystick_axes) {
        raw.axis[static_cast<std::size_t>(slot)] = value;
    } else if (slot == cpw_x11_joyslot_hatx) {
        raw.hatx = (value > 0) - (value < 0);
    } else if (slot == cpw_x11_joyslot_haty) {
        raw.haty = (value > 0) - (value < 0);
    }
}
