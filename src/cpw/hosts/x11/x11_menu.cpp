#include "cpw/hosts/x11/x11_host.h"
#include "cpw/hosts/x11/x11_rules.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"
#include "cpw/menu.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// X has no menus of its own: a pop-up is an override-redirect window per
// level (the menu and each sub-menu opened from it) that holds the pointer
// and the keyboard while it is open; a menu bar is a strip along the top of
// its window. Both are drawn with Xlib and the core font "fixed", and both
// read the entries from the menu module each time they draw them. The
// pop-up does not stop the program: its events come through the host's
// pump like any other, and the chosen entry is reported as a menu-select
// event once the pop-up has closed.

namespace {

constexpr int border = 1;
constexpr std::size_t max_levels = 32;

struct Level {
    Window window = 0;
    std::uint32_t menu = 0;
    std::vector<CpwMenuItemView> items;
    std::vector<CpwX11MenuBox> boxes;
    int x = 0, y = 0;  // the inside's top-left corner on the screen
    int width = 0, height = 0;
    int highlighted = -1;
    int opened = -1;  // the entry whose sub-menu is the next level
};

struct Popup {
    CpwContext* ctx = nullptr;
    std::uint32_t window = 0;    // the toolkit window it belongs to
    Window owner = 0;            // that window's X window
    std::uint32_t reported = 0;  // the menu reported with the chosen entry
    std::vector<Level> levels;
    bool armed = false;  // the user has pressed a button in it or moved over an entry
    bool grabbed = false;
};

std::optional<Popup> popup;

XFontStruct* menu_font(CpwX11Connection& c) {
    if (c.menufont == nullptr) {
        c.menufont = XLoadQueryFont(c.display, "fixed");
    }
    return c.menufont;
}

CpwX11MenuFont measures(CpwX11Connection& c) {
    const XFontStruct* f = menu_font(c);
    return f != nullptr ? CpwX11MenuFont{f->ascent, f->descent} : CpwX11MenuFont{11, 2};
}

int text_width(CpwX11Connection& c, const std::string& latin1) {
    XFontStruct* f = menu_font(c);
    const int n = static_cast<int>(latin1.size());
    return f != nullptr ? XTextWidth(f, latin1.data(), n) : 6 * n;
}

std::vector<CpwX11MenuLabel> labels_of(CpwX11Connection& c, const std::vector<CpwMenuItemView>& items) {
    std::vector<CpwX11MenuLabel> labels;
    labels.reserve(items.size());
    for (const CpwMenuItemView& item : items) {
        labels.push_back(CpwX11MenuLabel{text_width(c, cpw_x11_latin1(item.title)), item.separator});
    }
    return labels;
}

// ---- drawing ----

class Painter {
public:
    Painter(CpwX11Connection& c, Window w) : c_(c), w_(w), gc_(XCreateGC(c.display, w, 0, nullptr)) {
        if (XFontStruct* f = menu_font(c)) {
            XSetFont(c.display, gc_, f->fid);
        }
    }
    ~Painter() { XFreeGC(c_.display, gc_); }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void colour(bool white) {
        XSetForeground(c_.display, gc_, white ? WhitePixel(c_.display, c_.screen) : BlackPixel(c_.display, c_.screen));
    }
    void fill(int x, int y, int width, int height) {
        XFillRectangle(c_.display, w_, gc_, x, y, static_cast<unsigned>(std::max(width, 1)),
                       static_cast<unsigned>(std::max(height, 1)));
    }
    void line(int x1, int y1, int x2, int y2) { XDrawLine(c_.display, w_, gc_, x1, y1, x2, y2); }
    // The title centred in the box's height, starting at x.
    void title(const CpwX11MenuBox& box, int x, const std::string& text) {
        if (menu_font(c_) == nullptr) {
            return;
        }
        const CpwX11MenuFont m = measures(c_);
        const std::string latin1 = cpw_x11_latin1(text);
        const int baseline = box.y + (box.height + m.ascent - m.descent) / 2;
        XDrawString(c_.display, w_, gc_, x, baseline, latin1.data(), static_cast<int>(latin1.size()));
    }
    // A tick in the check-mark column.
    void mark(const CpwX11MenuBox& box) {
        const int cx = box.x + cpw_x11_menu_markcolumn / 2;
        const int cy = box.y + box.height / 2;
        line(cx - 4, cy, cx - 1, cy + 3);
        line(cx - 1, cy + 3, cx + 4, cy - 3);
    }
    // A small triangle pointing right in the arrow column.
    void arrow(const CpwX11MenuBox& box) {
        const int x = box.x + box.width - cpw_x11_menu_arrowcolumn + 5;
        const int cy = box.y + box.height / 2;
        std::array<XPoint, 3> points = {{{static_cast<short>(x), static_cast<short>(cy - 4)},
                                         {static_cast<short>(x + 5), static_cast<short>(cy)},
                                         {static_cast<short>(x), static_cast<short>(cy + 4)}}};
        XFillPolygon(c_.display, w_, gc_, points.data(), static_cast<int>(points.size()), Convex, CoordModeOrigin);
    }

private:
    CpwX11Connection& c_;
    Window w_;
    GC gc_;
};

void draw_level(CpwX11Connection& c, const Level& level) {
    Painter p(c, level.window);
    p.colour(true);
    p.fill(0, 0, level.width, level.height);
    for (std::size_t i = 0; i < level.items.size() && i < level.boxes.size(); ++i) {
        const CpwMenuItemView& item = level.items[i];
        const CpwX11MenuBox& box = level.boxes[i];
        if (item.separator) {
            p.colour(false);
            p.line(box.x + 2, box.y + box.height / 2, box.x + box.width - 3, box.y + box.height / 2);
            continue;
        }
        const bool lit = static_cast<int>(i) == level.highlighted;
        if (lit) {
            p.colour(false);
            p.fill(box.x, box.y, box.width, box.height);
        }
        p.colour(lit);
        p.title(box, box.x + cpw_x11_menu_markcolumn + 4, item.title);
        if (item.checked) {
            p.mark(box);
        }
        if (item.submenu != 0) {
            p.arrow(box);
        }
    }
    XFlush(c.display);
}

void draw_bar(CpwX11Connection& c, const CpwLocalhostWindow& w) {
    if (w.menubar == 0) {
        return;
    }
    XWindowAttributes a{};
    if (XGetWindowAttributes(c.display, w.menubar, &a) == 0) {
        return;
    }
    const std::vector<CpwMenuItemView> items = cpw_menus_items(w.ctx, w.menubarmenu);
    const std::vector<CpwX11MenuBox> boxes = cpw_x11_barlayout(labels_of(c, items), measures(c));
    Painter p(c, w.menubar);
    p.colour(true);
    p.fill(0, 0, a.width, a.height);
    p.colour(false);
    p.line(0, a.height - 1, a.width, a.height - 1);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CpwX11MenuBox& box = boxes[i];
        if (items[i].separator) {
            p.line(box.x + box.width / 2, box.y + 3, box.x + box.width / 2, box.y + box.height - 4);
            continue;
        }
        p.title(box, box.x + (box.width - text_width(c, cpw_x11_latin1(items[i].title))) / 2, items[i].title);
    }
    XFlush(c.display);
}

