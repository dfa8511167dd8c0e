#include "cpw/hosts/x11/x11_host.h"
#include "cpw/hosts/x11/x11_rules.h"

#include "cpw/host_services.h"

#include "platform/encoding.h"

#include <X11/Xatom.h>

#include <poll.h>

#include <array>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// How long a read waits for the program that holds the clipboard.
constexpr auto read_wait = std::chrono::milliseconds(500);

std::string cp1252_of_latin1(std::string_view latin1) {
    std::string out(latin1);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            c = '?';  // control characters of Latin-1
        }
    }
    return out;
}

// Waits for an event of the type on the window, leaving every other event
// queued; false at the deadline.
bool wait_for(Display* d, Window w, int type, XEvent& event, Clock::time_point deadline) {
    for (;;) {
        if (XCheckTypedWindowEvent(d, w, type, &event) != 0) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left, 50)));
        XEventsQueued(d, QueuedAfterReading);
    }
}

// Asks the holder of the clipboard for the text in one format; the text
// arrives in the helper window's property. False when the holder refuses or
// does not answer in time.
bool request(const CpwX11Connection& c, Atom target, std::string& bytes, Atom& type, Clock::time_point deadline) {
    XDeleteProperty(c.display, c.helper, c.selection_property);
    XConvertSelection(c.display, c.clipboard, target, c.selection_property, c.helper, CurrentTime);
    XFlush(c.display);
    XEvent event{};
    if (!wait_for(c.display, c.helper, SelectionNotify, event, deadline) || event.xselection.property == None) {
        return false;
    }
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    constexpr long longest = 1L << 22;  // in 32-bit units
    const bool ok = XGetWindowProperty(c.display, c.helper, c.selection_property, 0, longest, True, AnyPropertyType,
                                       &type, &format, &count, &after, &data) == Success &&
                    format == 8 && type != c.incr;
    if (ok && data != nullptr) {
        bytes.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return ok;
}

}  // namespace

// The time of a property change on the helper window.
Time cpw_x11_servertime(const CpwX11Connection& c) {
    XChangeProperty(c.display, c.helper, c.timestamp_property, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event{};
    if (wait_for(c.display, c.helper, PropertyNotify, event, Clock::now() + std::chrono::seconds(1))) {
        return event.xproperty.time;
    }
    return CurrentTime;
}

bool cpw_clipboard_write(std::string_view text) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return false;
    }
    const Time time = cpw_x11_servertime(*c);
    XSetSelectionOwner(c->display, c->clipboard, c->helper, time);
    if (XGetSelectionOwner(c->display, c->clipboard) != c->helper) {
        c->owns_clipboard = false;
        c->clipboard_text.clear();
        return false;
    }
    c->owns_clipboard = true;
    c->clipboard_text = std::string(text);
    c->clipboard_time = time;
    return true;
}

bool cpw_clipboard_read(std::string& text) {
    text.clear();
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return false;
    }
    if (c->owns_clipboard && XGetSelectionOwner(c->display, c->clipboard) == c->helper) {
        text = c->clipboard_text;
        return true;
    }
    if (XGetSelectionOwner(c->display, c->clipboard) == None) {
        return false;
    }
    const auto deadline = Clock::now() + read_wait;
    std::string bytes;
    Atom type = None;
    if (request(*c, c->utf8_string, bytes, type, deadline) && type == c->utf8_string) {
        text = utf8_to_cp1252(bytes);
        return true;
    }
    bytes.clear();
    if (request(*c, XA_STRING, bytes, type, deadline) && type == XA_STRING) {
        text = cp1252_of_latin1(bytes);
        return true;
    }
    return false;
}

void cpw_x11_selectionrequest(const XSelectionRequestEvent& r) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return;
    }
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = r.display;
    reply.requestor = r.requestor;
    reply.selection = r.selection;
    reply.target = r.target;
    reply.time = r.time;
    reply.property = None;
    // Old clients name no property: the target's name serves.
    const Atom property = r.property == None ? r.target : r.property;
    const long largest = XMaxRequestSize(c->display) * 4 - 256;
    if (r.selection == c->clipboard && r.owner == c->helper && c->owns_clipboard) {
        if (r.target == c->targets) {
            const std::array<Atom, 4> targets = {c->targets, c->utf8_string, XA_STRING, c->text};
            XChangeProperty(c->display, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(targets.data()), static_cast<int>(targets.size()));
            reply.property = property;
        } else if (r.target == c->utf8_string || r.target == XA_STRING || r.target == c->text) {
            const bool utf8 = r.target == c->utf8_string;
            const std::string bytes = utf8 ? cp1252_to_utf8(c->clipboard_text) : cpw_x11_latin1(c->clipboard_text);
            // A text too long for one property is refused rather than cut.
            if (static_cast<long>(bytes.size()) <= largest) {
                XChangeProperty(c->display, r.requestor, property, utf8 ? c->utf8_string : XA_STRING, 8,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(bytes.data()),
                                static_cast<int>(bytes.size()));
                reply.property = property;
            }
        }
    }
    XSendEvent(c->display, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(c->display);
}

void cpw_x11_selectionclear(const XSelectionClearEvent& clear) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || clear.selection != c->clipboard || clear.window != c->helper) {
        return;
    }
    c->owns_clipboard = false;
    c->clipboard_text.clear();
}
