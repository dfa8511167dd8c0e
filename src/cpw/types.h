#pragma once

// The records of the windowing toolkit: the context every call takes first,
// the window record, the callback shapes and the numeric codes.

#include "cpw/counted_string.h"
#include "cpw/linked_list.h"

#include <array>
#include <cstdint>

struct CpwContext;
struct CpwEventStack;
// Records of the linked host (one back end per program defines them).
struct CpwLocalhost;
struct CpwLocalhostWindow;
// Records of the font, primitives, GL-extension and joystick modules.
struct CpwFont;
struct CpwPrimitives;
struct CpwExtensions;
struct CpwJoystick;

// ---- error codes (err_code) ----
inline constexpr int cpw_error_fontopen = 1;        // a font file could not be opened
inline constexpr int cpw_error_nomemory = 2;        // memory ran out
inline constexpr int cpw_error_badargument = 3;     // an argument is null or out of range
inline constexpr int cpw_error_fontformat = 4;      // a font file's format is unknown
inline constexpr int cpw_error_windowclass = 5;     // the window class could not be registered
inline constexpr int cpw_error_hostwindow = 6;      // the host window could not be created
inline constexpr int cpw_error_nopixelformat = 7;   // no pixel format matches the display mode
inline constexpr int cpw_error_setpixelformat = 8;  // the pixel format could not be set
inline constexpr int cpw_error_glcontext = 9;       // the GL context could not be created
inline constexpr int cpw_error_makecurrent = 10;    // the GL context could not be made current
inline constexpr int cpw_error_videochange = 11;    // the video mode could not be changed
inline constexpr int cpw_error_videolist = 12;      // the video modes could not be listed
inline constexpr int cpw_error_nowindowforgl = 13;  // a GL query needs a window and none exists
inline constexpr int cpw_error_unknownmenu = 14;    // a menu id is unknown
inline constexpr int cpw_error_menufull = 15;       // a menu already holds 301 entries
inline constexpr int cpw_error_unknownwindow = 16;  // a window id is unknown, or no window exists
inline constexpr int cpw_error_menuattach = 17;     // a menu could not be attached to a menu bar
inline constexpr int cpw_error_nomenu = 18;         // a window has no menu to remove
inline constexpr int cpw_error_unknownentry = 19;   // a menu entry id is unknown
inline constexpr int cpw_error_joysticknumber = 20; // a joystick number is outside 1-2

// ---- event types ----
inline constexpr int cpw_event_mouseclick = 1;
inline constexpr int cpw_event_mousemove = 2;
inline constexpr int cpw_event_mousedrag = 3;
inline constexpr int cpw_event_mouseentry = 4;
inline constexpr int cpw_event_keyboard = 5;
inline constexpr int cpw_event_systemkeyboard = 6;
inline constexpr int cpw_event_create = 7;
inline constexpr int cpw_event_destroy = 8;
inline constexpr int cpw_event_position = 9;
inline constexpr int cpw_event_display = 10;
inline constexpr int cpw_event_visibility = 11;
inline constexpr int cpw_event_reshape = 12;
inline constexpr int cpw_event_menuselect = 13;
inline constexpr int cpw_event_types = 14;  // types 0-13 have a filter flag

// ---- window properties (win_properties, cpwInitWindowProperty) ----
inline constexpr std::uint32_t cpw_window_standard = 0x1;
inline constexpr std::uint32_t cpw_window_popup = 0x2;
inline constexpr std::uint32_t cpw_window_caption = 0x4;
inline constexpr std::uint32_t cpw_window_kindmask = 0xFF;
inline constexpr std::uint32_t cpw_window_fixedframe = 0x100;
inline constexpr std::uint32_t cpw_window_thinborder = 0x200;
inline constexpr std::uint32_t cpw_window_sizingframe = 0x400;
inline constexpr std::uint32_t cpw_window_framemask = 0xF00;
inline constexpr std::uint32_t cpw_window_menu = 0x10000000;
inline constexpr std::uint32_t cpw_window_fullscreengeometry = 0x20000000;
inline constexpr std::uint32_t cpw_window_size = 0x40000000;
inline constexpr std::uint32_t cpw_window_position = 0x80000000;

// ---- display mode (cpw_displaymode) ----
inline constexpr std::uint32_t cpw_mode_default = 0x40000029;  // RGBA, double buffer, 8 depth bits

// ---- cursor codes ----
inline constexpr int cpw_cursor_arrow = 1;
inline constexpr int cpw_cursor_hand = 2;
inline constexpr int cpw_cursor_no = 3;
inline constexpr int cpw_cursor_help = 4;
inline constexpr int cpw_cursor_ibeam = 5;
inline constexpr int cpw_cursor_wait = 6;
inline constexpr int cpw_cursor_cross = 7;
inline constexpr int cpw_cursor_none = 8;
inline constexpr int cpw_cursor_sizeall = 9;
inline constexpr int cpw_cursor_sizens = 10;
inline constexpr int cpw_cursor_sizenesw = 11;
inline constexpr int cpw_cursor_sizewe = 12;
inline constexpr int cpw_cursor_sizenwse = 13;

