#pragma once

// Shared set-up of the display tests: the test process's own X server, a
// toolkit context on the X11 host, callbacks that log what they receive, a
// second connection that plays the user (XTest) or another program, and a
// pump that runs the host until something expected has happened.

// GoogleTest first: Xlib's macros (None, Bool, Status) would break its headers.
#include <gtest/gtest.h>

#include "cpw/cpw.h"
#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"
#include "cpw/host_services.h"
#include "cpw/hosts/x11/x11_host.h"

#include "support/cpw_event_log.h"
#include "support/gl_driver_pin.h"
#include "support/temp_dir.h"
#include "support/xvfb_server.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace x11_test {

using namespace cpw_events;

inline bool was_seen(const std::string& text) {
    return std::find(seen.begin(), seen.end(), text) != seen.end();
}

// The events seen of one kind ("click", "skey" ...), in order.
inline std::vector<std::string> seen_of(const std::string& kind) {
    std::vector<std::string> out;
    for (const std::string& s : seen) {
        if (s.rfind(kind + " ", 0) == 0) {
            out.push_back(s);
        }
    }
    return out;
}

// Skips the test when no X server can be started, or fails it when
// CPW_REQUIRE_DISPLAY=1; sets DISPLAY to the test process's own server.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const tarvex_test::XvfbServer& server = tarvex_test::XvfbServer::instance();
        if (!server.running()) {
            if (tarvex_test::display_required()) {
                FAIL() << server.failure();
            }
            GTEST_SKIP() << server.failure();
        }
        display_env_ = std::make_unique<tarvex_test::ScopedEnv>("DISPLAY", server.display().c_str());
    }

    std::unique_ptr<tarvex_test::ScopedEnv> display_env_;
};

// A started context, the logging callbacks, and a connection of its own
// that plays the user.
class X11Test : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        seen.clear();
        ASSERT_TRUE(cpwInitContext(&ctx));
        log_all_events(ctx);
        user = XOpenDisplay(nullptr);
        ASSERT_NE(user, nullptr);
        int event_base = 0, error_base = 0, major = 0, minor = 0;
        ASSERT_TRUE(XTestQueryExtension(user, &event_base, &error_base, &major, &minor));
    }

    void TearDown() override {
        tarvex_test::pin_gl_driver();
        if (ctx != nullptr) {
            cpwFreeContext(&ctx);
        }
        if (user != nullptr) {
            XCloseDisplay(user);
        }
        cpw_rawkeyhook_set(nullptr);
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

    bool pump_until_seen(const std::string& text) {
        return pump_until([&] { return was_seen(text); });
    }

    // Pumps until nothing new has come for a short while.
    void settle() {
        std::size_t count = seen.size();
        for (int quiet = 0; quiet < 25;) {
            pump_until([] { return true; });
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
            quiet = seen.size() == count ? quiet + 1 : 0;
            count = seen.size();
        }
    }

    // A window that is shown, has the focus and whose first events are sent.
    std::uint32_t make_window(std::uint32_t x = 100, std::uint32_t y = 100, std::uint32_t w = 400,
                              std::uint32_t h = 300, const char* title = "Test") {
        const std::uint32_t id = cpwCreateWindowEx(ctx, title, x, y, w, h);
        EXPECT_NE(id, 0u) << "error " << cpwGetLastError(ctx);
        EXPECT_TRUE(pump_until_seen(event_text("visibility", id, {2}))) << "the window never got the focus";
        settle();
        return id;
    }

    CpwLocalhostWindow* host_window(std::uint32_t id) {
        CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
        return w == nullptr ? nullptr : w->plhwc;
    }

    Window x_window(std::uint32_t id) { return static_cast<Window>(cpw_localhost_nativehandle(host_window(id))); }

    // Waits until the server has carried out the toolkit's requests, then
    // the user's: a query of the user's sees what the toolkit did.
    void sync() {
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

    CpwContext* ctx = nullptr;
    Display* user = nullptr;
};

}  // namespace x11_test
