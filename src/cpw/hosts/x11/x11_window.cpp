#include "cpw/hosts/x11/x11_host.h"
#include "cpw/hosts/x11/x11_rules.h"

#include "cpw/gl_float_guard.h"
#include "cpw/host_rules.h"
#include "cpw/host_services.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include "platform/encoding.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr long window_events = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                               ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                               LeaveWindowMask | FocusChangeMask | PropertyChangeMask;

// X coordinates and sizes are 16-bit; sizes are at least 1.
int coordinate(std::uint32_t v) {
    return static_cast<int>(std::min<std::uint32_t>(v, 32767));
}

unsigned extent(std::uint32_t v) {
    return std::clamp<std::uint32_t>(v, 1, 32767);
}

void set_text_property(Display* d, Window w, Atom property, Atom type, const std::string& text) {
    XChangeProperty(d, w, property, type, 8, PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

// WM_NAME in Latin-1, _NET_WM_NAME in UTF-8, and the same for the icon name.
void set_title(const CpwX11Connection& c, Window w, std::string_view title) {
    const std::string latin1 = cpw_x11_latin1(title);
    const std::string utf8 = cp1252_to_utf8(title);
    set_text_property(c.display, w, XA_WM_NAME, XA_STRING, latin1);
    set_text_property(c.display, w, XA_WM_ICON_NAME, XA_STRING, latin1);
    set_text_property(c.display, w, c.net_wm_name, c.utf8_string, utf8);
    set_text_property(c.display, w, c.net_wm_icon_name, c.utf8_string, utf8);
}

CpwX11Decoration decoration_of(std::uint32_t properties, bool menu) {
    return cpw_x11_decoration(cpw_windowstyle_from_properties(properties, menu));
}

// Position and size asked for, the outer corner at the position; a window
// that is not resizable has its size as both minimum and maximum.
void set_size_hints(const CpwX11Connection& c, const CpwLocalhostWindow& w, const CpwX11Decoration& decoration,
                    int x, int y, unsigned width, unsigned height) {
    XSizeHints* hints = XAllocSizeHints();
    if (hints == nullptr) {
        return;
    }
    hints->flags = USPosition | PPosition | USSize | PSize | PWinGravity;
    hints->x = x;
    hints->y = y;
    hints->width = static_cast<int>(width);
    hints->height = static_cast<int>(height);
    hints->win_gravity = NorthWestGravity;
    if (!decoration.resizable) {
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = static_cast<int>(width);
        hints->min_height = hints->max_height = static_cast<int>(height);
    }
    XSetWMNormalHints(c.display, w.hwnd, hints);
    XFree(hints);
}

void set_motif_hints(const CpwX11Connection& c, Window w, const CpwX11Decoration& decoration) {
    constexpr unsigned long functions_flag = 1;
    constexpr unsigned long decorations_flag = 2;
    const std::array<unsigned long, 5> hints = {functions_flag | decorations_flag, decoration.functions,
                                                decoration.decorations, 0, 0};
    XChangeProperty(c.display, w, c.motif_wm_hints, c.motif_wm_hints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints.data()), static_cast<int>(hints.size()));
}

// Adds or removes window states through the window manager.
void change_state(const CpwX11Connection& c, const CpwLocalhostWindow& w, bool add, Atom first, Atom second) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w.hwnd;
    e.xclient.message_type = c.net_wm_state;
    e.xclient.format = 32;
    e.xclient.data.l[0] = add ? 1 : 0;
    e.xclient.data.l[1] = static_cast<long>(first);
    e.xclient.data.l[2] = static_cast<long>(second);
    e.xclient.data.l[3] = 1;  // a normal application
    XSendEvent(c.display, c.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// Raises the window and gives it the keyboard focus, once it is viewable:
// setting the focus on a window not yet mapped is an error.
void activate(const CpwX11Connection& c, const CpwLocalhostWindow& w) {
    XRaiseWindow(c.display, w.hwnd);
    if (!w.shown || w.iconify_asked || !cpw_x11_waitviewable(w)) {
        XFlush(c.display);
        return;
    }
    if (cpw_x11_windowmanager()) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w.hwnd;
        e.xclient.message_type = c.net_active_window;
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1;  // a normal application
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(c.display, c.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    }
    XSetInputFocus(c.display, w.hwnd, RevertToParent, CurrentTime);
    XFlush(c.display);
}

const std::string& classname_of(const CpwContext* ctx) {
    static const std::string none = "CPWWindow";
    return ctx->ctx_localhost != nullptr ? ctx->ctx_localhost->classname : none;
}

CpwLocalhostWindow* create(CpwContext* ctx, std::uint32_t id, const char* title, int x, int y, unsigned width,
                           unsigned height, std::uint32_t properties, bool menu, bool fullscreen) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        cpw_error_set(ctx, cpw_error_hostwindow);
        return nullptr;
    }
    std::unique_ptr<CpwLocalhostWindow> w;
    try {
        w = std::make_unique<CpwLocalhostWindow>();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return nullptr;
    }
    w->ctx = ctx;
    w->id = id;
    w->winstyle = properties;
    w->hmenu = menu;
    w->config = cpw_x11_chooseconfig(ctx->cpw_displaymode);

    Display* d = c->display;
    Visual* visual = DefaultVisual(d, c->screen);
    int depth = DefaultDepth(d, c->screen);
    XVisualInfo* info = nullptr;
    if (w->config != nullptr) {
        const CpwGlFloatGuard guard;
        info = glXGetVisualFromFBConfig(d, w->config);
    }
    if (info != nullptr) {
        visual = info->visual;
        depth = info->depth;
        w->visual = true;
    }
    w->colormap = XCreateColormap(d, c->root, visual, AllocNone);
    XSetWindowAttributes a{};
    a.colormap = w->colormap;
    a.border_pixel = 0;
    a.background_pixmap = None;  // no background: the GL drawing covers the window
    a.event_mask = window_events;
    cpw_x11_clearerror();
    w->hwnd = XCreateWindow(d, c->root, x, y, width, height, 0, depth, InputOutput, visual,
                            CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &a);
    if (info != nullptr) {
        XFree(info);
    }
    if (w->hwnd == 0 || cpw_x11_syncerror() != 0) {
        if (w->hwnd != 0) {
            XDestroyWindow(d, w->hwnd);
        }
        XFreeColormap(d, w->colormap);
        cpw_error_set(ctx, cpw_error_hostwindow);
        return nullptr;
    }

    std::string classname = classname_of(ctx);
    XClassHint class_hint{classname.data(), classname.data()};
    XSetClassHint(d, w->hwnd, &class_hint);
    std::array<Atom, 2> protocols = {c->wm_delete_window, c->net_wm_ping};
    XSetWMProtocols(d, w->hwnd, protocols.data(), static_cast<int>(protocols.size()));
    set_title(*c, w->hwnd, title == nullptr ? "" : title);
    const CpwX11Decoration decoration = decoration_of(properties, menu);
    set_size_hints(*c, *w, decoration, x, y, width, height);
    set_motif_hints(*c, w->hwnd, decoration);
    if (fullscreen) {
        const std::array<Atom, 2> states = {c->net_wm_state_fullscreen, c->net_wm_state_above};
        XChangeProperty(d, w->hwnd, c->net_wm_state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
        w->fullscreen = true;
        w->maximized = true;
    }
    w->left = x;
    w->top = y;
    w->width = static_cast<int>(width);
    w->height = static_cast<int>(height);
    w->shown = true;
    c->windows[w->hwnd] = w.get();
    if (menu) {
        cpw_x11_menubar_create(*w);  // an empty bar until a menu is assigned
    }
    XMapRaised(d, w->hwnd);
    XFlush(d);
    return w.release();
}

// The host's own maximise and full screen, without a window manager: the
// window covers the screen, its geometry kept for the way back.
void cover_screen(const CpwX11Connection& c, CpwLocalhostWindow& w) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(c.display, w.hwnd, &a) != 0) {
        w.saved_x = a.x;
        w.saved_y = a.y;
        w.saved_width = a.width;
        w.saved_height = a.height;
    }
    const auto width = static_cast<unsigned>(DisplayWidth(c.display, c.screen));
    const auto height = static_cast<unsigned>(DisplayHeight(c.display, c.screen));
    set_size_hints(c, w, decoration_of(w.winstyle, w.hmenu), 0, 0, width, height);
    XMoveResizeWindow(c.display, w.hwnd, 0, 0, width, height);
}

