#pragma once

// The windowing toolkit's public operations. Every call takes the context
// first; windows are known by integer ids from 1. Failures store an error code
// in the context (cpwGetLastError) and return 0, null or -1; nothing is printed.
// Everything runs on the thread that runs the main loop.

#include "cpw/types.h"

#include <cstdint>

// ---- context ----
bool cpwInitContext(CpwContext** ctx);
bool cpwFreeContext(CpwContext** ctx);  // must not be called from inside a callback
int cpwInitWindowPosition(CpwContext* ctx, std::uint32_t x, std::uint32_t y);
int cpwInitWindowSize(CpwContext* ctx, std::uint32_t width, std::uint32_t height);
int cpwInitDisplayMode(CpwContext* ctx, std::uint32_t mode);
int cpwInitDisplayModeExact(CpwContext* ctx, std::uint32_t mode);  // does nothing, 0
int cpwInitPrintHandler(CpwContext* ctx, CpwPrintHandler handler);
bool cpwInitWindowProperty(CpwContext* ctx, std::uint32_t property, std::uint32_t a, std::uint32_t b);
int cpwSetUserdata(CpwContext* ctx, void* p);
void* cpwGetUserdata(CpwContext* ctx);
void cpwSetLastError(CpwContext* ctx, int code);
int cpwGetLastError(CpwContext* ctx);

// ---- windows ----
std::uint32_t cpwCreateWindow(CpwContext* ctx, const char* title);
std::uint32_t cpwCreateWindowEx(CpwContext* ctx, const char* title, std::uint32_t x, std::uint32_t y,
                                std::uint32_t width, std::uint32_t height);
int cpwCreateFullscreenWindow(CpwContext* ctx);
int cpwDestroyWindow(CpwContext* ctx, std::uint32_t id);
int cpwSetWindowTitle(CpwContext* ctx, const char* title, std::uint32_t id);
int cpwPositionWindow(CpwContext* ctx, std::uint32_t x, std::uint32_t y, std::uint32_t id);
int cpwReshapeWindow(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t id);
int cpwStandardWindow(CpwContext* ctx, std::uint32_t id);
int cpwFullscreenWindow(CpwContext* ctx, std::uint32_t id);
int cpwMaximizeWindow(CpwContext* ctx, std::uint32_t id);
int cpwIconifyWindow(CpwContext* ctx, std::uint32_t id);
int cpwRestoreWindow(CpwContext* ctx, std::uint32_t id);
std::uint32_t cpwGetWindow(CpwContext* ctx);
int cpwSetWindow(CpwContext* ctx, std::uint32_t id);
int cpwSetForegroundWindow(CpwContext* ctx, std::uint32_t id);
int cpwPopWindow(CpwContext* ctx);
int cpwPushWindow(CpwContext* ctx);
int cpwHideWindow(CpwContext* ctx, std::uint32_t id);
int cpwShowWindow(CpwContext* ctx, std::uint32_t id);
int cpwPostRedisplay(CpwContext* ctx);
int cpwPostWindowRedisplay(CpwContext* ctx, std::uint32_t id);
int cpwSwapBuffers(CpwContext* ctx);
int cpwSwapWindowBuffers(CpwContext* ctx, std::uint32_t id);
int cpwSetCursor(CpwContext* ctx, int cursor, std::uint32_t id);
int cpwCenterCursor(CpwContext* ctx, std::uint32_t id);
int cpwPositionCursor(CpwContext* ctx, std::uint32_t x, std::uint32_t y, std::uint32_t id);
int cpwListWindows(CpwContext* ctx, CpwWindowList* list);
int cpwGetWindowInfo(CpwContext* ctx, CpwWindowInfo* info, std::uint32_t id);
int cpwSetWindowUserdata(CpwContext* ctx, void* p, std::uint32_t id);
void* cpwGetWindowUserdata(CpwContext* ctx, std::uint32_t id);

