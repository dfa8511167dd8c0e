#include "cpw/hosts/x11/x11_host.h"

#include "cpw/cpw.h"
#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

// The top-left corner of the window's frame (the window itself without a
// window manager), in screen coordinates.
std::pair<int, int> outer_position(const CpwX11Connection& c, const CpwLocalhostWindow& w) {
    Window top = w.hwnd;
    for (;;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(c.display, top, &root, &parent, &children, &count) == 0) {
            break;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == 0 || parent == root) {
            break;
        }
        top = parent;
    }
    XWindowAttributes a{};
    if (XGetWindowAttributes(c.display, top, &a) == 0) {
        return {w.left, w.top};
    }
    return {a.x, a.y};
}

// The window manager has minimised the window.
bool iconic(const CpwX11Connection& c, const CpwLocalhostWindow& w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool result = false;
    if (XGetWindowProperty(c.display, w.hwnd, c.wm_state, 0, 2, False, c.wm_state, &type, &format, &count, &after,
                           &data) == Success &&
        format == 32 && count >= 1 && data != nullptr) {
        result = *reinterpret_cast<unsigned long*>(data) == IconicState;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

bool captured(const CpwLocalhost& host) {
    return host.left_down || host.middle_down || host.right_down;
}

// The pointer is over the client area: the window counts as entered when it
// has the focus (a window without the focus gets no entry).
void pointer_in_client(CpwContext* ctx, CpwLocalhost& host, std::uint32_t id) {
    if (host.mouse_id != id && host.focus_id == id) {
        host.mouse_id = id;
        cpw_hostevent_cursorenter(ctx, id);
    }
}

void pointer_left(CpwContext* ctx, CpwLocalhost& host, std::uint32_t id) {
    if (host.mouse_id == id) {
        host.mouse_id = 0;
        cpw_hostevent_cursorleft(ctx, id);
    }
}

void on_configure(const CpwX11Connection& c, CpwLocalhostWindow& w, const XConfigureEvent& e) {
    CpwContext* ctx = w.ctx;
    const std::uint32_t id = w.id;
    const auto [left, top] = outer_position(c, w);
    if (left != w.left || top != w.top) {
        w.left = left;
        w.top = top;
        cpw_hostevent_position(ctx, id, left, top);
    }
    cpw_x11_menubar_resize(w, e.width);
    if (e.width != w.width || e.height != w.height) {
        w.width = e.width;
        w.height = e.height;
        cpw_hostevent_reshape(ctx, id, e.width, e.height);  // reshape and display dispatched at once
    }
}

void on_motion(CpwContext* ctx, CpwLocalhost& host, std::uint32_t id, const XMotionEvent& e) {
    if (!captured(host)) {
        pointer_in_client(ctx, host, id);
    }
    if (ctx->stack != nullptr && ctx->stack->filtered[cpw_event_mousemove] != 0 &&
        ctx->stack->filtered[cpw_event_mousedrag] != 0) {
        return;
    }
    host.moved_x += e.x - host.mouse_x;
    host.moved_y += e.y - host.mouse_y;
    host.mouse_x = e.x;
    host.mouse_y = e.y;
    if (host.focus_id != id) {
        return;
    }
    // Modifier keys held during a drag do not change the button reported.
    const unsigned buttons = e.state & (Button1Mask | Button2Mask | Button3Mask);
    if (buttons == 0) {
        cpw_hostevent_mousemove(ctx, id, e.x, e.y);
        return;
    }
    const int button = buttons == Button1Mask ? 0 : buttons == Button2Mask ? 1 : buttons == Button3Mask ? 2 : -1;
    cpw_hostevent_mousedrag(ctx, id, button, e.x, e.y);
}

// The host's record of whether the left, middle or right button is down;
// null for the wheel and any other button.
bool* button_down(CpwLocalhost& host, unsigned button) {
    switch (button) {
        case Button1: return &host.left_down;
        case Button2: return &host.middle_down;
        case Button3: return &host.right_down;
        default: return nullptr;
    }
}

void on_button(CpwContext* ctx, CpwLocalhost& host, std::uint32_t id, const XButtonEvent& e) {
    const bool press = e.type == ButtonPress;
    if (press && !captured(host)) {
        pointer_in_client(ctx, host, id);
    }
    if (e.button == Button4 || e.button == Button5) {
        // One notch of the wheel: a press (the release says nothing more).
        if (press) {
            const int notches = e.button == Button4 ? 1 : -1;
            host.wheel += notches;
            cpw_hostevent_mouseclick(ctx, id, 2, 1, notches, 0);
        }
        return;
    }
    bool* down = button_down(host, e.button);
    if (down == nullptr) {
        return;
    }
    *down = host.held[e.button - 1] = press;
    cpw_hostevent_mouseclick(ctx, id, press ? 0 : 1, static_cast<int>(e.button) - 1, e.x, e.y);
}

void on_client_message(const CpwX11Connection& c, CpwLocalhostWindow& w, XClientMessageEvent& e) {
    if (e.message_type != c.wm_protocols || e.format != 32) {
        return;
    }
    const auto protocol = static_cast<Atom>(e.data.l[0]);
    if (protocol == c.wm_delete_window) {
        // The close box asks; the window stays until a callback destroys it.
        cpw_hostevent_destroy(w.ctx, w.id);
    } else if (protocol == c.net_wm_ping) {
        e.window = c.root;
        XSendEvent(c.display, c.root, False, SubstructureRedirectMask | SubstructureNotifyMask,
                   reinterpret_cast<XEvent*>(&e));
    }
}

// Another program destroyed the window: its GL context lets go of it, and
// the toolkit hears of it as of the close box. Nothing may draw in it from
// then on: the GL driver reads the size of the window it draws in, and a
// window that is gone has none (the driver's buffers would be overrun).
void on_destroyed(const CpwX11Connection& c, CpwLocalhostWindow& w) {
    w.gone = true;
    w.mapped = false;
    if (w.glContext != nullptr) {
        const CpwGlFloatGuard guard;
        if (glXGetCurrentContext() == w.glContext) {
            glXMakeCurrent(c.display, None, nullptr);
        }
    }
    cpw_hostevent_gone(w.ctx, w.id);
}

// Xlib's predicate: the destruction of one of our windows not yet taken.
Bool destruction_of_ours(Display*, XEvent* event, XPointer) {
    if (event->type != DestroyNotify || event->xdestroywindow.event != event->xdestroywindow.window) {
        return False;
    }
    const CpwLocalhostWindow* w = cpw_x11_window(event->xdestroywindow.window);
    return w != nullptr && !w->gone ? True : False;
}

// A key goes to the raw key hook as it is pumped, while the mouse events
// pumped before it wait in the toolkit's queue: a click that focuses a box
// installs the hook that takes the key typed right after it. So a key of a
// window of the pumping context waits until the events that context had
// queued when the key came to the head of Xlib's queue are taken, and no
// longer: events queued after it (a draw that asks for the next one) do not
// hold it, or a window that always has an event queued would never get a key
// again, nor anything behind the key (the close box).
bool key_waits_for_queue(CpwX11Connection& c, CpwContext* ctx) {
    XEvent next{};
    XPeekEvent(c.display, &next);
    if (next.type != KeyPress && next.type != KeyRelease) {
        return false;
    }
    const CpwLocalhostWindow* w = cpw_x11_window(next.xkey.window);
    if (w == nullptr || w->ctx != ctx || ctx == nullptr || cpwStackDepth(ctx) == 0) {
        return false;
    }
    const std::uint64_t taken = ctx->stack->taken;
    if (!c.key_held_until) {
        c.key_held_until = taken + static_cast<std::uint64_t>(cpwStackDepth(ctx));
    }
    return taken < *c.key_held_until;
}

// Xlib's predicate: a click, a key or a move of the pointer in one of our
// windows later than the server time `since` points to.
Bool input_of_ours_since(Display*, XEvent* event, XPointer since) {
    Time time = 0;
    switch (event->type) {
        case ButtonPress:
        case ButtonRelease: time = event->xbutton.time; break;
        case KeyPress:
        case KeyRelease: time = event->xkey.time; break;
        case MotionNotify: time = event->xmotion.time; break;
        default: return False;
    }
    // Server times are 32-bit milliseconds that wrap round.
    const auto after = static_cast<std::int32_t>(static_cast<std::uint32_t>(time - *reinterpret_cast<Time*>(since)));
    return after > 0 && cpw_x11_window(event->xany.window) != nullptr ? True : False;
}

}  // namespace

void cpw_x11_dialogopened() {
    if (CpwX11Connection* c = cpw_x11_connection()) {
        c->dialog_opened = cpw_x11_servertime(*c);
    }
}

void cpw_x11_dialogended() {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || !c->dialog_opened) {
        return;
    }
    Time since = *c->dialog_opened;
    c->dialog_opened.reset();
    if (since == CurrentTime) {
        return;  // no time to tell the clicks apart by
    }
    XSync(c->display, False);  // every event the server has sent so far is in the queue
    XEvent event{};
    while (XCheckIfEvent(c->display, &event, input_of_ours_since, reinterpret_cast<XPointer>(&since)) != 0) {
        CpwLocalhostWindow* w = cpw_x11_window(event.xany.window);
        if (w == nullptr || w->ctx == nullptr || w->ctx->ctx_localhost == nullptr) {
            continue;
        }
        // What is held stays known; nothing is told.
        if (event.type == KeyPress || event.type == KeyRelease) {
            cpw_x11_keyevent(*w, event.xkey, false);
            c->key_held_until.reset();  // the key held for the pump may be this one
        } else if (event.type != MotionNotify) {
            if (bool* down = button_down(*w->ctx->ctx_localhost, event.xbutton.button)) {
                *down = event.type == ButtonPress;
            }
        }
    }
}

