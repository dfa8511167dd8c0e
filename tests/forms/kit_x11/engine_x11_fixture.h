#pragma once

// Shared set-up of the form engine's display tests: on the ground every
// display test shares (support/x11_display_test.h: the test process's own X
// server, the user's connection, the pump), a form started on the X11 host.

// GoogleTest first: Xlib's macros (None, Bool, Status) would break its headers.
#include <gtest/gtest.h>

#include "forms/kit/engine.h"
#include "forms/kit/engine_draw.h"
#include "forms/kit/engine_tables.h"

#include "cpw/cpw.h"
#include "cpw/hosts/x11/x11_host.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include "support/gl_driver_pin.h"
#include "support/temp_dir.h"
#include "support/x11_display_test.h"
#include "support/xvfb_server.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace engine_x11_test {

inline std::vector<std::string> calls;
inline std::set<int> refused_boxes;

inline void record_callback(int kind, int number, int value) {
    calls.push_back("callback " + std::to_string(kind) + " " + std::to_string(number) + " " + std::to_string(value));
}

inline int refuse_some(int n, int, int&, float&, std::string&, std::string& msg) {
    if (refused_boxes.count(n) != 0) {
        msg = "Integer value required";
        return 0;
    }
    return 1;
}

// The client area of the form's window sits at (100, 100) of the screen:
// there is no window manager on the test server.
inline constexpr int window_x = 100;
inline constexpr int window_y = 100;

struct Pixel {
    int r, g, b;
    bool operator==(const Pixel&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

class FormX11Test : public tarvex_test::X11DisplayTest {
public:
    void SetUp() override {
        X11DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        reset_engine();
        calls.clear();
        refused_boxes.clear();
        set_frm_callback(record_callback);
        set_engine_checks({refuse_some, nullptr, nullptr});
        open_user();
        if (HasFatalFailure()) {
            return;
        }
        pointer_to(5, 5);  // away from where the window will be
    }

    void TearDown() override {
        if (engine_window.this_cpw != nullptr) {
            tarvex_test::pin_gl_driver();
        }
        frm_close_graphics();
        close_user();
        reset_engine();
    }

    // Starts the registered form and waits until it is on screen and drawn.
    void start() {
        const int id = frm_start_graphics("arial.ttf", "Form test");
        ASSERT_GT(id, 0);
        ctx = engine_window.this_cpw;
        window = static_cast<std::uint32_t>(id);
        xwin = static_cast<Window>(engine_window.hwnd);
        ASSERT_NE(xwin, 0u);
        ASSERT_TRUE(pump_until([this] {
            XWindowAttributes a{};
            return XGetWindowAttributes(user, xwin, &a) != 0 && a.map_state == IsViewable;
        }));
        settle();
    }

    // Pumps for a short while, until the queue stays empty.
    void settle() {
        for (int quiet = 0; quiet < 20;) {
            pump_until([] { return true; });
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            quiet = cpwStackDepth(ctx) == 0 ? quiet + 1 : 0;
        }
    }

    // The user's hands; points in the form's coordinates (y upward).
    void pointer_at(int x, int Y) { pointer_to(window_x + x, window_y + engine_metrics.windowInfo.height - Y); }
    using X11DisplayTest::button;
    void button(bool press) { button(1, press); }
    void click_at(int x, int Y) {
        pointer_at(x, Y);
        button(true);
        button(false);
        settle();
    }
    void ctrl_tap(KeySym keysym) {
        key(XK_Control_L, true);
        tap(keysym);
        key(XK_Control_L, false);
        settle();
    }

    // The colour the screen shows at a point of the form.
    Pixel pixel(int x, int Y) {
        XSync(user, False);
        const int row = engine_metrics.windowInfo.height - 1 - Y;
        XImage* image = XGetImage(user, xwin, x, row, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return {-1, -1, -1};
        }
        const unsigned long p = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255), static_cast<int>(p & 255)};
    }

    // Redraws the form and waits until the server shows it.
    void redraw() {
        engine_redraw();
        settle();
        sync_both();
    }

    std::uint32_t window = 0;
    Window xwin = 0;
};

}  // namespace engine_x11_test
