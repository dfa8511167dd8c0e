#include "cpw/hosts/x11/x11_rules.h"

#include <GL/glx.h>
#include <X11/cursorfont.h>

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