void cpw_x11_takedestructions(const CpwX11Connection& c) {
    XEvent event{};
    while (XCheckIfEvent(c.display, &event, destruction_of_ours, nullptr) != 0) {
        if (CpwLocalhostWindow* w = cpw_x11_window(event.xdestroywindow.window)) {
            on_destroyed(c, *w);
        }
    }
}

void cpw_x11_handleevent(XEvent& event) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return;
    }
    if (cpw_x11_menuevent(event)) {
        return;
    }
    switch (event.type) {
        case SelectionRequest: cpw_x11_selectionrequest(event.xselectionrequest); return;
        case SelectionClear: cpw_x11_selectionclear(event.xselectionclear); return;
        case MappingNotify: XRefreshKeyboardMapping(&event.xmapping); return;
        default: break;
    }
    if (event.type == ConfigureNotify && event.xconfigure.window == c->root) {
        // The screen changed: every context learns its new size.
        for (CpwContext* ctx : c->contexts) {
            ctx->cpw_screenwidth = static_cast<std::uint32_t>(std::max(event.xconfigure.width, 0));
            ctx->cpw_screenheight = static_cast<std::uint32_t>(std::max(event.xconfigure.height, 0));
        }
        return;
    }
    CpwLocalhostWindow* w = cpw_x11_window(event.xany.window);
    if (w == nullptr || w->ctx == nullptr || w->ctx->ctx_localhost == nullptr) {
        return;
    }
    CpwContext* ctx = w->ctx;
    CpwLocalhost& host = *ctx->ctx_localhost;
    const std::uint32_t id = w->id;
    switch (event.type) {
        case ConfigureNotify:
            cpw_x11_takedestructions(*c);
            if (!w->gone) {
                on_configure(*c, *w, event.xconfigure);
            }
            break;
        case MapNotify:
            w->mapped = true;
            cpw_hostevent_visibility(ctx, id, 1);
            break;
        case UnmapNotify:
            w->mapped = false;
            cpw_hostevent_visibility(ctx, id, w->iconify_asked || iconic(*c, *w) ? 4 : 0);
            break;
        case Expose:
            cpw_x11_takedestructions(*c);
            if (event.xexpose.count == 0 && !w->gone) {
                cpw_hostevent_draw(ctx, id);  // dispatched at once
            }
            break;
        case FocusIn:
            if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
                event.xfocus.detail == NotifyPointer) {
                break;
            }
            host.focus_id = id;
            cpw_x11_focusin_keyboard();
            cpw_hostevent_setfocus(ctx, id);
            if (host.mouse_id != id) {
                host.mouse_id = id;
                cpw_hostevent_cursorenter(ctx, id);
            }
            break;
        case FocusOut:
            if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
                event.xfocus.detail == NotifyPointer || event.xfocus.detail == NotifyInferior) {
                break;
            }
            pointer_left(ctx, host, id);
            host.focus_id = 0;
            cpw_hostevent_lostfocus(ctx, id);
            break;
        case EnterNotify:
            if (event.xcrossing.mode != NotifyGrab && !captured(host)) {
                pointer_in_client(ctx, host, id);
            }
            break;
        case LeaveNotify:
            // While a button is held the mouse belongs to the window (Windows
            // captures it): leaving is told once the buttons are up.
            if (event.xcrossing.mode != NotifyGrab && event.xcrossing.detail != NotifyInferior && !captured(host)) {
                pointer_left(ctx, host, id);
            }
            break;
        case MotionNotify: on_motion(ctx, host, id, event.xmotion); break;
        case ButtonPress:
        case ButtonRelease: on_button(ctx, host, id, event.xbutton); break;
        case KeyPress:
        case KeyRelease: cpw_x11_keyevent(*w, event.xkey, true); break;
        case ClientMessage: on_client_message(*c, *w, event.xclient); break;
        case DestroyNotify:
            if (event.xdestroywindow.window == w->hwnd && !w->gone) {
                on_destroyed(*c, *w);
            }
            break;
        default: break;
    }
}

int cpw_localhost_processevents(CpwContext* ctx, int n) {
    int result = 1;
    for (int i = 0; i < n; ++i) {
        CpwX11Connection* c = cpw_x11_connection();
        if (c == nullptr || XPending(c->display) == 0 || key_waits_for_queue(*c, ctx)) {
            result = 0;
            break;
        }
        XEvent event{};
        XNextEvent(c->display, &event);
        c->key_held_until.reset();  // the hold was for the event just taken
        cpw_x11_handleevent(event);
    }
    // The events queued now are sent next: a window destroyed meanwhile is
    // known gone before they are.
    if (const CpwX11Connection* c = cpw_x11_connection()) {
        cpw_x11_takedestructions(*c);
    }
    return result;
}
