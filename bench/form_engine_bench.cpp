// Benchmarks of the form engine on the X11 host, on an X server of the
// benchmark's own (Xvfb, with Mesa's software OpenGL): the time from
// frm_create_form to the first frame swapped, and the time of one redraw,
// for a form of 30 boxes of every type.

#include <benchmark/benchmark.h>

#include "cpw/cpw.h"
#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"
#include "forms/kit/engine.h"
#include "forms/kit/engine_draw.h"
#include "forms/kit/engine_tables.h"
#include "forms/kit/form_create.h"
#include "forms/kit/form_reader.h"
#include "platform/path_map.h"
#include "support/xvfb_server.h"

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The form: 30 boxes in two columns (integers with arrows, reals, texts,
// ticks, lists, folders, keys and colours), titles, a separator, buttons.
std::string thirty_box_form() {
    const char* types[] = {"INT", "FLT", "CHR", "TCK", "DDL", "FLD", "KEY", "F", "INT", "CHR"};
    std::string text =
        "[General]\nWindow Title=Thirty boxes\nFontName=arial.ttf\nFontSize=12\nActive=1\nTickSize=14\n"
        "[Input-boxes]\n";
    for (int i = 0; i < 30; ++i) {
        const std::string type = types[i % 10];
        const int x = i < 15 ? 20 : 380;
        const int y = 60 + (i % 15) * 28;
        std::string label = "Box " + std::to_string(i + 1);
        if (type == "DDL") {
            label += ",first,second,third,fourth,fifth,sixth,seventh,eighth,ninth,tenth,eleventh,twelfth";
        }
        text += "{ Txt=\"" + label + "\"; Name=box" + std::to_string(i + 1) + "; Pos=" + std::to_string(x) + "," +
                std::to_string(y) + "; Size=14; Type=" + type + (type == "INT" ? "; Arr=1" : "") + " }\n";
    }
    text += "[Separators]\n{ Separ=10,50,700,50 }\n";
    text += "[Text]\n{ Title=A form of thirty boxes; Pos=C50%,-10 }\n{ Title=Second title; Pos=20,40 }\n";
    text += "[Buttons]\n{ Pos=C30%,10; Size=80; Txt=OK; Type=OK }\n{ Pos=C70%,10; Size=80; Txt=Cancel; Type=CANCEL }\n";
    return text;
}

// The form file, the benchmark's own X server and a current folder for
// the kit's logs; false (with the reason) when there is no X server.
bool prepare(benchmark::State& state, std::string& form) {
    const tarvex_test::XvfbServer& server = tarvex_test::XvfbServer::instance();
    if (!server.running()) {
        state.SkipWithError(("no X server: " + server.failure()).c_str());
        return false;
    }
    setenv("DISPLAY", server.display().c_str(), 1);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tarvex_form_bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    std::ofstream(folder / "bench.frm", std::ios::binary) << thirty_box_form();
    form = map_from_host((folder / "bench.frm").string());
    if (frm_read_form(form) != 0) {
        state.SkipWithError("the benchmark's form could not be read");
        return false;
    }
    return true;
}

bool first_frame = false;

void draw_and_note(CpwContext* ctx, std::uint32_t window) {
    frm_draw(ctx, window);
    const CpwGlFloatGuard guard;
    glFinish();
    first_frame = true;
}

// Pumps the host and sends the toolkit's events until the first frame was swapped.
bool pump_to_first_frame(CpwContext* ctx) {
    for (int round = 0; round < 100000 && !first_frame; ++round) {
        while (cpw_localhost_processevents(ctx, 10) == 1) {
        }
        for (int i = 0; i < 100 && !first_frame && cpw_event_sendevent(ctx) == 1; ++i) {
        }
    }
    return first_frame;
}

void BM_FormFirstFrame(benchmark::State& state) {
    std::string form;
    if (!prepare(state, form)) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        frm_read_form(form);
        first_frame = false;
        state.ResumeTiming();
        if (frm_create_form() == 0) {
            state.SkipWithError("the form could not be shown");
            break;
        }
        cpwDisplayCallback(engine_window.this_cpw, draw_and_note);
        if (!pump_to_first_frame(engine_window.this_cpw)) {
            state.SkipWithError("no frame was drawn");
            break;
        }
        state.PauseTiming();
        frm_close_graphics();
        state.ResumeTiming();
    }
    frm_close_graphics();
}
BENCHMARK(BM_FormFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FormRedraw(benchmark::State& state) {
    std::string form;
    if (!prepare(state, form)) {
        return;
    }
    first_frame = false;
    if (frm_create_form() == 0) {
        state.SkipWithError("the form could not be shown");
        return;
    }
    CpwContext* ctx = engine_window.this_cpw;
    cpwDisplayCallback(ctx, draw_and_note);
    pump_to_first_frame(ctx);
    const std::uint32_t window = engine_metrics.windowInfo.id;
    cpwSetWindow(ctx, window);
    for (auto _ : state) {
        draw_and_note(ctx, window);
    }
    frm_close_graphics();
}
BENCHMARK(BM_FormRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
