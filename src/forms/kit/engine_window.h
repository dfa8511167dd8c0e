#pragma once

// The form window's callbacks and the keyboard hook. Every callback ignores
// contexts and windows other than the form's own. Mouse states: 0 press,
// 1 release, 2 wheel (x then carries the wheel steps); buttons: 0 left,
// 1 middle, 2 right; y counts from the top of the window.

#include "cpw/host_services.h"
#include "cpw/types.h"

#include <array>
#include <cstdint>

// Create (flag 1: GL state of the form) and close request (flag 0: the
// window is destroyed, the exit status is frm_exit_closed, the loop ends).
void frm_window(CpwContext* ctx, std::uint32_t window, int flag);
void frm_mouseclick(CpwContext* ctx, std::uint32_t window, int state, int button, int x, int y);
void frm_mouseentry(CpwContext* ctx, std::uint32_t window, int state);
void frm_mousemove(CpwContext* ctx, std::uint32_t window, int x, int y);
void frm_mousedrag(CpwContext* ctx, std::uint32_t window, int button, int x, int y);

// Removes the key hook when it is installed and, with flag non-zero,
// installs it again; the key-press memory starts afresh in every case.
void frm_StartKbdHook(int flag);

// The hook: a key of the form's window, handed on to the hook installed
// before ours afterwards (keys are never swallowed). nCode below 0 only
// logs and hands the key on.
void frm_KdbHookProc(int nCode, int message, const CpwRawKey& event);

// The first of `count` rectangles that holds the point strictly inside; -1 none.
int get_box_num(int x, int y, int count, const std::array<int, 4>* rectangles);

// The spin arrows under the point: the box's value is stepped.
void get_arrow(int x, int y);

// The engine's calls of the value checks, for box i with its own fields.
int engine_check_values(int i);
int engine_check_minmax(int i);
