#pragma once

// The common ground of the display tests on the X11 host (the toolkit's and
// the form engine's): the test process's own X server, a second connection
// that plays the user with XTest or asks for the clipboard as another
// program would, and a pump that runs the host until something expected has
// happened. Header only: the support library itself does not link X11.

// GoogleTest first: Xlib's macros (None, Bool, Status) would break its headers.
#include <gtest/gtest.h>

#include "cpw/cpw.h"
#include "cpw/hosts/x11/x11_host.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include "support/display_test.h"
#include "support/temp_dir.h"
#include "support/xvfb_server.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace tarvex_test {

// A display test (DisplayTest) with DISPLAY set to the test process's own
// server. The toolkit context under test (`ctx`) is the derived fixture's to start
// and free; `user` is opened by open_user() and closed by close_user().
class X11DisplayTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        display_env_ = std::make_unique<ScopedEnv>("DISPLAY", XvfbServer::instance().display().c_str());
    }

    // Opens the connection that plays the user; a fatal failure when it or
    // XTest is missing.
    void open_user() {
        user = XOpenDisplay(nullptr);
        ASSERT_NE(user, nullptr);
        int event_base = 0, error_base = 0, major = 0, minor = 0;
        ASSERT_TRUE(XTestQueryExtension(user, &event_base, &error_base, &major, &minor));
    }

    void close_user() {
        if (user != nullptr) {
            XCloseDisplay(user);
            user = nullptr;
        }
    }

    // Runs the host's pump and sends the queued events until `done` holds;
    // false when it did not within five seconds.
    bool pump_until(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            XSync(user, False);
            while (cpw_localhost_processevents(ctx, 10) == 1) {
            }
            for (int i = 0; i < 1000 && cpw_event_sendevent(ctx) == 1; ++i) {
            }
            if (done()) {
                return true;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // Waits until the server has carried out the host's requests, then the
    // user's: a query of the user's sees what the host did.
    void sync_both() {
        if (CpwX11Connection* c = cpw_x11_connection()) {
            XSync(c->display, False);
        }
        XSync(user, False);
    }

    // The user's hands.
    void key(KeySym keysym, bool press) {
        XTestFakeKeyEvent(user, XKeysymToKeycode(user, keysym), press ? True : False, CurrentTime);
        XSync(user, False);
    }
    void tap(KeySym keysym) {
        key(keysym, true);
        key(keysym, false);
    }
    void pointer_to(int root_x, int root_y) {
        XTestFakeMotionEvent(user, DefaultScreen(user), root_x, root_y, CurrentTime);
        XSync(user, False);
    }
    void button(unsigned number, bool press) {
        XTestFakeButtonEvent(user, number, press ? True : False, CurrentTime);
        XSync(user, False);
    }

    // The window manager's request to close window `w` (it sends the
    // WM_DELETE_WINDOW message of WM_PROTOCOLS), sent by the user's connection.
    void ask_to_close(Window w) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(user, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(user, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(user, w, False, NoEventMask, &e);
        XSync(user, False);
    }

    // Guards the next run of the main loop: timer `timer` of the context
    // breaks it after five seconds; loop_timed_out() tells it had to.
    void break_loop_after_five_seconds(int timer) {
        loop_timed_out_ = false;
        cpwTimerCallback(ctx, 5000, timer, false, [](CpwContext* c, int) {
            loop_timed_out_ = true;
            cpwBreakMainLoop(c);
        });
    }
    static bool loop_timed_out() { return loop_timed_out_; }

    // The user's connection, as another program, asks for the clipboard in
    // a format; the host answers from its pump. The bytes that came (a list
    // of format 32 as the longs Xlib gives), and their type; false when the
    // request was refused or not answered.
    bool ask_clipboard(Atom target, std::string& bytes, Atom& type) {
        const Window requestor = XCreateSimpleWindow(user, DefaultRootWindow(user), 0, 0, 1, 1, 0, 0, 0);
        const Atom property = XInternAtom(user, "TEST_CLIP", False);
        XConvertSelection(user, XInternAtom(user, "CLIPBOARD", False), target, property, requestor, CurrentTime);
        XFlush(user);
        XEvent event{};
        const bool answered =
            pump_until([&] { return XCheckTypedWindowEvent(user, requestor, SelectionNotify, &event) != 0; });
        bool ok = false;
        if (answered && event.xselection.property != None) {
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(user, requestor, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count,
                                   &after, &data) == Success &&
                data != nullptr) {
                bytes.assign(reinterpret_cast<const char*>(data), format == 32 ? count * sizeof(long) : count);
                ok = true;
            }
            if (data != nullptr) {
                XFree(data);
            }
        }
        XDestroyWindow(user, requestor);
        return ok;
    }

    std::unique_ptr<ScopedEnv> display_env_;
    CpwContext* ctx = nullptr;
    Display* user = nullptr;

private:
    inline static bool loop_timed_out_ = false;
};

}  // namespace tarvex_test
