// The X11 host's tables, without a display.
#include <gtest/gtest.h>

#include "cpw/host_rules.h"
#include "cpw/hosts/x11/x11_keys.h"
#include "cpw/hosts/x11/x11_rules.h"
#include "cpw/keymouse.h"
#include "cpw/types.h"

#include <GL/glx.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <map>

namespace {

// The value that follows an attribute in a GLX attribute list; -1 when absent.
int attribute(const std::vector<int>& list, int name) {
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
        if (list[i] == name) {
            return list[i + 1];
        }
    }
    return -1;
}

TEST(X11Tables, DisplayModesBecomeGlxAttributeLists) {
    // The default mode: RGBA, 16 colour bits shared over three channels, no
    // alpha, 8 depth bits, double buffered.
    const std::vector<int> d = cpw_glx_attributes(cpw_displaymode_pixelformat(cpw_mode_default));
    EXPECT_EQ(d.back(), None);
    EXPECT_EQ(d.size() % 2, 1u);
    EXPECT_EQ(attribute(d, GLX_RENDER_TYPE), GLX_RGBA_BIT);
    EXPECT_EQ(attribute(d, GLX_DRAWABLE_TYPE), GLX_WINDOW_BIT);
    EXPECT_EQ(attribute(d, GLX_RED_SIZE), 5);
    EXPECT_EQ(attribute(d, GLX_GREEN_SIZE), 5);
    EXPECT_EQ(attribute(d, GLX_BLUE_SIZE), 5);
    EXPECT_EQ(attribute(d, GLX_ALPHA_SIZE), 0);
    EXPECT_EQ(attribute(d, GLX_DEPTH_SIZE), 8);
    EXPECT_EQ(attribute(d, GLX_STENCIL_SIZE), 0);
    EXPECT_EQ(attribute(d, GLX_DOUBLEBUFFER), True);
    EXPECT_EQ(attribute(d, GLX_ACCUM_RED_SIZE), 0);

    // 32 colour bits with 8 of alpha: 8 per channel; 64 with 16: 16 per channel.
    const std::vector<int> rgba8 = cpw_glx_attributes(cpw_displaymode_pixelformat(0x1 | 0x400));
    EXPECT_EQ(attribute(rgba8, GLX_RED_SIZE), 8);
    EXPECT_EQ(attribute(rgba8, GLX_ALPHA_SIZE), 8);
    const std::vector<int> rgba16 = cpw_glx_attributes(cpw_displaymode_pixelformat(0x1 | 0x800));
    EXPECT_EQ(attribute(rgba16, GLX_BLUE_SIZE), 16);
    EXPECT_EQ(attribute(rgba16, GLX_ALPHA_SIZE), 16);
    const std::vector<int> small = cpw_glx_attributes(cpw_displaymode_pixelformat(0x1 | 0x100));
    EXPECT_EQ(attribute(small, GLX_RED_SIZE), 2);
    EXPECT_EQ(attribute(small, GLX_ALPHA_SIZE), 2);

    // Single buffer, accumulation over four channels, stencil, depth sizes.
    const std::vector<int> s = cpw_glx_attributes(cpw_displaymode_pixelformat(0x1 | 0x4 | 0x10 | 0x40 | 0x80000020));
    EXPECT_EQ(attribute(s, GLX_DOUBLEBUFFER), False);
    EXPECT_EQ(attribute(s, GLX_ACCUM_RED_SIZE), 4);
    EXPECT_EQ(attribute(s, GLX_ACCUM_ALPHA_SIZE), 4);
    EXPECT_EQ(attribute(s, GLX_STENCIL_SIZE), 8);
    EXPECT_EQ(attribute(s, GLX_DEPTH_SIZE), 16);
    EXPECT_EQ(attribute(cpw_glx_attributes(cpw_displaymode_pixelformat(0x1)), GLX_DEPTH_SIZE), 0);

    // Colour index.
    const std::vector<int> ci = cpw_glx_attributes(cpw_displaymode_pixelformat(0x2));
    EXPECT_EQ(attribute(ci, GLX_RENDER_TYPE), GLX_COLOR_INDEX_BIT);
    EXPECT_EQ(attribute(ci, GLX_BUFFER_SIZE), 16);
    EXPECT_EQ(attribute(ci, GLX_RED_SIZE), -1);
}