void uncover_screen(const CpwX11Connection& c, CpwLocalhostWindow& w) {
    if (w.saved_width <= 0 || w.saved_height <= 0) {
        return;
    }
    const auto width = static_cast<unsigned>(w.saved_width);
    const auto height = static_cast<unsigned>(w.saved_height);
    set_size_hints(c, w, decoration_of(w.winstyle, w.hmenu), w.saved_x, w.saved_y, width, height);
    XMoveResizeWindow(c.display, w.hwnd, w.saved_x, w.saved_y, width, height);
    w.saved_width = w.saved_height = 0;
}

}  // namespace

CpwLocalhostWindow* cpw_localhost_createwindow(CpwContext* ctx, std::uint32_t id, const char* title,
                                               std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                               std::uint32_t height, std::uint32_t properties, bool menu) {
    return create(ctx, id, title, coordinate(x), coordinate(y), extent(width), extent(height), properties, menu,
                  false);
}

CpwLocalhostWindow* cpw_localhost_createfullscreenwindow(CpwContext* ctx, std::uint32_t id, const char* title) {
    return create(ctx, id, title, 0, 0, extent(ctx->cpw_screenwidth), extent(ctx->cpw_screenheight),
                  cpw_window_popup | cpw_window_fixedframe, false, true);
}

