#include "cpw/cpw.h"
#include "cpw/internal.h"

namespace {

// Stores a per-window callback; error 16 for an unknown window.
template <typename Callback>
int set_window_callback(CpwContext* ctx, std::uint32_t id, Callback CpwWindowStruct::*member, Callback callback) {
    CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        cpw_error_set(ctx, cpw_error_unknownwindow);
        return 0;
    }
    w->*member = callback;
    return 1;
}

}  // namespace

int cpwCreateCallback(CpwContext* ctx, CpwCreateCallback callback) {
    ctx->createCallback = callback;
    return 1;
}

int cpwDisplayCallback(CpwContext* ctx, CpwDisplayCallback callback) {
    ctx->displayCallback = callback;
    return 1;
}

int cpwReshapeCallback(CpwContext* ctx, CpwReshapeCallback callback) {
    ctx->reshapeCallback = callback;
    return 1;
}

int cpwPositionCallback(CpwContext* ctx, CpwPositionCallback callback) {
    ctx->positionCallback = callback;
    return 1;
}

int cpwKeyboardCallback(CpwContext* ctx, CpwKeyboardCallback callback) {
    ctx->keyCallback = callback;
    return 1;
}

int cpwSystemKeyboardCallback(CpwContext* ctx, CpwSystemKeyboardCallback callback) {
    ctx->skeyCallback = callback;
    return 1;
}

int cpwVisibilityCallback(CpwContext* ctx, CpwVisibilityCallback callback) {
    ctx->visibilityCallback = callback;
    return 1;
}

int cpwMouseClickCallback(CpwContext* ctx, CpwMouseClickCallback callback) {
    ctx->mouseclickCallback = callback;
    return 1;
}

int cpwMouseDragCallback(CpwContext* ctx, CpwMouseDragCallback callback) {
    ctx->mousedragCallback = callback;
    return 1;
}

int cpwMouseMoveCallback(CpwContext* ctx, CpwMouseMoveCallback callback) {
    ctx->mousemoveCallback = callback;
    return 1;
}

int cpwMouseEntryCallback(CpwContext* ctx, CpwMouseEntryCallback callback) {
    ctx->mouseentryCallback = callback;
    return 1;
}

int cpwWindowCreateCallback(CpwContext* ctx, CpwCreateCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::createCallback, callback);
}

int cpwWindowDisplayCallback(CpwContext* ctx, CpwDisplayCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::displayCallback, callback);
}

int cpwWindowReshapeCallback(CpwContext* ctx, CpwReshapeCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::reshapeCallback, callback);
}

int cpwWindowPositionCallback(CpwContext* ctx, CpwPositionCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::positionCallback, callback);
}

int cpwWindowKeyboardCallback(CpwContext* ctx, CpwKeyboardCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::keyCallback, callback);
}

int cpwWindowSystemKeyboardCallback(CpwContext* ctx, CpwSystemKeyboardCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::skeyCallback, callback);
}

int cpwWindowVisibilityCallback(CpwContext* ctx, CpwVisibilityCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::visibilityCallback, callback);
}

int cpwWindowMouseClickCallback(CpwContext* ctx, CpwMouseClickCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::mouseclickCallback, callback);
}

int cpwWindowMouseDragCallback(CpwContext* ctx, CpwMouseDragCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::mousedragCallback, callback);
}

int cpwWindowMouseMoveCallback(CpwContext* ctx, CpwMouseMoveCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::mousemoveCallback, callback);
}

int cpwWindowMouseEntryCallback(CpwContext* ctx, CpwMouseEntryCallback callback, std::uint32_t id) {
    return set_window_callback(ctx, id, &CpwWindowStruct::mouseentryCallback, callback);
}

int cpwMainLoopCallback(CpwContext* ctx, CpwMainLoopCallback callback, std::uint32_t ticks) {
    ctx->mainloopCallback = callback;
    ctx->mainloop_callbackticks = ticks;
    return 1;
}

int cpwIdleCallback(CpwContext* ctx, CpwIdleCallback callback) {
    ctx->idleCallback = callback;
    return 1;
}