TEST(X11Tables, WindowStylesBecomeWindowManagerHints) {
    const CpwX11Decoration standard = cpw_x11_decoration(cpw_windowstyle_from_properties(0x401, false));
    EXPECT_TRUE(standard.resizable);
    EXPECT_TRUE(standard.decorations & cpw_mwm_decor_title);
    EXPECT_TRUE(standard.decorations & cpw_mwm_decor_resizeh);
    EXPECT_TRUE(standard.functions & cpw_mwm_func_close);
    EXPECT_TRUE(standard.functions & cpw_mwm_func_maximize);

    const CpwX11Decoration fixed = cpw_x11_decoration(cpw_windowstyle_from_properties(0x101, false));
    EXPECT_FALSE(fixed.resizable);
    EXPECT_FALSE(fixed.decorations & cpw_mwm_decor_resizeh);
    EXPECT_FALSE(fixed.functions & cpw_mwm_func_resize);
    EXPECT_TRUE(fixed.functions & cpw_mwm_func_close);

    // Caption only (a form that is not active): a title, no close box.
    const CpwX11Decoration caption = cpw_x11_decoration(cpw_windowstyle_from_properties(0x104, false));
    EXPECT_TRUE(caption.decorations & cpw_mwm_decor_title);
    EXPECT_FALSE(caption.decorations & cpw_mwm_decor_menu);
    EXPECT_EQ(caption.functions, cpw_mwm_func_move);

    const CpwX11Decoration popup = cpw_x11_decoration(cpw_windowstyle_from_properties(0x102, false));
    EXPECT_EQ(popup.decorations, 0u);
    EXPECT_EQ(popup.functions, 0u);
    EXPECT_EQ(cpw_x11_decoration(cpw_windowstyle_from_properties(0x202, false)).decorations, cpw_mwm_decor_border);
    // Thin border: not resizable either.
    EXPECT_FALSE(cpw_x11_decoration(cpw_windowstyle_from_properties(0x201, false)).resizable);
}

TEST(X11Tables, CursorCodesHaveShapes) {
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_arrow), XC_left_ptr);
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_hand), XC_hand2);
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_ibeam), XC_xterm);
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_wait), XC_watch);
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_none), cpw_x11_cursor_blank);
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_sizewe), XC_sb_h_double_arrow);
    EXPECT_EQ(cpw_x11_cursorshape(cpw_cursor_sizenwse), XC_bottom_right_corner);
    EXPECT_EQ(cpw_x11_cursorshape(0), cpw_x11_cursor_unchanged);
    EXPECT_EQ(cpw_x11_cursorshape(14), cpw_x11_cursor_unchanged);
    EXPECT_EQ(cpw_x11_cursorshape(-1), cpw_x11_cursor_unchanged);
}

TEST(X11Tables, KeyCodesGiveScanCodes) {
    // Main block and numeric pad: key code minus 8.
    EXPECT_EQ(cpw_x11_scancode(9).code, 0x01);    // Escape
    EXPECT_EQ(cpw_x11_scancode(38).code, 0x1E);   // A
    EXPECT_EQ(cpw_x11_scancode(71).code, 63);     // F5
    EXPECT_EQ(cpw_x11_scancode(36).code, 0x1C);   // Return
    EXPECT_FALSE(cpw_x11_scancode(36).extended);
    EXPECT_EQ(cpw_x11_scancode(79).code, 0x47);   // numeric-pad 7
    EXPECT_EQ(cpw_x11_scancode(94).code, 0x56);   // the ISO key left of Z
    EXPECT_EQ(cpw_x11_scancode(96).code, 0x58);   // F12
    // Extended keys.
    const std::map<unsigned, int> extended = {{104, 0x1C}, {105, 0x1D}, {106, 0x35}, {108, 0x38},
                                              {110, 0x47}, {111, 0x48}, {113, 0x4B}, {119, 0x53},
                                              {118, 0x52}, {117, 0x51}, {77, 0x45}, {62, 0x36}};
    for (const auto& [keycode, scan] : extended) {
        EXPECT_EQ(cpw_x11_scancode(keycode).code, scan) << keycode;
        EXPECT_TRUE(cpw_x11_scancode(keycode).extended) << keycode;
    }
    // Pause is the plain 0x45; Num Lock the extended one.
    EXPECT_EQ(cpw_x11_scancode(127).code, 0x45);
    EXPECT_FALSE(cpw_x11_scancode(127).extended);
    EXPECT_FALSE(cpw_x11_scancode(50).extended);  // left Shift
    EXPECT_EQ(cpw_x11_scancode(0).code, 0);
    EXPECT_EQ(cpw_x11_scancode(100).code, 0);  // no PC key
    EXPECT_EQ(cpw_x11_scancode(255).code, 0);
}

