#pragma once

// The toolkit's internal operations, shared by its modules and the hosts.

#include "cpw/types.h"

#include <array>
#include <cstdint>

// ---- errors and defaults ----
void cpw_error_set(CpwContext* ctx, int code);
void cpw_init_init(CpwContext* ctx);
void cpw_init_defaultprint(const char* text);  // writes the text to standard error

// ---- window list (payload: CpwWindowStruct*) ----
std::uint32_t cpw_windowlist_insert(CpwContext* ctx, CpwWindowStruct* window);  // the new id
int cpw_windowlist_replace(CpwContext* ctx, std::uint32_t id, CpwWindowStruct* window);
CpwWindowStruct* cpw_windowlist_remove(CpwContext* ctx, std::uint32_t id);  // null when absent
CpwWindowStruct* cpw_windowlist_lookup(CpwContext* ctx, std::uint32_t id);  // id 0: the foreground window
// Iteration in id order. No callback may run between iteratestart and the
// last iteratenext.
CpwWindowStruct* cpw_windowlist_iteratestart(CpwContext* ctx);
CpwWindowStruct* cpw_windowlist_iteratenext(CpwContext* ctx);
int cpw_windowlist_length(CpwContext* ctx);

// ---- windows ----
std::uint32_t cpw_window_create(CpwContext* ctx, const char* title, std::uint32_t x, std::uint32_t y,
                                std::uint32_t width, std::uint32_t height);
int cpw_window_makecurrent(CpwContext* ctx, std::uint32_t id);
bool cpw_windows_init(CpwContext* ctx);
void cpw_windows_close(CpwContext* ctx);  // queues a destroy event for every window
void cpw_windows_exit(CpwContext* ctx);   // destroys every remaining window

// ---- event queue ----
struct CpwEventSlot {
    std::int32_t inuse;
    std::int32_t cleared;
    std::int32_t window;
    std::int32_t type;
    std::int32_t p1, p2, p3, p4, p5;
};

inline constexpr int cpw_event_slots = 256;

struct CpwEventStack {
    std::uint8_t readindex;   // the slot sent next
    std::uint8_t writeindex;  // the slot filled next
    std::array<CpwEventSlot, cpw_event_slots> slots;
    std::array<std::int32_t, cpw_event_types> filtered;
    // Events taken from the queue so far, sent or passed over (cleared ones
    // count too): it only grows, so the host can tell when the events queued
    // before some moment have all gone.
    std::uint64_t taken;
};

bool cpw_event_init(CpwContext* ctx);
void cpw_event_exit(CpwContext* ctx);  // sends what is queued (no display or reshape), frees the queue
int cpw_event_insert(CpwContext* ctx, std::uint32_t id, int type, int p1 = 0, int p2 = 0, int p3 = 0,
                     int p4 = 0, int p5 = 0);
int cpw_event_insertnext(CpwContext* ctx, std::uint32_t id, int type, int p1 = 0, int p2 = 0, int p3 = 0,
                         int p4 = 0, int p5 = 0);
int cpw_event_sendevent(CpwContext* ctx);
int cpw_event_sendevents(CpwContext* ctx, int n);
// Hands one event to the window's callback, the global one or the default.
void cpw_event_dispatch(CpwContext* ctx, const CpwEventSlot& event);