// ---- the pop-up ----

void release_pointer_state(CpwX11Connection& c) {
    // The releases went to the pop-up: the host learns which buttons are
    // still held from the pointer itself.
    if (popup->ctx == nullptr || popup->ctx->ctx_localhost == nullptr) {
        return;
    }
    Window root = 0;
    Window child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    if (XQueryPointer(c.display, c.root, &root, &child, &rx, &ry, &wx, &wy, &mask) != 0) {
        CpwLocalhost& host = *popup->ctx->ctx_localhost;
        host.left_down = (mask & Button1Mask) != 0;
        host.middle_down = (mask & Button2Mask) != 0;
        host.right_down = (mask & Button3Mask) != 0;
    }
}

void close_levels_after(CpwX11Connection& c, std::size_t level) {
    while (popup->levels.size() > level + 1) {
        XDestroyWindow(c.display, popup->levels.back().window);
        popup->levels.pop_back();
    }
    popup->levels[level].opened = -1;
}

void close_popup() {
    CpwX11Connection* c = cpw_x11_connection();
    if (!popup) {
        return;
    }
    if (c != nullptr) {
        if (popup->grabbed) {
            XUngrabPointer(c->display, CurrentTime);
            XUngrabKeyboard(c->display, CurrentTime);
        }
        for (const Level& level : popup->levels) {
            XDestroyWindow(c->display, level.window);
        }
        release_pointer_state(*c);
        XFlush(c->display);
    }
    popup.reset();
}

