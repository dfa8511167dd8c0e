#include "cpw/cpw.h"
#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"
#include "cpw/keymouse.h"
#include "cpw/menu.h"

namespace {

// The window's own callback, else the global one; null when neither is set.
template <typename Callback>
Callback chosen(Callback own, Callback global) {
    return own != nullptr ? own : global;
}

}  // namespace

// The create, display and reshape callbacks draw with GL, so they run with the
// floating-point traps off (see gl_float_guard.h).
// The window record may be gone once a callback returns (a callback may
// destroy its own window), so nothing here touches it after the call.
void cpw_event_dispatch(CpwContext* ctx, const CpwEventSlot& event) {
    const auto id = static_cast<std::uint32_t>(event.window);
    CpwWindowStruct* w = id == 0 ? nullptr : cpw_windowlist_lookup(ctx, id);
    if (w == nullptr) {
        return;
    }
    switch (event.type) {
        case cpw_event_mouseclick: {
            const int button = event.p2;
            if (button >= 0 && button < static_cast<int>(w->buttonmenuid.size()) && w->buttonmenuid[button] != 0) {
                // A button with a pop-up menu: the release is ignored, anything else opens the menu.
                if (event.p1 != 1) {
                    cpw_menus_popup(ctx, id, w->buttonmenuid[button], event.p3, event.p4);
                }
                return;
            }
            const auto cb = chosen(w->mouseclickCallback, ctx->mouseclickCallback);
            (cb != nullptr ? cb : defaultMouseClickCallback)(ctx, id, event.p1, event.p2, event.p3, event.p4);
            return;
        }
        case cpw_event_mousemove: {
            const auto cb = chosen(w->mousemoveCallback, ctx->mousemoveCallback);
            (cb != nullptr ? cb : defaultMouseMoveCallback)(ctx, id, event.p1, event.p2);
            return;
        }
        case cpw_event_mousedrag: {
            const auto cb = chosen(w->mousedragCallback, ctx->mousedragCallback);
            (cb != nullptr ? cb : defaultMouseDragCallback)(ctx, id, event.p1, event.p2, event.p3);
            return;
        }
        case cpw_event_mouseentry: {
            const auto cb = chosen(w->mouseentryCallback, ctx->mouseentryCallback);
            (cb != nullptr ? cb : defaultMouseEntryCallback)(ctx, id, event.p1);
            return;
        }
        case cpw_event_keyboard: {
            const int character = cpw_keymouse_translatekeyconstant(event.p1, event.p2);
            const auto cb = chosen(w->keyCallback, ctx->keyCallback);
            (cb != nullptr ? cb : defaultKeyboardCallback)(ctx, id, character, event.p3, event.p4, event.p5);
            return;
        }
        case cpw_event_systemkeyboard: {
            const auto cb = chosen(w->skeyCallback, ctx->skeyCallback);
            (cb != nullptr ? cb : defaultSystemKeyboardCallback)(ctx, id, event.p1, event.p2, event.p3, event.p4);
            return;
        }
        case cpw_event_create:
        case cpw_event_destroy: {
            const int flag = event.type == cpw_event_create ? 1 : 0;
            const auto cb = chosen(w->createCallback, ctx->createCallback);
            if (cb == nullptr) {
                defaultCreateCallback(ctx, id, flag);
                return;
            }
            cpw_window_makecurrent(ctx, id);
            const CpwGlFloatGuard guard;
            cb(ctx, id, flag);
            return;
        }
        case cpw_event_position: {
            w->x = static_cast<std::uint32_t>(event.p1);
            w->y = static_cast<std::uint32_t>(event.p2);
            const auto cb = chosen(w->positionCallback, ctx->positionCallback);
            (cb != nullptr ? cb : defaultPositionCallback)(ctx, id, event.p1, event.p2);
            return;
        }
        case cpw_event_display: {
            const auto cb = chosen(w->displayCallback, ctx->displayCallback);
            if (cb == nullptr) {
                defaultDisplayCallback(ctx, id);
                return;
            }
            cpw_window_makecurrent(ctx, id);
            const CpwGlFloatGuard guard;
            cb(ctx, id);
            return;
        }
        case cpw_event_visibility: {
            const auto cb = chosen(w->visibilityCallback, ctx->visibilityCallback);
            (cb != nullptr ? cb : defaultVisibilityCallback)(ctx, id, event.p1);
            return;
        }
        case cpw_event_reshape: {
            w->width = static_cast<std::uint32_t>(event.p1);
            w->height = static_cast<std::uint32_t>(event.p2);
            const auto cb = chosen(w->reshapeCallback, ctx->reshapeCallback);
            if (cb == nullptr) {
                defaultReshapeCallback(ctx, id, event.p1, event.p2);
                return;
            }
            cpw_window_makecurrent(ctx, id);
            const CpwGlFloatGuard guard;
            cb(ctx, id, event.p1, event.p2);
            return;
        }
        case cpw_event_menuselect:
            cpw_menus_select(ctx, id, static_cast<std::uint32_t>(event.p1), static_cast<std::uint32_t>(event.p2));
            return;
        default:
            return;
    }
}

void defaultCreateCallback(CpwContext* ctx, std::uint32_t id, int flag) {
    if (flag == 0) {
        cpwDestroyWindow(ctx, id);
    }
}

void defaultDisplayCallback(CpwContext*, std::uint32_t) {}
void defaultReshapeCallback(CpwContext*, std::uint32_t, int, int) {}
void defaultPositionCallback(CpwContext*, std::uint32_t, int, int) {}
void defaultKeyboardCallback(CpwContext*, std::uint32_t, int, int, int, int) {}
void defaultSystemKeyboardCallback(CpwContext*, std::uint32_t, int, int, int, int) {}
void defaultVisibilityCallback(CpwContext*, std::uint32_t, int) {}
void defaultMouseClickCallback(CpwContext*, std::uint32_t, int, int, int, int) {}
void defaultMouseDragCallback(CpwContext*, std::uint32_t, int, int, int) {}
void defaultMouseMoveCallback(CpwContext*, std::uint32_t, int, int) {}
void defaultMouseEntryCallback(CpwContext*, std::uint32_t, int) {}