// ---- callbacks: global ones (null clears) and per-window ones ----
int cpwCreateCallback(CpwContext* ctx, CpwCreateCallback callback);
int cpwDisplayCallback(CpwContext* ctx, CpwDisplayCallback callback);
int cpwReshapeCallback(CpwContext* ctx, CpwReshapeCallback callback);
int cpwPositionCallback(CpwContext* ctx, CpwPositionCallback callback);
int cpwKeyboardCallback(CpwContext* ctx, CpwKeyboardCallback callback);
int cpwSystemKeyboardCallback(CpwContext* ctx, CpwSystemKeyboardCallback callback);
int cpwVisibilityCallback(CpwContext* ctx, CpwVisibilityCallback callback);
int cpwMouseClickCallback(CpwContext* ctx, CpwMouseClickCallback callback);
int cpwMouseDragCallback(CpwContext* ctx, CpwMouseDragCallback callback);
int cpwMouseMoveCallback(CpwContext* ctx, CpwMouseMoveCallback callback);
int cpwMouseEntryCallback(CpwContext* ctx, CpwMouseEntryCallback callback);
int cpwWindowCreateCallback(CpwContext* ctx, CpwCreateCallback callback, std::uint32_t id);
int cpwWindowDisplayCallback(CpwContext* ctx, CpwDisplayCallback callback, std::uint32_t id);
int cpwWindowReshapeCallback(CpwContext* ctx, CpwReshapeCallback callback, std::uint32_t id);
int cpwWindowPositionCallback(CpwContext* ctx, CpwPositionCallback callback, std::uint32_t id);
int cpwWindowKeyboardCallback(CpwContext* ctx, CpwKeyboardCallback callback, std::uint32_t id);
int cpwWindowSystemKeyboardCallback(CpwContext* ctx, CpwSystemKeyboardCallback callback, std::uint32_t id);
int cpwWindowVisibilityCallback(CpwContext* ctx, CpwVisibilityCallback callback, std::uint32_t id);
int cpwWindowMouseClickCallback(CpwContext* ctx, CpwMouseClickCallback callback, std::uint32_t id);
int cpwWindowMouseDragCallback(CpwContext* ctx, CpwMouseDragCallback callback, std::uint32_t id);
int cpwWindowMouseMoveCallback(CpwContext* ctx, CpwMouseMoveCallback callback, std::uint32_t id);
int cpwWindowMouseEntryCallback(CpwContext* ctx, CpwMouseEntryCallback callback, std::uint32_t id);

// ---- events and the main loop ----
int cpwFilterEvent(CpwContext* ctx, int type, int flag);  // the old flag
int cpwBreakMainLoop(CpwContext* ctx);
int cpwMainLoopIsRunning(CpwContext* ctx);
int cpwMainLoopCallback(CpwContext* ctx, CpwMainLoopCallback callback, std::uint32_t ticks);
int cpwIdleCallback(CpwContext* ctx, CpwIdleCallback callback);
int cpwMainLoop(CpwContext* ctx);
int cpwMainLoopUpdate(CpwContext* ctx, int cycles);

// Queue inspection.
int cpwNextEvent(CpwContext* ctx);                         // type of the next event to be sent, 0 none
int cpwNextWindowEvent(CpwContext* ctx, std::uint32_t id);  // type of the window's first queued event
int cpwClearEvents(CpwContext* ctx);
int cpwClearEvent(CpwContext* ctx, int type);
int cpwClearWindowEvents(CpwContext* ctx, std::uint32_t id);
int cpwClearWindowEvent(CpwContext* ctx, int type, std::uint32_t id);
int cpwPopEvent(CpwContext* ctx);                          // drops the next event: 1, or 0 when none
int cpwStackDepth(CpwContext* ctx);                        // events waiting, 0-256

// ---- timers ----
int cpwTimerCallback(CpwContext* ctx, std::uint32_t milliseconds, int value, bool repeat, CpwTimerCallback callback);
int cpwKillTimer(CpwContext* ctx, int value);