// Opens a level showing the menu with its top-left corner at (x, y) on the
// screen, or ending at leftx when it would stick out on the right.
void open_level(CpwX11Connection& c, std::uint32_t menu, int x, int y, int leftx) {
    if (popup->levels.size() >= max_levels) {
        return;
    }
    Level level;
    level.menu = menu;
    level.items = cpw_menus_items(popup->ctx, menu);
    level.boxes = cpw_x11_popuplayout(labels_of(c, level.items), measures(c), &level.width, &level.height);
    const CpwX11Point at = cpw_x11_menuplace(x, y, level.width + 2 * border, level.height + 2 * border,
                                             DisplayWidth(c.display, c.screen), DisplayHeight(c.display, c.screen),
                                             leftx);
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.save_under = True;
    a.background_pixel = WhitePixel(c.display, c.screen);
    a.border_pixel = BlackPixel(c.display, c.screen);
    a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
    level.window = XCreateWindow(c.display, c.root, at.x, at.y, static_cast<unsigned>(level.width),
                                 static_cast<unsigned>(level.height), border, CopyFromParent, InputOutput,
                                 CopyFromParent, CWOverrideRedirect | CWSaveUnder | CWBackPixel | CWBorderPixel | CWEventMask,
                                 &a);
    if (level.window == 0) {
        return;
    }
    level.x = at.x + border;
    level.y = at.y + border;
    XMapRaised(c.display, level.window);
    popup->levels.push_back(std::move(level));
    XFlush(c.display);
}

// Takes the pointer and the keyboard for the pop-up; a window just mapped
// may need a moment before the server lets it have them.
void grab(CpwX11Connection& c) {
    const Window w = popup->levels.front().window;
    XSync(c.display, False);
    for (int attempt = 0; attempt < 100 && !popup->grabbed; ++attempt) {
        const int result =
            XGrabPointer(c.display, w, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime);
        if (result == GrabSuccess) {
            popup->grabbed = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (popup->grabbed) {
        XGrabKeyboard(c.display, w, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    }
    XFlush(c.display);
}

bool start_popup(CpwX11Connection& c, CpwContext* ctx, const CpwLocalhostWindow& window, std::uint32_t reported,
                 std::uint32_t shown, int x, int y) {
    close_popup();
    popup.emplace();
    popup->ctx = ctx;
    popup->window = window.id;
    popup->owner = window.hwnd;
    popup->reported = reported;
    open_level(c, shown, x, y, -1);
    if (popup->levels.empty()) {
        popup.reset();
        return false;
    }
    grab(c);
    return true;
}

struct Hit {
    int level = -1;
    int item = -1;
};

// The level and entry under a screen point, the deepest level first.
Hit hit_at(int x, int y) {
    for (int i = static_cast<int>(popup->levels.size()) - 1; i >= 0; --i) {
        const Level& l = popup->levels[static_cast<std::size_t>(i)];
        const int lx = x - l.x;
        const int ly = y - l.y;
        if (lx >= 0 && ly >= 0 && lx < l.width && ly < l.height) {
            return Hit{i, cpw_x11_menuhit(l.boxes, lx, ly)};
        }
    }
    return Hit{};
}

bool selectable(const CpwMenuItemView& item) {
    return !item.separator;
}

void on_motion(CpwX11Connection& c, int x, int y) {
    const Hit hit = hit_at(x, y);
    if (hit.level < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(hit.level);
    const Level& level = popup->levels[index];
    const bool entry = hit.item >= 0 && selectable(level.items[static_cast<std::size_t>(hit.item)]);
    if (!entry) {
        return;  // a separator or the border: everything stays as it is
    }
    popup->armed = true;
    if (level.highlighted != hit.item) {
        popup->levels[index].highlighted = hit.item;
        draw_level(c, popup->levels[index]);
    }
    const CpwMenuItemView& item = level.items[static_cast<std::size_t>(hit.item)];
    if (item.submenu == 0) {
        close_levels_after(c, index);
        return;
    }
    if (level.opened == hit.item) {
        return;
    }
    close_levels_after(c, index);
    const CpwX11MenuBox box = level.boxes[static_cast<std::size_t>(hit.item)];
    const int left = level.x - border;
    const int right = level.x + level.width + border;
    const int top = level.y + box.y - border;
    popup->levels[index].opened = hit.item;
    open_level(c, item.submenu, right, top, left);
}

void choose(std::uint32_t entry) {
    CpwContext* ctx = popup->ctx;
    const std::uint32_t window = popup->window;
    const auto menu = static_cast<int>(popup->reported);
    close_popup();
    cpw_hostevent_menuselect(ctx, window, menu, static_cast<int>(entry));
}

void on_release(int x, int y) {
    const Hit hit = hit_at(x, y);
    if (!popup->armed || hit.level < 0 || hit.item < 0) {
        return;
    }
    const CpwMenuItemView& item =
        popup->levels[static_cast<std::size_t>(hit.level)].items[static_cast<std::size_t>(hit.item)];
    if (selectable(item) && item.submenu == 0) {
        choose(item.entry);
    }
}

bool is_level(Window w) {
    return std::any_of(popup->levels.begin(), popup->levels.end(), [w](const Level& l) { return l.window == w; });
}

// The events of an open pop-up's windows.
void popup_event(CpwX11Connection& c, XEvent& event) {
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) {
                for (const Level& l : popup->levels) {
                    if (l.window == event.xany.window) {
                        draw_level(c, l);
                    }
                }
            }
            return;
        case MotionNotify: on_motion(c, event.xmotion.x_root, event.xmotion.y_root); return;
        case ButtonPress:
            if (hit_at(event.xbutton.x_root, event.xbutton.y_root).level < 0) {
                close_popup();  // a click beside the menu closes it
            } else {
                popup->armed = true;
            }
            return;
        case ButtonRelease: on_release(event.xbutton.x_root, event.xbutton.y_root); return;
        case KeyPress:
            if (XLookupKeysym(&event.xkey, 0) == XK_Escape) {
                close_popup();
            }
            return;
        default: return;
    }
}

// ---- the menu bar ----

CpwLocalhostWindow* bar_owner(const CpwX11Connection& c, Window strip) {
    for (const auto& [hwnd, w] : c.windows) {
        if (w != nullptr && w->menubar != 0 && w->menubar == strip) {
            return w;
        }
    }
    return nullptr;
}

int client_width(const CpwX11Connection& c, const CpwLocalhostWindow& w) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(c.display, w.hwnd, &a) != 0) {
        return std::max(a.width, 1);
    }
    return std::max(w.width, 1);
}

