#pragma once

// Shared set-up of the program forms' headless tests: the demo's Condor setup
// in a fake Wine prefix with Tarvex's folder (the four form files of data/,
// the map lists, Tarvex.ini) as the program's and the current folder, the
// options as the start-up leaves them for that setup, boxes recorded instead
// of shown, and the forms run on the toolkit's null host. The user is played
// by steps posted to the host: each runs inside the main loop of the form on
// screen when it comes (a step meant for the next form waits for it).

#include "cpw/cpw.h"
#include "cpw/hosts/null/null_host.h"
#include "cpw/internal.h"
#include "driver/fpl_preread.h"
#include "forms/kit/engine.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_model.h"
#include "forms/kit/value_checks.h"
#include "forms/program/field_maps.h"
#include "forms/program/form_callback.h"
#include "forms/program/layer_reset.h"
#include "foundation/condor_install.h"
#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/option_records.h"
#include "foundation/program_folder.h"
#include "foundation/run_stop.h"
#include "platform/console.h"
#include "support/demo_options.h"
#include "support/demo_setup.h"
#include "support/fake_wine_prefix.h"
#include "support/run_stop_catch.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace program_forms_test {

struct Box {
    std::string title;
    std::string text;
    int status = 0;
};

inline std::vector<Box> boxes;

class ProgramFormsTest : public ::testing::Test {
protected:
    ProgramFormsTest()
        : demo(tarvex_test::lay_out_demo(prefix)),
          cwd_(prefix.host(demo.program_folder)),
          language_("LANGUAGE", "en"),
          dialogs_("TARVEX_DIALOGS", "console"),
          display_("DISPLAY", nullptr) {
        reset_forms_layer();
        reset_null_host();
        null_host.fontfolder = fonts_.path().string() + "/";
        reset_log();
        set_log_clock([] { return LogDateTime{2024, 5, 1, 13, 45, 9}; });
        log_message_f("CREATETarvex.log");
        set_console_utf8(false);
        boxes.clear();
        set_message_box([](const std::string& title, const std::string& text, int& status) {
            boxes.push_back({title, text, status});
        });
        set_program_folder(demo.program_folder + "\\");
        // The options as the start-up leaves them for the demo's settings.
        tarvex_test::take_demo_options(demo);
        tarvex_c.inifile = demo.settings_file;
        tarvex_c.defpath = prefix.user_root(3) + "FlightPlans\\";
        tarvex01.nunit = 2;  // metric
    }
    ~ProgramFormsTest() override {
        frm_close_graphics();
        set_message_box(nullptr);
        set_check_values_app(nullptr);
        set_frm_callback(nullptr);
        set_program_folder("");
        reset_forms_layer();
        reset_null_host();
        reset_log();
        clear_console_encoding();
    }

    // A Windows path of the prefix as a host path, and a file's bytes.
    std::filesystem::path host(const std::string& windows_path) const { return prefix.host(windows_path); }
    std::string file(const std::string& windows_path) const { return tarvex_test::TempDir::read(host(windows_path)); }
    // The bytes of a form file of data/.
    static std::string form_file(const std::string& name) {
        return tarvex_test::TempDir::read(tarvex_test::data_source_folder() / name);
    }
    // Replaces a form file of the program's folder.
    void put_form(const std::string& name, const std::string& bytes) {
        prefix.add_file(demo.program_folder + "\\" + name, bytes);
    }

    // Runs `body`, which must end the run; how it ended.
    static RunStopped stop_of(const std::function<void()>& body) { return tarvex_test::stop_of(body); }

    // ---- the user, while a form is shown ----

    // Runs `form` (tarvex_gui, tarvex_setup) with the steps posted so far. A
    // form still on screen once they are done is a failure: it is closed.
    static void run_with_steps(const std::function<void()>& form) {
        user([] {
            ADD_FAILURE() << "the form " << frmc00.wintit << " was left open";
            close_window();
            user([] { close_window(); });
        });
        try {
            form();
        } catch (...) {
            null_host.messages.clear();
            throw;
        }
        null_host.messages.clear();
    }

