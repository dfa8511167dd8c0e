#pragma once

// Shared set-up of the form engine's headless tests: a fresh null host and
// engine, a fake text measure (every input character 8 pixels wide, label
// characters 6), value checks and an application callback that record what
// they are given, and helpers that register a form, start it and play the
// user with events handed to the toolkit as the host would.

#include "forms/kit/engine.h"
#include "forms/kit/engine_layout.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/engine_window.h"

#include "cpw/cpw.h"
#include "cpw/hosts/null/null_host.h"
#include "cpw/internal.h"
#include "foundation/stopwatch.h"

#include "support/cpw_event_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace engine_test {

inline constexpr int input_char = 8;
inline constexpr int label_char = 6;
inline constexpr int font_size = 12;
inline constexpr int margin = 3;  // Yoffset: the descent of "_"

inline EngineTextBox fake_measure(EngineFont font, int size, std::string_view text) {
    const int n = static_cast<int>(text.size());
    if (font == EngineFont::input) {
        return {n * input_char, 10, text.find('_') != std::string_view::npos ? margin : 2};
    }
    return {n * label_char, size, 2};
}

// What the application and the value checks were told.
inline std::vector<std::string> calls;
// Boxes whose value check refuses, and the boxes whose text the checks saw.
inline std::set<int> refused_boxes;

inline void record_callback(int kind, int number, int value) {
    calls.push_back("callback " + std::to_string(kind) + " " + std::to_string(number) + " " + std::to_string(value));
}

inline int fake_check_values(int n, int, int&, float&, std::string& cval, std::string& msg) {
    calls.push_back("check " + std::to_string(n) + " " + cval);
    if (refused_boxes.count(n) != 0) {
        msg = "Integer value required";
        return 0;
    }
    return 1;
}

inline int fake_check_minmax(int, int&, float&, std::string&, std::string&) {
    return 1;
}

inline int fake_incrm_val(int n, int& ival, float&, std::string& cval, int incr) {
    calls.push_back("step " + std::to_string(n) + " " + std::to_string(incr));
    ival += incr;
    cval = std::to_string(ival);
    return 1;
}

inline std::vector<std::string> calls_of(const std::string& kind) { return cpw_events::entries_of(calls, kind); }

// Milliseconds of the stopwatches' clock, set by the tests.
inline int now_ms = 0;

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_null_host();
        null_host.fontfolder = fonts.path().string() + "/";
        reset_engine();
        calls.clear();
        refused_boxes.clear();
        set_engine_measure(fake_measure);
        set_frm_callback(record_callback);
        set_engine_checks({fake_check_values, fake_check_minmax, fake_incrm_val});
        now_ms = 0;
        set_time_of_day_source([] {
            return TimeOfDay{10, 0, now_ms / 1000, now_ms % 1000};
        });
        reset_stopwatches();
        set_opt({1, font_size, 0});
    }

    void TearDown() override {
        frm_close_graphics();
        set_engine_measure(nullptr);
        set_time_of_day_source({});
        reset_stopwatches();
        reset_engine();
        EXPECT_TRUE(null_host.windows.empty());
        EXPECT_EQ(null_host.rawkeyhook, nullptr);
    }

    static FrmInptDef box(int x, int y, int size, int type, std::string_view label = "", std::string_view value = "") {
        FrmInptDef d;
        d.label = label;
        d.value = value;
        d.position = {x, y, -1, -1};
        d.size = size;
        d.type = type;
        return d;
    }

    // Starts the registered form; its window id.
    std::uint32_t start() {
        const int id = frm_start_graphics("arial.ttf", "Test");
        EXPECT_GT(id, 0) << "error " << (engine_window.this_cpw ? cpwGetLastError(engine_window.this_cpw) : -1);
        ctx = engine_window.this_cpw;
        window = static_cast<std::uint32_t>(id);
        send();
        return window;
    }

    // Sends the queued toolkit events, as the main loop would.
    void send() {
        for (int i = 0; i < 1000 && ctx != nullptr && cpw_event_sendevent(ctx) == 1; ++i) {
        }
    }

    // The user's hands: y counts from the window's top, as the host reports it.
    void press(int x, int Y, int button = 0) {
        cpw_hostevent_mouseclick(ctx, window, 0, button, x, height() - Y);
        send();
    }
    void release(int x, int Y, int button = 0) {
        cpw_hostevent_mouseclick(ctx, window, 1, button, x, height() - Y);
        send();
    }
    void click(int x, int Y, int button = 0) {
        press(x, Y, button);
        release(x, Y, button);
    }
    void wheel(int steps) {
        cpw_hostevent_mouseclick(ctx, window, 2, 0, steps, 0);
        send();
    }
    // The centre of box i.
    void click_box(int i) {
        const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(i)];
        click((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
    }
    void click_button(int b) {
        const Rect& r = engine_tables.butt_pos[static_cast<std::size_t>(b)];
        click((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
    }

    // A key as the X11 host reports it.
    void key(int message, int vk, int scancode, int character, int keyscan, int modifiers = 0, int flags = 0) {
        CpwRawKey k{};
        k.message = message;
        k.vk = vk;
        k.scancode = scancode;
        k.flags = flags | (message == cpw_rawkey_keyup || message == cpw_rawkey_syskeyup ? cpw_rawkey_flag_up : 0);
        k.character = character;
        k.keyscan = character == 0 ? -1 : keyscan;
        k.modifiers = modifiers;
        k.context = ctx;
        k.window = window;
        null_host_rawkey(k);
        send();
    }
    // A character key typed and released: letters and digits by their virtual key.
    void type_char(char c, int vk, int scancode, int keyscan) {
        key(cpw_rawkey_keydown, vk, scancode, static_cast<unsigned char>(c), keyscan);
        key(cpw_rawkey_keyup, vk, scancode, static_cast<unsigned char>(c), keyscan);
    }

    void mouse_leaves() {
        cpw_event_insert(ctx, window, cpw_event_mouseentry, 1);
        send();
    }

    int height() const { return engine_metrics.windowInfo.height; }

    tarvex_test::TempDir fonts{"engine-fonts"};
    tarvex_test::TempDir folder{"engine-run"};
    tarvex_test::ScopedCwd cwd{folder.path()};  // the program's log goes here
    CpwContext* ctx = nullptr;
    std::uint32_t window = 0;
};

}  // namespace engine_test