bool create_bar(CpwX11Connection& c, CpwLocalhostWindow& w) {
    if (w.menubar != 0) {
        return true;
    }
    XSetWindowAttributes a{};
    a.background_pixel = WhitePixel(c.display, c.screen);
    a.border_pixel = BlackPixel(c.display, c.screen);
    a.colormap = DefaultColormap(c.display, c.screen);
    a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask;
    // Clicks and moves over the bar are the bar's, not the window's.
    a.do_not_propagate_mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    cpw_x11_clearerror();
    const Window strip = XCreateWindow(
        c.display, w.hwnd, 0, 0, static_cast<unsigned>(client_width(c, w)),
        static_cast<unsigned>(cpw_x11_barheight(measures(c))), 0, DefaultDepth(c.display, c.screen), InputOutput,
        DefaultVisual(c.display, c.screen), CWBackPixel | CWBorderPixel | CWColormap | CWEventMask | CWDontPropagate,
        &a);
    if (strip == 0 || cpw_x11_syncerror() != 0) {
        if (strip != 0) {
            XDestroyWindow(c.display, strip);
        }
        return false;
    }
    w.menubar = strip;
    XMapRaised(c.display, strip);
    XFlush(c.display);
    return true;
}

std::vector<CpwX11MenuBox> bar_boxes(CpwX11Connection& c, const CpwLocalhostWindow& w,
                                     std::vector<CpwMenuItemView>& items) {
    items = cpw_menus_items(w.ctx, w.menubarmenu);
    return cpw_x11_barlayout(labels_of(c, items), measures(c));
}

void bar_press(CpwX11Connection& c, CpwLocalhostWindow& w, const XButtonEvent& e) {
    if (e.button != Button1 || w.menubarmenu == 0) {
        return;
    }
    std::vector<CpwMenuItemView> items;
    const std::vector<CpwX11MenuBox> boxes = bar_boxes(c, w, items);
    const int hit = cpw_x11_menuhit(boxes, e.x, e.y);
    if (hit < 0 || items[static_cast<std::size_t>(hit)].separator) {
        return;
    }
    const CpwMenuItemView& item = items[static_cast<std::size_t>(hit)];
    if (item.submenu == 0) {
        cpw_hostevent_menuselect(w.ctx, w.id, static_cast<int>(w.menubarmenu), static_cast<int>(item.entry));
        return;
    }
    // The drop-down opens under the entry.
    const CpwX11MenuBox& box = boxes[static_cast<std::size_t>(hit)];
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(c.display, w.menubar, c.root, box.x, box.y + box.height, &x, &y, &child);
    start_popup(c, w.ctx, w, w.menubarmenu, item.submenu, x, y);
}

}  // namespace