    // Posts a step for the form shown when it comes.
    static void user(std::function<void()> step) {
        auto shared = std::make_shared<std::function<void()>>(std::move(step));
        null_host_post(waiting_step(shared));
    }
    static NullHostMessage waiting_step(const std::shared_ptr<std::function<void()>>& step) {
        return [step](CpwContext* ctx) {
            if (ctx->mainloop_break) {
                null_host.messages.push_front(waiting_step(step));  // for the next form
                return;
            }
            (*step)();
        };
    }

    static CpwContext* ctx() { return engine_window.this_cpw; }
    static std::uint32_t window() { return engine_metrics.windowInfo.id; }
    static void send() {
        for (int i = 0; i < 1000 && cpw_event_sendevent(ctx()) == 1; ++i) {
        }
    }
    // A click at (x, Y) of the form, Y upward.
    static void click(int x, int Y) {
        const int y = engine_metrics.windowInfo.height - Y;
        cpw_hostevent_mouseclick(ctx(), window(), 0, 0, x, y);
        send();
        cpw_hostevent_mouseclick(ctx(), window(), 1, 0, x, y);
        send();
    }
    static int box(const std::string& name) { return frm_get_number(name); }
    static void click_box(const std::string& name) {
        const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(box(name) - 1)];
        click((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
    }
    static void click_button(int type) {
        for (int b = 0; b < engine_tables.nb_butt; ++b) {
            if (engine_tables.butt_typ[static_cast<std::size_t>(b)] == type) {
                const Rect& r = engine_tables.butt_pos[static_cast<std::size_t>(b)];
                click((r[0] + r[2]) / 2, (r[1] + r[3]) / 2);
                return;
            }
        }
        ADD_FAILURE() << "no button of type " << type;
    }
    // Opens a list box and picks its entry (1-based).
    static void choose(const std::string& name, int entry) {
        click_box(name);
        const auto [left, top, right, bottom] = engine_state.ddl_pos;
        const Rect& r = engine_tables.inpt_pos[static_cast<std::size_t>(box(name) - 1)];
        const int row = r[3] - r[1];
        click((left + right) / 2, top - (entry - 1) * row - row / 2);
    }
    static void close_window() {
        cpw_hostevent_destroy(ctx(), window());
        send();
    }
    // What a box shows.
    static std::string shown(const std::string& name) {
        int iv = 0, it = 0;
        float rv = 0.0f;
        std::string cv;
        frm_get_cur_value(box(name), iv, rv, cv, it);
        return cv;
    }
    static int shown_int(const std::string& name) {
        int iv = 0, it = 0;
        float rv = 0.0f;
        std::string cv;
        frm_get_cur_value(box(name), iv, rv, cv, it);
        return iv;
    }
    static bool active(const std::string& name) {
        return engine_tables.inpt_act[static_cast<std::size_t>(box(name) - 1)] != 0;
    }
    static std::string label(const std::string& name) {
        return engine_tables.inpt_txt[static_cast<std::size_t>(box(name) - 1)];
    }
    // The user changes a box: the window shows the value, then the form is told.
    static void user_sets(const std::string& name, int iv, const std::string& text = " ") {
        set_inpt_val(box(name) - 1, iv, 0.0f, text);
        frm_callback(1, box(name), iv);
    }

    tarvex_test::FakeWinePrefix prefix;
    tarvex_test::DemoSetup demo;

private:
    tarvex_test::TempDir fonts_{"program-forms-fonts"};
    tarvex_test::ScopedCwd cwd_;
    tarvex_test::ScopedEnv language_;
    tarvex_test::ScopedEnv dialogs_;
    tarvex_test::ScopedEnv display_;
};

}  // namespace program_forms_test
