#include "cpw/hosts/x11/x11_host.h"

#include "cpw/gl_float_guard.h"
#include "platform/dialogs.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

std::unique_ptr<CpwX11Connection> connection;

// The last X error; Xlib's default handler would end the process (setting the
// focus on a window not yet mapped is one such error).
int last_error = 0;
XErrorHandler previous_handler = nullptr;

int keep_error(Display*, XErrorEvent* event) {
    last_error = event->error_code;
    return 0;
}

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

void intern_atoms(CpwX11Connection& c) {
    Display* d = c.display;
    c.wm_protocols = atom(d, "WM_PROTOCOLS");
    c.wm_delete_window = atom(d, "WM_DELETE_WINDOW");
    c.wm_state = atom(d, "WM_STATE");
    c.wm_change_state = atom(d, "WM_CHANGE_STATE");
    c.net_wm_name = atom(d, "_NET_WM_NAME");
    c.net_wm_icon_name = atom(d, "_NET_WM_ICON_NAME");
    c.net_wm_icon = atom(d, "_NET_WM_ICON");
    c.utf8_string = atom(d, "UTF8_STRING");
    c.motif_wm_hints = atom(d, "_MOTIF_WM_HINTS");
    c.net_wm_state = atom(d, "_NET_WM_STATE");
    c.net_wm_state_fullscreen = atom(d, "_NET_WM_STATE_FULLSCREEN");
    c.net_wm_state_above = atom(d, "_NET_WM_STATE_ABOVE");
    c.net_wm_state_maximized_vert = atom(d, "_NET_WM_STATE_MAXIMIZED_VERT");
    c.net_wm_state_maximized_horz = atom(d, "_NET_WM_STATE_MAXIMIZED_HORZ");
    c.net_active_window = atom(d, "_NET_ACTIVE_WINDOW");
    c.net_supporting_wm_check = atom(d, "_NET_SUPPORTING_WM_CHECK");
    c.net_wm_ping = atom(d, "_NET_WM_PING");
    c.clipboard = atom(d, "CLIPBOARD");
    c.targets = atom(d, "TARGETS");
    c.text = atom(d, "TEXT");
    c.selection_property = atom(d, "CPW_SELECTION");
    c.timestamp_property = atom(d, "CPW_TIMESTAMP");
    c.incr = atom(d, "INCR");
}

// A window's WINDOW property (one id), 0 when it has none.
Window window_property(Display* d, Window w, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window result = 0;
    if (XGetWindowProperty(d, w, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_WINDOW && format == 32 && count == 1 && data != nullptr) {
        result = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

// While a dialog (another program) is open the loop does not run: the
// windows are drawn again where they come uncovered; every other event
// waits for the loop, but for the clicks and keys, which are dropped when the
// dialog ends (cpw_x11_dialogended).
void serve_exposures() {
    if (!connection) {
        return;
    }
    Display* d = connection->display;
    XPending(d);  // reads what has come
    XEvent event{};
    while (XCheckMaskEvent(d, ExposureMask, &event) != 0) {
        cpw_x11_handleevent(event);
    }
    XFlush(d);
}

}  // namespace

CpwX11Connection* cpw_x11_connection() {
    return connection.get();
}

bool cpw_x11_connect() {
    if (connection) {
        ++connection->users;
        return true;
    }
    // XOpenDisplay needs no GL, but GLX hooks into every display: any GL set-up
    // it does runs without traps.
    const CpwGlFloatGuard guard;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    auto c = std::make_unique<CpwX11Connection>();
    c->display = display;
    c->screen = DefaultScreen(display);
    c->root = RootWindow(display, c->screen);
    c->users = 1;
    previous_handler = XSetErrorHandler(keep_error);
    intern_atoms(*c);
    // Held keys repeat as presses only, as on Windows, instead of release and
    // press pairs.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
    c->alt_mask = XkbKeysymToModifiers(display, XK_Alt_L);
    c->altgr_mask = XkbKeysymToModifiers(display, XK_ISO_Level3_Shift) | XkbKeysymToModifiers(display, XK_Mode_switch);
    c->numlock_mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    c->helper = XCreateWindow(display, c->root, -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                              CWEventMask, &attributes);
    // The root window's own changes tell when the screen changes size.
    XSelectInput(display, c->root, StructureNotifyMask);
    connection = std::move(c);
    set_dialog_wait({ConnectionNumber(display), serve_exposures, cpw_x11_dialogopened, cpw_x11_dialogended});
    return true;
}

void cpw_x11_disconnect() {
    if (!connection || --connection->users > 0) {
        return;
    }
    cpw_x11_menus_disconnect();
    set_dialog_wait({});
    Display* d = connection->display;
    for (const Cursor cursor : connection->cursors) {
        if (cursor != 0) {
            XFreeCursor(d, cursor);
        }
    }
    if (connection->helper != 0) {
        XDestroyWindow(d, connection->helper);
    }
    connection.reset();
    const CpwGlFloatGuard guard;
    XCloseDisplay(d);
    XSetErrorHandler(previous_handler);
    previous_handler = nullptr;
}

void cpw_x11_clearerror() {
    last_error = 0;
}

int cpw_x11_syncerror() {
    if (connection) {
        XSync(connection->display, False);
    }
    return last_error;
}

bool cpw_x11_windowmanager() {
    if (!connection) {
        return false;
    }
    Display* d = connection->display;
    const Window check = window_property(d, connection->root, connection->net_supporting_wm_check);
    if (check == 0) {
        return false;
    }
    // The check window names itself when the manager is alive.
    cpw_x11_clearerror();
    const Window self = window_property(d, check, connection->net_supporting_wm_check);
    return cpw_x11_syncerror() == 0 && self == check;
}

CpwLocalhostWindow* cpw_x11_window(Window window) {
    if (!connection) {
        return nullptr;
    }
    const auto it = connection->windows.find(window);
    return it == connection->windows.end() ? nullptr : it->second;
}

bool cpw_x11_waitviewable(const CpwLocalhostWindow& window) {
    if (!connection || window.hwnd == 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(connection->display, window.hwnd, &a) == 0) {
            return false;
        }
        if (a.map_state == IsViewable) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}