// ---- host events (called by the host's message handling) ----
void cpw_hostevent_draw(CpwContext* ctx, std::uint32_t id);
void cpw_hostevent_reshape(CpwContext* ctx, std::uint32_t id, int width, int height);
void cpw_hostevent_position(CpwContext* ctx, std::uint32_t id, int x, int y);
void cpw_hostevent_destroy(CpwContext* ctx, std::uint32_t id);
// The host window went without the toolkit asking (another program destroyed
// it): nothing draws in it any more, and a destroy event is queued, as the
// close box queues one.
void cpw_hostevent_gone(CpwContext* ctx, std::uint32_t id);
void cpw_hostevent_visibility(CpwContext* ctx, std::uint32_t id, int state);
void cpw_hostevent_setfocus(CpwContext* ctx, std::uint32_t id);
void cpw_hostevent_lostfocus(CpwContext* ctx, std::uint32_t id);
void cpw_hostevent_cursorenter(CpwContext* ctx, std::uint32_t id);
void cpw_hostevent_cursorleft(CpwContext* ctx, std::uint32_t id);
void cpw_hostevent_mouseclick(CpwContext* ctx, std::uint32_t id, int state, int button, int x, int y);
void cpw_hostevent_mousedrag(CpwContext* ctx, std::uint32_t id, int button, int x, int y);
void cpw_hostevent_mousemove(CpwContext* ctx, std::uint32_t id, int x, int y);
void cpw_hostevent_keyboard(CpwContext* ctx, std::uint32_t id, int key, int shift, int state, int x, int y);
void cpw_hostevent_systemkeyboard(CpwContext* ctx, std::uint32_t id, int key, int state, int x, int y);
void cpw_hostevent_menuselect(CpwContext* ctx, std::uint32_t id, int menu, int entry);

// ---- default callbacks ----
void defaultCreateCallback(CpwContext* ctx, std::uint32_t id, int flag);  // flag 0: destroys the window
void defaultDisplayCallback(CpwContext* ctx, std::uint32_t id);
void defaultReshapeCallback(CpwContext* ctx, std::uint32_t id, int width, int height);
void defaultPositionCallback(CpwContext* ctx, std::uint32_t id, int x, int y);
void defaultKeyboardCallback(CpwContext* ctx, std::uint32_t id, int character, int state, int x, int y);
void defaultSystemKeyboardCallback(CpwContext* ctx, std::uint32_t id, int key, int state, int x, int y);
void defaultVisibilityCallback(CpwContext* ctx, std::uint32_t id, int state);
void defaultMouseClickCallback(CpwContext* ctx, std::uint32_t id, int state, int button, int x, int y);
void defaultMouseDragCallback(CpwContext* ctx, std::uint32_t id, int button, int x, int y);
void defaultMouseMoveCallback(CpwContext* ctx, std::uint32_t id, int x, int y);
void defaultMouseEntryCallback(CpwContext* ctx, std::uint32_t id, int state);

// ---- timers ----
struct CpwTimer {
    CpwTimerCallback callback;
    double start;      // performance-counter counts
    double interval;   // performance-counter counts
    std::uint32_t id;  // key in list_timers
    int value;         // the caller's timer value
    bool repeat;
    bool internal;     // made by the joystick module
    int internalkind;  // the joystick it polls
};

// Adds a timer and returns its id (0 with error 2 when memory runs out). An
// internal kind other than 0 makes an internal timer: it polls that joystick
// instead of calling a callback, and cpwKillTimer leaves it alone.
std::uint32_t cpw_timer_add(CpwContext* ctx, std::uint32_t milliseconds, int value, bool repeat,
                            CpwTimerCallback callback, int internalkind);
void cpw_timer_remove(CpwContext* ctx, std::uint32_t id);  // nothing when absent

bool cpw_timers_init(CpwContext* ctx);
void cpw_timers_exit(CpwContext* ctx);  // frees every timer
int cpw_timers_tick(CpwContext* ctx);   // 1 when the last timer examined fired
// Milliseconds until the first timer is due (0: one is due now); -1 when
// there is no timer.
int cpw_timers_nextdue(CpwContext* ctx);

// ---- fonts ----
bool cpw_font_init(CpwContext* ctx);  // FreeType started; failure fails the context start
void cpw_font_exit(CpwContext* ctx);  // FreeType closed with every face still open

// ---- menus ----
bool cpw_menus_init(CpwContext* ctx);
void cpw_menus_exit(CpwContext* ctx);