TEST(X11Tables, KeysGiveWindowsVirtualKeys) {
    EXPECT_EQ(cpw_x11_virtualkey(XK_a, XK_A, 0x1E), 'A');
    EXPECT_EQ(cpw_x11_virtualkey(XK_1, XK_exclam, 0x02), '1');
    EXPECT_EQ(cpw_x11_virtualkey(XK_F5, XK_F5, 63), 0x74);
    EXPECT_EQ(cpw_x11_virtualkey(XK_F12, XK_F12, 0x58), 0x7B);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Left, XK_Left, 0x4B), 37);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Delete, XK_Delete, 0x53), 46);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Shift_L, XK_Shift_L, 0x2A), 160);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Shift_R, XK_Shift_R, 0x36), 161);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Control_R, XK_Control_R, 0x1D), 163);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Alt_L, XK_Alt_L, 0x38), 164);
    EXPECT_EQ(cpw_x11_virtualkey(XK_ISO_Level3_Shift, XK_ISO_Level3_Shift, 0x38), 165);  // AltGr
    EXPECT_EQ(cpw_x11_virtualkey(XK_minus, XK_minus, 0x0C), 0xBD);
    EXPECT_EQ(cpw_x11_virtualkey(XK_Return, XK_Return, 0x1C), 13);
    // The numeric pad follows Num Lock, through the symbol the key gives.
    EXPECT_EQ(cpw_x11_virtualkey(XK_KP_Home, XK_KP_7, 0x47), 0x67);
    EXPECT_EQ(cpw_x11_virtualkey(XK_KP_Home, XK_KP_Home, 0x47), 0x24);
    EXPECT_EQ(cpw_x11_virtualkey(XK_KP_Delete, XK_KP_Decimal, 0x53), 0x6E);
    // A symbol of no US key (the French key 2 gives é): its US place decides.
    EXPECT_EQ(cpw_x11_virtualkey(XK_eacute, XK_2, 0x03), '2');
    EXPECT_EQ(cpw_x11_virtualkey(XK_less, XK_greater, 0x56), 0xE2);
    EXPECT_EQ(cpw_x11_virtualkey(NoSymbol, NoSymbol, 0), 0);
}

std::pair<int, bool> tk(int code, bool system) {
    return {code, system};
}

TEST(X11Tables, KeysGiveToolkitCodes) {
    const auto code = [](KeySym unshifted, KeySym effective, int vk) {
        const CpwX11ToolkitKey k = cpw_x11_toolkitkey(unshifted, effective, vk);
        return tk(k.code, k.system);
    };
    EXPECT_EQ(code(XK_F1, XK_F1, 0x70), tk(1, true));
    EXPECT_EQ(code(XK_F4, XK_F4, 0x73), tk(4, true));
    EXPECT_EQ(code(XK_F12, XK_F12, 0x7B), tk(12, true));
    EXPECT_EQ(code(XK_Down, XK_Down, 40), tk(16, true));
    EXPECT_EQ(code(XK_Next, XK_Next, 34), tk(18, true));
    EXPECT_EQ(code(XK_Delete, XK_Delete, 46), tk(22, true));
    EXPECT_EQ(code(XK_Caps_Lock, XK_Caps_Lock, 20), tk(23, true));
    EXPECT_EQ(code(XK_Shift_R, XK_Shift_R, 161), tk(24, true));
    EXPECT_EQ(code(XK_Control_L, XK_Control_L, 162), tk(25, true));
    EXPECT_EQ(code(XK_ISO_Level3_Shift, XK_ISO_Level3_Shift, 165), tk(26, true));
    EXPECT_EQ(code(XK_Escape, XK_Escape, 27), tk(27, true));
    EXPECT_EQ(code(XK_Tab, XK_ISO_Left_Tab, 9), tk(28, true));
    EXPECT_EQ(code(XK_BackSpace, XK_BackSpace, 8), tk(29, true));
    EXPECT_EQ(code(XK_Return, XK_Return, 13), tk(30, true));
    EXPECT_EQ(code(XK_KP_Enter, XK_KP_Enter, 13), tk(30, true));
    EXPECT_EQ(code(XK_KP_Multiply, XK_KP_Multiply, 106), tk(31, true));
    EXPECT_EQ(code(XK_KP_Divide, XK_KP_Divide, 111), tk(36, true));
    EXPECT_EQ(code(XK_Num_Lock, XK_Num_Lock, 144), tk(37, true));
    EXPECT_EQ(code(XK_Print, XK_Print, 44), tk(38, true));
    EXPECT_EQ(code(XK_Pause, XK_Pause, 19), tk(40, true));
    // Numeric-pad digits give the digit codes; without Num Lock the keys move.
    EXPECT_EQ(code(XK_KP_Home, XK_KP_7, 0x67), tk(cpw_key_7, false));
    EXPECT_EQ(code(XK_KP_Insert, XK_KP_0, 0x60), tk(cpw_key_0, false));
    EXPECT_EQ(code(XK_KP_Home, XK_KP_Home, 0x24), tk(19, true));
    EXPECT_EQ(code(XK_KP_Delete, XK_KP_Decimal, 0x6E), tk(35, true));
    EXPECT_EQ(code(XK_KP_Delete, XK_KP_Delete, 0x2E), tk(22, true));
    // Ordinary keys by their unshifted character.
    EXPECT_EQ(code(XK_a, XK_A, 'A'), tk(cpw_key_a, false));
    EXPECT_EQ(code(XK_1, XK_exclam, '1'), tk(cpw_key_1, false));
    EXPECT_EQ(code(XK_0, XK_0, '0'), tk(cpw_key_0, false));
    EXPECT_EQ(code(XK_slash, XK_question, 0xBF), tk(cpw_key_slash, false));
    EXPECT_EQ(code(XK_space, XK_space, 32), tk(cpw_key_space, false));
    // A key whose symbol types nothing: its virtual key taken as the character.
    EXPECT_EQ(code(XK_dead_acute, XK_dead_acute, 'Q'), tk(cpw_key_a + 16, false));
    // No code: an accented letter, F13.
    EXPECT_EQ(code(XK_eacute, XK_eacute, '2').first, 0);
    EXPECT_EQ(code(XK_F13, XK_F13, 0x7C).first, 0);

    EXPECT_EQ(cpw_x11_sidekey(XK_Control_L), cpw_key_leftcontrol);
    EXPECT_EQ(cpw_x11_sidekey(XK_Control_R), cpw_key_rightcontrol);
    EXPECT_EQ(cpw_x11_sidekey(XK_Shift_R), cpw_key_rightshift);
    EXPECT_EQ(cpw_x11_sidekey(XK_ISO_Level3_Shift), cpw_key_rightalt);
    EXPECT_EQ(cpw_x11_sidekey(XK_a), 0);
}