bool cpw_x11_menuevent(XEvent& event) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return false;
    }
    const Window target = event.xany.window;
    if (popup) {
        if (is_level(target)) {
            popup_event(*c, event);
            return true;
        }
        if (event.type == ButtonPress) {
            close_popup();  // the pop-up could not hold the pointer: a click elsewhere closes it
        }
    }
    CpwLocalhostWindow* w = bar_owner(*c, target);
    if (w == nullptr) {
        return false;
    }
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) {
                draw_bar(*c, *w);
            }
            break;
        case ButtonPress: bar_press(*c, *w, event.xbutton); break;
        default: break;
    }
    return true;
}

void cpw_x11_menubar_create(CpwLocalhostWindow& window) {
    if (CpwX11Connection* c = cpw_x11_connection()) {
        create_bar(*c, window);
    }
}

void cpw_x11_menubar_resize(const CpwLocalhostWindow& window, int width) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window.menubar == 0) {
        return;
    }
    XResizeWindow(c->display, window.menubar, static_cast<unsigned>(std::max(width, 1)),
                  static_cast<unsigned>(cpw_x11_barheight(measures(*c))));
}

void cpw_x11_menus_windowgone(const CpwLocalhostWindow& window) {
    if (popup && popup->owner == window.hwnd) {
        close_popup();
    }
}

void cpw_x11_menus_contextgone(const CpwContext* ctx) {
    if (popup && popup->ctx == ctx) {
        close_popup();
    }
}

void cpw_x11_menus_disconnect() {
    close_popup();
    CpwX11Connection* c = cpw_x11_connection();
    if (c != nullptr && c->menufont != nullptr) {
        XFreeFont(c->display, c->menufont);
        c->menufont = nullptr;
    }
}

bool cpw_x11_popupopen() {
    return popup.has_value();
}

bool cpw_x11_popupentry(int level, std::uint32_t entry, int* x, int* y, int* width, int* height) {
    if (!popup || level < 0 || static_cast<std::size_t>(level) >= popup->levels.size()) {
        return false;
    }
    const Level& l = popup->levels[static_cast<std::size_t>(level)];
    for (std::size_t i = 0; i < l.items.size(); ++i) {
        if (l.items[i].entry == entry && !l.items[i].separator) {
            *x = l.x + l.boxes[i].x;
            *y = l.y + l.boxes[i].y;
            *width = l.boxes[i].width;
            *height = l.boxes[i].height;
            return true;
        }
    }
    return false;
}

bool cpw_x11_menubarentry(const CpwLocalhostWindow& window, std::uint32_t entry, int* x, int* y, int* width,
                          int* height) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window.menubar == 0) {
        return false;
    }
    std::vector<CpwMenuItemView> items;
    const std::vector<CpwX11MenuBox> boxes = bar_boxes(*c, window, items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].entry == entry && !items[i].separator) {
            Window child = 0;
            XTranslateCoordinates(c->display, window.menubar, c->root, boxes[i].x, boxes[i].y, x, y, &child);
            *width = boxes[i].width;
            *height = boxes[i].height;
            return true;
        }
    }
    return false;
}

bool cpw_localhost_setmenubar(CpwContext*, CpwLocalhostWindow* window, std::uint32_t menu) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->hwnd == 0) {
        return false;
    }
    if (menu == 0) {
        if (popup && popup->owner == window->hwnd) {
            close_popup();
        }
        if (window->menubar != 0) {
            XDestroyWindow(c->display, window->menubar);
            window->menubar = 0;
        }
        window->menubarmenu = 0;
        XFlush(c->display);
        return true;
    }
    if (!create_bar(*c, *window)) {
        return false;
    }
    window->menubarmenu = menu;
    draw_bar(*c, *window);
    return true;
}

void cpw_localhost_popupmenu(CpwContext* ctx, CpwLocalhostWindow* window, std::uint32_t menu, int x, int y) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->hwnd == 0) {
        return;
    }
    int rx = 0;
    int ry = 0;
    Window child = 0;
    XTranslateCoordinates(c->display, window->hwnd, c->root, x, y, &rx, &ry, &child);
    start_popup(*c, ctx, *window, menu, menu, rx, ry);
}
