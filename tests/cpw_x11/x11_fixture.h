#pragma once

// Shared set-up of the toolkit's display tests: on the ground every display
// test shares (support/x11_display_test.h: the test process's own X server,
// the user's connection, the pump), a toolkit context on the X11 host and
// callbacks that log what they receive.

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
#include "support/x11_display_test.h"
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
inline std::vector<std::string> seen_of(const std::string& kind) { return entries_of(seen, kind); }

// A started context, the logging callbacks, and a connection of its own
// that plays the user.
class X11Test : public tarvex_test::X11DisplayTest {
protected:
    void SetUp() override {
        X11DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        seen.clear();
        ASSERT_TRUE(cpwInitContext(&ctx));
        log_all_events(ctx);
        open_user();
    }

    void TearDown() override {
        tarvex_test::pin_gl_driver();
        if (ctx != nullptr) {
            cpwFreeContext(&ctx);
        }
        close_user();
        cpw_rawkeyhook_set(nullptr);
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
};

}  // namespace x11_test
