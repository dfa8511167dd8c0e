#pragma once

// The X11 host: the toolkit's back end on an X server, with OpenGL contexts
// through GLX. All contexts of the process share one connection to the
// server, opened by the first context's start and closed with the last one;
// each host window knows its context and id, so the message pump of any
// context hands every event to the window's own context, as a window
// procedure does.

#include "cpw/joystick.h"
#include "cpw/types.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct CpwLocalhostWindow {
    GLXContext glContext = nullptr;
    Window hwnd = 0;
    bool hmenu = false;          // a menu bar was asked for at creation
    std::uint32_t winstyle = 0;  // the window properties of its creation
    int updates = 1;

    CpwContext* ctx = nullptr;
    std::uint32_t id = 0;
    GLXFBConfig config = nullptr;  // the pixel format; null when none matched
    bool visual = false;           // the window was made with the pixel format's visual
    Colormap colormap = 0;
    int width = 0, height = 0;  // client size last reported
    int left = 0, top = 0;      // outer position last reported
    bool shown = false;         // asked to be visible
    bool mapped = false;        // known to be mapped
    bool gone = false;          // destroyed by another program: no GL, no X request on it
    bool iconify_asked = false;
    bool maximized = false;
    bool fullscreen = false;
    // Geometry before a maximise done by the host itself (no window manager).
    int saved_x = 0, saved_y = 0, saved_width = 0, saved_height = 0;
    // The menu bar: a strip along the top of the window (0 none) and the
    // menu it shows (0: an empty bar).
    Window menubar = 0;
    std::uint32_t menubarmenu = 0;
};

// An open joystick device.
struct CpwX11Joystick {
    int fd = -1;
    std::vector<int> slots;  // where each device axis goes (cpw_x11_joystickslot)
    CpwJoystickRaw raw{};
};

struct CpwLocalhost {
    std::string classname;
    // The running file search.
    std::vector<std::string> found;
    std::size_t next_found = 0;
    std::uint32_t focus_id = 0;  // window with the keyboard focus (0 none)
    std::uint32_t mouse_id = 0;  // window the mouse is in (0 none)
    int mouse_x = 0, mouse_y = 0;
    int moved_x = 0, moved_y = 0;  // movement since the last cpwMouseState
    int wheel = 0;
    bool left_down = false, middle_down = false, right_down = false;
    std::array<bool, 3> held{};  // buttons as cpwMouseState reports them (cleared by it)
    bool video_changed = false;  // this context changed the video mode
    std::array<CpwX11Joystick, cpw_joystick_max> joysticks;
};

// The process's connection to the X server.
struct CpwX11Connection {
    Display* display = nullptr;
    int screen = 0;
    Window root = 0;
    int users = 0;
    Window helper = 0;  // unmapped: owner and requestor of the clipboard
    std::map<Window, CpwLocalhostWindow*> windows;
    std::vector<CpwContext*> contexts;  // the started contexts, told when the screen changes
    std::array<Cursor, 14> cursors{};
    unsigned alt_mask = 0, altgr_mask = 0, numlock_mask = 0;  // modifier bits of those keys
    int held_modifiers = 0;                                   // cpw_rawkey_* sides held, from key events
    bool owns_clipboard = false;
    std::string clipboard_text;  // cp1252
    Time clipboard_time = 0;
    // The key at the head of Xlib's queue is held until its window's context
    // has taken this many events from its queue (see the pump); none while
    // no key is held.
    std::optional<std::uint64_t> key_held_until;
    // The server's time when the open dialog (another program, or a
    // question on the console) showed; none while no dialog is open.
    std::optional<Time> dialog_opened;

    XFontStruct* menufont = nullptr;  // the menus' font, loaded at first use
    // The video mode before the first change: size index, rotation, rate.
    bool video_saved = false;
    int video_size = 0;
    unsigned short video_rotation = 0;
    short video_rate = 0;

