#pragma once

// Rules of the X11 host that need no display, kept apart so they are tested
// directly: the GLX attribute list of a pixel-format request, the window
// manager hints of a window style, and the cursor shapes of the cursor codes.

#include "cpw/host_rules.h"

#include <vector>

// The attribute list (ending with None) that asks GLX for frame-buffer
// configurations with at least the requested buffers. GLX sizes are
// minimums per channel, so the colour bits of the request (which exclude
// alpha) are shared out over red, green and blue; the accumulation bits over
// all four channels. Colour-index requests ask for colour-index rendering.
std::vector<int> cpw_glx_attributes(const CpwPixelFormatRequest& request);

// What a window style asks of the window manager (Motif hint bits): the
// decorations, the functions the user may apply, and whether the user may
// resize the window at all.
struct CpwX11Decoration {
    unsigned long decorations;
    unsigned long functions;
    bool resizable;
};

inline constexpr unsigned long cpw_mwm_decor_border = 0x02;
inline constexpr unsigned long cpw_mwm_decor_resizeh = 0x04;
inline constexpr unsigned long cpw_mwm_decor_title = 0x08;
inline constexpr unsigned long cpw_mwm_decor_menu = 0x10;
inline constexpr unsigned long cpw_mwm_decor_minimize = 0x20;
inline constexpr unsigned long cpw_mwm_decor_maximize = 0x40;
inline constexpr unsigned long cpw_mwm_func_resize = 0x02;
inline constexpr unsigned long cpw_mwm_func_move = 0x04;
inline constexpr unsigned long cpw_mwm_func_minimize = 0x08;
inline constexpr unsigned long cpw_mwm_func_maximize = 0x10;
inline constexpr unsigned long cpw_mwm_func_close = 0x20;

// Standard: title, system menu, close, minimise and maximise; caption only:
// a title and no buttons; popup: nothing but the frame. A sizing frame makes
// the window resizable, a thin one draws a border, a fixed one neither.
CpwX11Decoration cpw_x11_decoration(const CpwWindowStyle& style);

// The X cursor-font shape of a cursor code 1-13; cpw_x11_cursor_blank for
// code 8 (no cursor), cpw_x11_cursor_unchanged for any other code.
inline constexpr int cpw_x11_cursor_blank = -1;
inline constexpr int cpw_x11_cursor_unchanged = -2;
int cpw_x11_cursorshape(int code);
