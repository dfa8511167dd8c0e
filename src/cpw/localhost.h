#pragma once

// The host seam: the only way from the toolkit to the platform's windows, GL
// contexts, message pump and clock. Every host (the X11 host of the program,
// the null host of the tests) defines all of these in its own library, and
// exactly one host is linked into a program. A host reports its failures by
// storing an error code in the context (cpw_error_set) and returning 0 / null.

#include "cpw/joystick.h"
#include "cpw/keymouse.h"
#include "cpw/types.h"
#include "cpw/video.h"

#include <cstdint>
#include <vector>

// Start-up and shut-down of the host: registers the window class (named with
// cpw_next_classname), reads the screen size into the context, allocates the
// context's host record. Failure: error 5 or 2.
bool cpw_localhost_init(CpwContext* ctx);
void cpw_localhost_exit(CpwContext* ctx);

// Told before each start-up step of a toolkit module and after each shut-down
// step (module names as cpwInitContext and cpwFreeContext run them). A host
// returns false from a start step only to refuse it, with an error code set.
bool cpw_localhost_modulestep(CpwContext* ctx, const char* module, bool starting);

// Windows. The properties are the context's win_properties (see
// cpw_windowstyle_from_properties); `menu` asks for a menu bar.
CpwLocalhostWindow* cpw_localhost_createwindow(CpwContext* ctx, std::uint32_t id, const char* title,
                                               std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                               std::uint32_t height, std::uint32_t properties, bool menu);
CpwLocalhostWindow* cpw_localhost_createfullscreenwindow(CpwContext* ctx, std::uint32_t id, const char* title);
void cpw_localhost_destroywindow(CpwContext* ctx, CpwLocalhostWindow* window);

// GL: pixel format from ctx->cpw_displaymode (see cpw_displaymode_pixelformat;
// errors 7 and 8), context creation (error 9), making it current (error 10).
bool cpw_localhost_setpixelformat(CpwContext* ctx, CpwLocalhostWindow* window);
bool cpw_localhost_createglcontext(CpwContext* ctx, CpwLocalhostWindow* window);
bool cpw_localhost_makecurrent(CpwContext* ctx, CpwLocalhostWindow* window);
void cpw_localhost_destroyglcontext(CpwContext* ctx, CpwLocalhostWindow* window);
int cpw_localhost_swapbuffers(CpwLocalhostWindow* window);  // 0 for no window

void cpw_localhost_setwindowtitle(CpwContext* ctx, CpwLocalhostWindow* window, const char* title);  // an empty title is not set
void cpw_localhost_positionwindow(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t x, std::uint32_t y);
void cpw_localhost_reshapewindow(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t width,
                                 std::uint32_t height);  // client size, not moved
void cpw_localhost_maximizewindow(CpwContext* ctx, CpwLocalhostWindow* window);
void cpw_localhost_inconifywindow(CpwContext* ctx, CpwLocalhostWindow* window);
void cpw_localhost_restorewindow(CpwContext* ctx, CpwLocalhostWindow* window);
int cpw_localhost_hidewindow(CpwContext* ctx, CpwLocalhostWindow* window);  // 1 when it was visible
int cpw_localhost_showwindow(CpwContext* ctx, CpwLocalhostWindow* window);  // 1 when it was visible
int cpw_localhost_setforeground(CpwContext* ctx, CpwLocalhostWindow* window);  // always 1
// The client area's position and size.
void cpw_localhost_windowinfo(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t* x, std::uint32_t* y,
                              std::uint32_t* width, std::uint32_t* height);
void cpw_localhost_pushwindow(CpwContext* ctx, CpwLocalhostWindow* window);  // behind all topmost windows
void cpw_localhost_popwindow(CpwContext* ctx, CpwLocalhostWindow* window);   // bottom of the z-order
void cpw_localhost_fullscreenwindow(CpwContext* ctx, CpwLocalhostWindow* window);
void cpw_localhost_standardizewindow(CpwContext* ctx, CpwLocalhostWindow* window);  // the style of its creation back

// Mouse pointer: shows a cursor code (others leave the cursor as it is).
void cpw_localhost_setcursor(CpwContext* ctx, CpwLocalhostWindow* window, int cursor);
void cpw_localhost_restorecursor(CpwContext* ctx);
void cpw_localhost_positioncursor(CpwLocalhostWindow* window, std::uint32_t x, std::uint32_t y);
void cpw_localhost_centercursor(CpwLocalhostWindow* window);

// Pumps up to n host messages into the cpw_hostevent_* entries: 0 as soon as
// none is waiting or the quit message arrived (which breaks the main loop),
// 1 after n messages. A key message of a window of ctx is left for a later
// pump (0) while ctx has events queued: keys reach the raw key hook after
// the events that came before them were sent.
int cpw_localhost_processevents(CpwContext* ctx, int n);

// The high-resolution clock (counts per second; current count) and the sleep.
double cpw_localhost_hpfreq();
double cpw_localhost_hpcount();
void cpw_localhost_sleep(std::uint32_t milliseconds);
// Waits until a host message may be waiting, at most `milliseconds` (-1: no
// limit); returns at once when one waits already. Requests the program made
// reach the display before the wait.
void cpw_localhost_waitevents(CpwContext* ctx, int milliseconds);

// For the font module: the system font folder, and a file search. With
// start = 1 a new search on the pattern begins (1 when something matched);
// with start = 0 the next file name is stored in *name (1) or the search ends (0).
StringContext* cpw_localhost_fontpath();
int cpw_localhost_iteratefiles(CpwContext* ctx, int start, const char* pattern, StringContext** name);

// Menus. A host shows the entries of a menu (read through cpw_menus_items
// each time it draws them) and reports the entry the user chooses with
// cpw_hostevent_menuselect(window id, the menu it was asked to show, entry).
// setmenubar shows the menu as the window's menu bar, or shows it again
// after a change; menu 0 removes the bar. False when the bar cannot be shown.
bool cpw_localhost_setmenubar(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t menu);
// Opens the menu as a pop-up at a client position of the window.
void cpw_localhost_popupmenu(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t menu, int x, int y);

// Video modes: the screen's modes (false when they cannot be read), a change
// to the mode of that size and depth (false when it fails; on success the
// context's screen size is the new one), and the way back to the mode before
// the first change (nothing when there was none).
bool cpw_localhost_listvideomodes(CpwContext* ctx, std::vector<CpwHostVideoMode>& modes);
bool cpw_localhost_changevideomode(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t depth);
void cpw_localhost_resetvideomode(CpwContext* ctx);

// The mouse: what it offers, and its movement, wheel and buttons since the
// last call (the counts start again from zero).
void cpw_localhost_mousecapabilities(CpwContext* ctx, CpwMouseInfo* info);
void cpw_localhost_mousestate(CpwContext* ctx, CpwMouseState* state);

// Joystick devices 1 and 2: open (false when there is none), read its state
// now (false when it does not answer), close.
bool cpw_localhost_joystickopen(CpwContext* ctx, int joystick, CpwJoystickDevice* device);
bool cpw_localhost_joystickread(CpwContext* ctx, int joystick, CpwJoystickRaw* raw);
void cpw_localhost_joystickclose(CpwContext* ctx, int joystick);