// ---- callbacks ----
using CpwCreateCallback = void (*)(CpwContext* ctx, std::uint32_t id, int flag);  // 1 created, 0 close requested
using CpwDisplayCallback = void (*)(CpwContext* ctx, std::uint32_t id);
using CpwReshapeCallback = void (*)(CpwContext* ctx, std::uint32_t id, int width, int height);
using CpwPositionCallback = void (*)(CpwContext* ctx, std::uint32_t id, int x, int y);
using CpwKeyboardCallback = void (*)(CpwContext* ctx, std::uint32_t id, int character, int state, int x, int y);
using CpwSystemKeyboardCallback = void (*)(CpwContext* ctx, std::uint32_t id, int key, int state, int x, int y);
using CpwVisibilityCallback = void (*)(CpwContext* ctx, std::uint32_t id, int state);
using CpwMouseClickCallback = void (*)(CpwContext* ctx, std::uint32_t id, int state, int button, int x, int y);
using CpwMouseDragCallback = void (*)(CpwContext* ctx, std::uint32_t id, int button, int x, int y);
using CpwMouseMoveCallback = void (*)(CpwContext* ctx, std::uint32_t id, int x, int y);
using CpwMouseEntryCallback = void (*)(CpwContext* ctx, std::uint32_t id, int state);
using CpwMainLoopCallback = void (*)(CpwContext* ctx, int activity);
using CpwIdleCallback = void (*)(CpwContext* ctx);
using CpwTimerCallback = void (*)(CpwContext* ctx, int value);
using CpwPrintHandler = void (*)(const char* text);

// One window; the application knows it by its id only.
struct CpwWindowStruct {
    std::uint32_t id;
    StringContext* title;
    std::uint32_t x, y, width, height;      // outer position and client size as last known
    std::uint32_t bx, by, bwidth, bheight;  // saved geometry (full screen, maximise, iconify)
    int cursor;
    bool cursorpresent;
    bool fullscreen;
    std::uint32_t menuid;
    std::array<std::uint32_t, 3> buttonmenuid;  // pop-up menu per mouse button 0, 1, 2
    CpwLocalhostWindow* plhwc;
    CpwCreateCallback createCallback;
    CpwDisplayCallback displayCallback;
    CpwPositionCallback positionCallback;
    CpwReshapeCallback reshapeCallback;
    CpwKeyboardCallback keyCallback;
    CpwSystemKeyboardCallback skeyCallback;
    CpwMouseClickCallback mouseclickCallback;
    CpwMouseDragCallback mousedragCallback;
    CpwMouseMoveCallback mousemoveCallback;
    CpwMouseEntryCallback mouseentryCallback;
    CpwVisibilityCallback visibilityCallback;
    void* userdata;
};

// The toolkit's whole state; obtained from cpwInitContext.
struct CpwContext {
    char* cpw_programname;
    std::uint32_t cpw_displaymode;
    std::uint32_t cpw_screenheight;
    std::uint32_t cpw_screenwidth;
    bool cpw_initsuccess;
    bool cpw_running;
    StringContext* cpw_driverinfo;
    CpwPrintHandler cpw_print;
    std::uint32_t win_initwidth, win_initheight;
    std::uint32_t win_initx, win_inity;
    std::uint32_t win_currentid;     // window whose GL context is current (0 none)
    std::uint32_t win_foregroundid;  // window that has the focus (0 none)
    std::uint32_t win_properties;
    bool win_expectmenu;
    std::array<bool, 256> keyboard_state;
    LinkedListData list_win;
    LinkedListData list_timers;
    LinkedListData list_perf;
    LinkedListData list_menus;
    bool timers;
    bool mainloop_break;
    std::uint32_t mainloop_callbackticks;
    CpwMainLoopCallback mainloopCallback;
    CpwIdleCallback idleCallback;
    CpwCreateCallback createCallback;
    CpwDisplayCallback displayCallback;
    CpwReshapeCallback reshapeCallback;
    CpwKeyboardCallback keyCallback;
    CpwSystemKeyboardCallback skeyCallback;
    CpwMouseClickCallback mouseclickCallback;
    CpwMouseDragCallback mousedragCallback;
    CpwMouseMoveCallback mousemoveCallback;
    CpwMouseEntryCallback mouseentryCallback;
    CpwVisibilityCallback visibilityCallback;
    CpwPositionCallback positionCallback;
    int err_code;
    double fps_hpcount, fps_hpfreq;
    std::uint32_t fps_ticks, fps_fps;
    CpwExtensions* extensions;
    CpwEventStack* stack;
    CpwLocalhost* ctx_localhost;
    CpwFont* ctx_font;
    CpwPrimitives* ctx_primitives;
    CpwJoystick* ctx_joystick;
    void* ctx_user;
    void* ctx_ao_openal;  // reserved
    void* ctx_ao_images;  // reserved
};

// A window as cpwListWindows and cpwGetWindowInfo describe it.
struct CpwWindowInfo {
    std::uint32_t id;
    std::uint32_t x, y, width, height;
    bool foreground;
    bool fullscreen;
};

inline constexpr int cpw_windowlist_max = 30;

struct CpwWindowList {
    std::array<CpwWindowInfo, cpw_windowlist_max> list;
    std::uint32_t size;
};
