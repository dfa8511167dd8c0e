#pragma once

// Another program holding the clipboard, for the display tests on the X11
// host: a connection and a thread of its own that answer every request for
// the formats it offers, and refuse the others, until it is destroyed.
// Header only: the support library itself does not link X11.

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tarvex_test {

class ClipboardHolder {
public:
    // Each offer: the name of a format ("UTF8_STRING", "STRING" ...) and the
    // bytes (format 8) given for it.
    explicit ClipboardHolder(const std::vector<std::pair<std::string, std::string>>& offers) {
        display_ = XOpenDisplay(nullptr);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        for (const auto& [name, bytes] : offers) {
            offers_.emplace_back(XInternAtom(display_, name.c_str(), False), bytes);
        }
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        XSync(display_, False);
        thread_ = std::thread([this] { serve(); });
    }
    ~ClipboardHolder() {
        stop_ = true;
        thread_.join();
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

private:
    void serve() {
        while (!stop_) {
            XEvent e{};
            if (XCheckTypedWindowEvent(display_, window_, SelectionRequest, &e) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const XSelectionRequestEvent& r = e.xselectionrequest;
            XSelectionEvent reply{};
            reply.type = SelectionNotify;
            reply.requestor = r.requestor;
            reply.selection = r.selection;
            reply.target = r.target;
            reply.time = r.time;
            reply.property = None;
            for (const auto& [target, bytes] : offers_) {
                if (r.target == target) {
                    XChangeProperty(display_, r.requestor, r.property, target, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(bytes.data()),
                                    static_cast<int>(bytes.size()));
                    reply.property = r.property;
                    break;
                }
            }
            XSendEvent(display_, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
            XFlush(display_);
        }
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    Atom clipboard_ = 0;
    std::vector<std::pair<Atom, std::string>> offers_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tarvex_test