void cpw_localhost_destroywindow(CpwContext* ctx, CpwLocalhostWindow* window) {
    if (window == nullptr) {
        return;
    }
    const std::unique_ptr<CpwLocalhostWindow> w(window);
    if (const CpwX11Connection* c = cpw_x11_connection(); c != nullptr && !window->gone) {
        cpw_x11_takedestructions(*c);  // gone meanwhile: its GL context must not touch it
    }
    cpw_x11_menus_windowgone(*window);
    cpw_localhost_destroyglcontext(ctx, window);
    if (ctx != nullptr && ctx->ctx_localhost != nullptr) {
        CpwLocalhost& host = *ctx->ctx_localhost;
        if (host.focus_id == window->id) {
            host.focus_id = 0;
        }
        if (host.mouse_id == window->id) {
            host.mouse_id = 0;
        }
    }
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window->hwnd == 0) {
        return;
    }
    c->windows.erase(window->hwnd);
    if (!window->gone) {
        XDestroyWindow(c->display, window->hwnd);
    }
    XFreeColormap(c->display, window->colormap);
    XFlush(c->display);
}

void cpw_localhost_setwindowtitle(CpwContext*, CpwLocalhostWindow* window, const char* title) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || title == nullptr || title[0] == '\0') {
        return;
    }
    set_title(*c, window->hwnd, title);
    XFlush(c->display);
}

void cpw_localhost_positionwindow(CpwContext*, CpwLocalhostWindow* window, std::uint32_t x, std::uint32_t y) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    window->left = coordinate(x);
    window->top = coordinate(y);
    XMoveWindow(c->display, window->hwnd, window->left, window->top);
    XFlush(c->display);
}

void cpw_localhost_reshapewindow(CpwContext*, CpwLocalhostWindow* window, std::uint32_t width,
                                 std::uint32_t height) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    // The toolkit queues the reshape itself; the host's own report of the new
    // size then brings nothing new.
    window->width = static_cast<int>(extent(width));
    window->height = static_cast<int>(extent(height));
    set_size_hints(*c, *window, decoration_of(window->winstyle, window->hmenu), window->left, window->top,
                   extent(width), extent(height));
    XResizeWindow(c->display, window->hwnd, extent(width), extent(height));
    XFlush(c->display);
}

void cpw_localhost_maximizewindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    window->shown = true;
    window->iconify_asked = false;
    XMapRaised(c->display, window->hwnd);
    if (cpw_x11_windowmanager()) {
        change_state(*c, *window, true, c->net_wm_state_maximized_vert, c->net_wm_state_maximized_horz);
    } else if (!window->maximized) {
        cover_screen(*c, *window);
    }
    window->maximized = true;
    XFlush(c->display);
}

void cpw_localhost_inconifywindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    window->iconify_asked = true;
    if (cpw_x11_windowmanager()) {
        XIconifyWindow(c->display, window->hwnd, c->screen);
    } else {
        XUnmapWindow(c->display, window->hwnd);  // nothing else could show it minimised
    }
    XFlush(c->display);
}

void cpw_localhost_restorewindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    window->iconify_asked = false;
    window->shown = true;
    XMapRaised(c->display, window->hwnd);
    if (window->maximized && !window->fullscreen) {
        if (cpw_x11_windowmanager()) {
            change_state(*c, *window, false, c->net_wm_state_maximized_vert, c->net_wm_state_maximized_horz);
        } else {
            uncover_screen(*c, *window);
        }
        window->maximized = false;
    }
    XFlush(c->display);
}

int cpw_localhost_hidewindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return 0;
    }
    const bool was = window->shown;
    window->shown = false;
    XWithdrawWindow(c->display, window->hwnd, c->screen);
    XFlush(c->display);
    return was ? 1 : 0;
}

int cpw_localhost_showwindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return 0;
    }
    const bool was = window->shown;
    window->shown = true;
    window->iconify_asked = false;
    XMapRaised(c->display, window->hwnd);
    activate(*c, *window);
    return was ? 1 : 0;
}

int cpw_localhost_setforeground(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c != nullptr && window != nullptr) {
        activate(*c, *window);
    }
    return 1;
}