    Atom wm_protocols = 0, wm_delete_window = 0, wm_state = 0, wm_change_state = 0;
    Atom net_wm_name = 0, net_wm_icon_name = 0, net_wm_icon = 0, utf8_string = 0, motif_wm_hints = 0;
    Atom net_wm_state = 0, net_wm_state_fullscreen = 0, net_wm_state_above = 0;
    Atom net_wm_state_maximized_vert = 0, net_wm_state_maximized_horz = 0, net_active_window = 0;
    Atom net_supporting_wm_check = 0, net_wm_ping = 0;
    Atom clipboard = 0, targets = 0, text = 0, selection_property = 0, timestamp_property = 0, incr = 0;
};

// The open connection, or null.
CpwX11Connection* cpw_x11_connection();
bool cpw_x11_connect();     // opens it, or counts one more user; false when no display opens
void cpw_x11_disconnect();  // one user less; the last one closes it

// X errors are not fatal here: the last one is kept. clearerror forgets it;
// syncerror waits for the server and returns the error code since then (0 none).
void cpw_x11_clearerror();
int cpw_x11_syncerror();

// A window manager that follows the extended hints is running.
bool cpw_x11_windowmanager();

// The host window of an X window, null when it is none of ours.
CpwLocalhostWindow* cpw_x11_window(Window window);

// The window and every event of the pump.
void cpw_x11_handleevent(XEvent& event);
// Takes the destructions of our windows by other programs that reached the
// program, ahead of the events before them: those would draw in a window
// that is gone.
void cpw_x11_takedestructions(const CpwX11Connection& c);
// A key of one of our windows; without `tell` only the host's record of the
// keys held follows it (a key dropped after a dialog).
void cpw_x11_keyevent(CpwLocalhostWindow& window, XKeyEvent& event, bool tell);
// A dialog (another program, or a question on the console) shows: the
// server's time is noted. When it has ended, the clicks, keys and moves of
// the pointer our windows got after that time are dropped, so that none acts
// on what the dialog left (those that came before it stay queued); the
// buttons and keys held stay known.
void cpw_x11_dialogopened();
void cpw_x11_dialogended();
// The server's current time (a round trip); CurrentTime when it does not answer.
Time cpw_x11_servertime(const CpwX11Connection& c);
void cpw_x11_focusin_keyboard();  // reads which modifier keys are held
void cpw_x11_selectionrequest(const XSelectionRequestEvent& request);
void cpw_x11_selectionclear(const XSelectionClearEvent& clear);

// Waits until the window is mapped and viewable (at most about two seconds).
bool cpw_x11_waitviewable(const CpwLocalhostWindow& window);

// Menus: pop-ups in override-redirect windows and menu bars as strips along
// the top of their window. menuevent takes the events that belong to a menu
// (true when it did). The others keep the menus in step with their windows.
bool cpw_x11_menuevent(XEvent& event);
void cpw_x11_menubar_create(CpwLocalhostWindow& window);  // an empty bar
void cpw_x11_menubar_resize(const CpwLocalhostWindow& window, int width);  // the window's new client width
void cpw_x11_menus_windowgone(const CpwLocalhostWindow& window);  // before the window is destroyed
void cpw_x11_menus_contextgone(const CpwContext* ctx);
void cpw_x11_menus_disconnect();  // before the connection closes
// What the open pop-up shows, for tests: whether one is open, and the box of
// an entry of one of its levels (0 the first) in screen coordinates.
bool cpw_x11_popupopen();
bool cpw_x11_popupentry(int level, std::uint32_t entry, int* x, int* y, int* width, int* height);
// The box of an entry of a window's menu bar in screen coordinates.
bool cpw_x11_menubarentry(const CpwLocalhostWindow& window, std::uint32_t entry, int* x, int* y, int* width,
                          int* height);

// Joysticks: closes every device of the context still open.
void cpw_x11_joysticks_closeall(CpwLocalhost& host);

// The frame-buffer configuration of a display mode, null when none matches.
GLXFBConfig cpw_x11_chooseconfig(std::uint32_t displaymode);