TEST(X11Tables, KeySymbolsGiveCp1252Characters) {
    EXPECT_EQ(cpw_x11_keysym_character(XK_a), 'a');
    EXPECT_EQ(cpw_x11_keysym_character(XK_A), 'A');
    EXPECT_EQ(cpw_x11_keysym_character(XK_eacute), 0xE9);
    EXPECT_EQ(cpw_x11_keysym_character(XK_EuroSign), 0x80);
    EXPECT_EQ(cpw_x11_keysym_character(0x1000000 + 0x20AC), 0x80);  // the Unicode euro symbol
    EXPECT_EQ(cpw_x11_keysym_character(0x1000000 + 0x0152), 0x8C);  // OE
    EXPECT_EQ(cpw_x11_keysym_character(0x1000000 + 0x03B1), 0);     // alpha: no cp1252 byte
    EXPECT_EQ(cpw_x11_keysym_character(XK_BackSpace), 8);
    EXPECT_EQ(cpw_x11_keysym_character(XK_Return), 13);
    EXPECT_EQ(cpw_x11_keysym_character(XK_KP_Enter), 13);
    EXPECT_EQ(cpw_x11_keysym_character(XK_Escape), 27);
    EXPECT_EQ(cpw_x11_keysym_character(XK_KP_7), '7');
    EXPECT_EQ(cpw_x11_keysym_character(XK_KP_Decimal), '.');
    EXPECT_EQ(cpw_x11_keysym_character(XK_Left), 0);
    EXPECT_EQ(cpw_x11_keysym_character(XK_F5), 0);

    EXPECT_EQ(cpw_x11_control_character(XK_c), 3);
    EXPECT_EQ(cpw_x11_control_character(XK_C), 3);
    EXPECT_EQ(cpw_x11_control_character(XK_v), 22);
    EXPECT_EQ(cpw_x11_control_character(XK_x), 24);
    EXPECT_EQ(cpw_x11_control_character(XK_bracketleft), 27);
    EXPECT_EQ(cpw_x11_control_character(XK_Return), 10);
    EXPECT_EQ(cpw_x11_control_character(XK_1), 0);
    EXPECT_EQ(cpw_x11_control_character(XK_F5), 0);

    KeySym k[2] = {0, 0};
    ASSERT_EQ(cpw_x11_character_keysyms('a', k), 1);
    EXPECT_EQ(k[0], static_cast<KeySym>(XK_a));
    ASSERT_EQ(cpw_x11_character_keysyms(0xE9, k), 1);
    EXPECT_EQ(k[0], static_cast<KeySym>(XK_eacute));
    ASSERT_EQ(cpw_x11_character_keysyms(0x80, k), 2);
    EXPECT_EQ(k[0], static_cast<KeySym>(XK_EuroSign));
    EXPECT_EQ(k[1], static_cast<KeySym>(0x1000000 + 0x20AC));
    EXPECT_EQ(cpw_x11_character_keysyms(3, k), 0);
    EXPECT_EQ(cpw_x11_character_keysyms(0x81, k), 0);  // undefined in cp1252
}

}  // namespace