void cpw_localhost_windowinfo(CpwContext*, CpwLocalhostWindow* window, std::uint32_t* x, std::uint32_t* y,
                              std::uint32_t* width, std::uint32_t* height) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    XWindowAttributes a{};
    int root_x = 0;
    int root_y = 0;
    Window child = 0;
    if (XGetWindowAttributes(c->display, window->hwnd, &a) == 0 ||
        XTranslateCoordinates(c->display, window->hwnd, c->root, 0, 0, &root_x, &root_y, &child) == 0) {
        return;
    }
    *x = static_cast<std::uint32_t>(std::max(root_x, 0));
    *y = static_cast<std::uint32_t>(std::max(root_y, 0));
    *width = static_cast<std::uint32_t>(std::max(a.width, 0));
    *height = static_cast<std::uint32_t>(std::max(a.height, 0));
}

void cpw_localhost_pushwindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    XRaiseWindow(c->display, window->hwnd);  // above the ordinary windows, below the topmost ones
    XFlush(c->display);
}

void cpw_localhost_popwindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    XLowerWindow(c->display, window->hwnd);
    XFlush(c->display);
}

void cpw_localhost_fullscreenwindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->fullscreen) {
        return;
    }
    set_motif_hints(*c, window->hwnd, decoration_of(cpw_window_popup | cpw_window_fixedframe, false));
    if (cpw_x11_windowmanager()) {
        change_state(*c, *window, true, c->net_wm_state_fullscreen, None);
    } else {
        cover_screen(*c, *window);
    }
    window->fullscreen = true;
    window->shown = true;
    window->iconify_asked = false;
    XMapRaised(c->display, window->hwnd);
    activate(*c, *window);
}

void cpw_localhost_standardizewindow(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    set_motif_hints(*c, window->hwnd, decoration_of(window->winstyle, window->hmenu));
    if (cpw_x11_windowmanager()) {
        change_state(*c, *window, false, c->net_wm_state_fullscreen, c->net_wm_state_above);
        change_state(*c, *window, false, c->net_wm_state_maximized_vert, c->net_wm_state_maximized_horz);
    } else {
        uncover_screen(*c, *window);
    }
    window->fullscreen = false;
    window->maximized = false;
    XFlush(c->display);
}

void cpw_localhost_setcursor(CpwContext*, CpwLocalhostWindow* window, int cursor) {
    CpwX11Connection* c = cpw_x11_connection();
    const int shape = cpw_x11_cursorshape(cursor);
    if (c == nullptr || window == nullptr || shape == cpw_x11_cursor_unchanged) {
        return;
    }
    Cursor& x_cursor = c->cursors[static_cast<std::size_t>(cursor)];
    if (x_cursor == 0) {
        if (shape == cpw_x11_cursor_blank) {
            static const char empty[1] = {0};
            const Pixmap pixmap = XCreateBitmapFromData(c->display, c->root, empty, 1, 1);
            XColor black{};
            x_cursor = XCreatePixmapCursor(c->display, pixmap, pixmap, &black, &black, 0, 0);
            XFreePixmap(c->display, pixmap);
        } else {
            x_cursor = XCreateFontCursor(c->display, static_cast<unsigned>(shape));
        }
    }
    XDefineCursor(c->display, window->hwnd, x_cursor);
    XFlush(c->display);
}

void cpw_localhost_restorecursor(CpwContext*) {}

void cpw_localhost_positioncursor(CpwLocalhostWindow* window, std::uint32_t x, std::uint32_t y) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    XWarpPointer(c->display, None, window->hwnd, 0, 0, 0, 0, coordinate(x), coordinate(y));
    XFlush(c->display);
}

void cpw_localhost_centercursor(CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr) {
        return;
    }
    XWindowAttributes a{};
    if (XGetWindowAttributes(c->display, window->hwnd, &a) == 0) {
        return;
    }
    XWarpPointer(c->display, None, window->hwnd, 0, 0, 0, 0, a.width / 2, a.height / 2);
    XFlush(c->display);
}

int cpw_localhost_seticon(CpwLocalhostWindow* window, std::span<const CpwIconImage> images) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->hwnd == 0 || window->gone) {
        return BadWindow;
    }
    // _NET_WM_ICON: per size its width, its height and its pixels, as
    // CARDINALs, which Xlib takes as longs for a format of 32.
    std::vector<unsigned long> data;
    for (const CpwIconImage& image : images) {
        const auto side = static_cast<std::size_t>(std::max(image.size, 0));
        if (side == 0 || image.argb.size() != side * side) {
            return BadValue;
        }
        data.push_back(side);
        data.push_back(side);
        data.insert(data.end(), image.argb.begin(), image.argb.end());
    }
    if (data.empty()) {
        return BadValue;
    }
    cpw_x11_clearerror();
    XChangeProperty(c->display, window->hwnd, c->net_wm_icon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    return cpw_x11_syncerror();
}
