#pragma once

// Rules of the X11 host that need no display, kept apart so they are tested
// directly: the GLX attribute list of a pixel-format request, the window
// manager hints of a window style, and the cursor shapes of the cursor codes.

#include "cpw/host_rules.h"
#include "cpw/joystick.h"

#include <string>
#include <string_view>
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

// A cp1252 text in Latin-1, for X's text properties and core fonts: the
// characters 0x80-0x9F that Latin-1 lacks become "?".
std::string cpw_x11_latin1(std::string_view cp1252);

// ---- menus ----

// One entry of a menu as laid out: its box inside the menu's window.
struct CpwX11MenuBox {
    int x, y, width, height;
};

// Measures of the menus' font.
struct CpwX11MenuFont {
    int ascent;
    int descent;
};

// What a laid-out entry needs: the width of its title, whether it is a separator.
struct CpwX11MenuLabel {
    int textwidth;
    bool separator;
};

inline constexpr int cpw_x11_menu_markcolumn = 16;   // check marks, left of the titles
inline constexpr int cpw_x11_menu_arrowcolumn = 16;  // sub-menu arrows, right of the titles
inline constexpr int cpw_x11_menu_separator = 7;     // height of a separator in a pop-up
inline constexpr int cpw_x11_menu_minwidth = 60;

// A pop-up: entries stacked, as wide as the widest; the window's size in
// *width, *height.
std::vector<CpwX11MenuBox> cpw_x11_popuplayout(const std::vector<CpwX11MenuLabel>& labels, const CpwX11MenuFont& font,
                                               int* width, int* height);
// A menu bar: entries side by side from the left; separators leave a gap.
std::vector<CpwX11MenuBox> cpw_x11_barlayout(const std::vector<CpwX11MenuLabel>& labels, const CpwX11MenuFont& font);
int cpw_x11_barheight(const CpwX11MenuFont& font);
// The entry whose box holds the point, -1 for none.
int cpw_x11_menuhit(const std::vector<CpwX11MenuBox>& boxes, int x, int y);

// Where a menu window of the size goes on the screen: at the wanted corner
// when it fits; moved left (to `leftx` when one is given, for a sub-menu
// that opens on the other side of its parent) or up when it would stick out;
// never off the top or left edge.
struct CpwX11Point {
    int x, y;
};
CpwX11Point cpw_x11_menuplace(int x, int y, int width, int height, int screenwidth, int screenheight,
                              int leftx = -1);

// ---- joysticks (the Linux joystick devices) ----

// Where an absolute-axis code of the device goes: one of the six axes
// (0 x, 1 y, 2 z, 3 r, 4 u, 5 v), the hat, or nowhere.
inline constexpr int cpw_x11_joyslot_hatx = 6;
inline constexpr int cpw_x11_joyslot_haty = 7;
inline constexpr int cpw_x11_joyslot_none = -1;
int cpw_x11_joystickslot(int abscode);

// Takes one event of a joystick device (type, number and value of its event
// record; the initial-state flag is ignored) into the state, `slots` telling
// where each device axis goes.
void cpw_x11_joystickevent(CpwJoystickRaw& raw, const std::vector<int>& slots, int type, int number, int value);
