#include "cpw/cpw.h"
#include "cpw/extensions.h"
#include "cpw/internal.h"
#include "cpw/joystick.h"
#include "cpw/localhost.h"
#include "cpw/perfmarks.h"
#include "cpw/primitives.h"
#include "cpw/video.h"

#include "platform/console.h"

#include <cstdlib>
#include <string_view>

namespace {

using StartStep = bool (*)(CpwContext*);
using StopStep = void (*)(CpwContext*);

bool start_defaults(CpwContext* ctx) {
    cpw_init_init(ctx);
    return true;
}

// The modules in the order they start; a module without a step of its own
// here (the video settings start with nothing) is told to the host all the
// same. The host itself is started by its own init, which sees the step first.
struct ModuleStart {
    const char* name;
    StartStep start;
};

constexpr ModuleStart start_order[] = {
    {"defaults", start_defaults},
    {"host", cpw_localhost_init},
    {"performance marks", cpw_perfmarks_init},
    {"font", cpw_font_init},
    {"events", cpw_event_init},
    {"windows", cpw_windows_init},
    {"menus", cpw_menus_init},
    {"timers", cpw_timers_init},
    {"video settings", nullptr},
    {"primitives", cpw_primitives_init},
    {"GL extensions", cpw_extensions_init},
    {"joysticks", cpw_joysticks_init},
};

struct ModuleStop {
    const char* name;
    StopStep stop;
};

constexpr ModuleStop stop_order[] = {
    {"GL extensions", cpw_extensions_exit},
    {"primitives", cpw_primitives_exit},
    {"video settings", cpw_videomodes_exit},
    {"timers", cpw_timers_exit},
    {"window close", cpw_windows_close},
    {"events", cpw_event_exit},
    {"menus", cpw_menus_exit},
    {"windows", cpw_windows_exit},
    {"font", cpw_font_exit},
    {"performance marks", cpw_perfmarks_exit},
    {"joysticks", cpw_joysticks_exit},
    {"host", cpw_localhost_exit},
};

bool is_host(const char* name) {
    return std::string_view(name) == "host";
}

}  // namespace

void cpw_init_defaultprint(const char* text) {
    if (text != nullptr) {
        console_err(text);
    }
}

void cpw_init_init(CpwContext* ctx) {
    ctx->cpw_programname = nullptr;
    ctx->cpw_displaymode = cpw_mode_default;
    ctx->cpw_screenheight = 300;
    ctx->cpw_screenwidth = 300;
    ctx->cpw_running = false;
    ctx->cpw_print = cpw_init_defaultprint;
    ctx->win_initwidth = 200;
    ctx->win_initheight = 300;
    ctx->win_initx = 100;
    ctx->win_inity = 100;
    ctx->win_currentid = 0;
    ctx->win_foregroundid = 0;
    ctx->win_properties = cpw_window_standard | cpw_window_sizingframe;
    ctx->win_expectmenu = false;
    ctx->keyboard_state.fill(false);
    ll_initList(&ctx->list_win);
    ll_initList(&ctx->list_timers);
    ll_initList(&ctx->list_perf);
    ll_initList(&ctx->list_menus);
    ctx->timers = false;
    ctx->mainloop_break = false;
    ctx->mainloop_callbackticks = 0;
    ctx->err_code = 0;
}

bool cpwInitContext(CpwContext** ctx) {
    if (ctx == nullptr) {
        return false;
    }
    if (*ctx != nullptr) {
        return true;
    }
    *ctx = static_cast<CpwContext*>(std::calloc(1, sizeof(CpwContext)));
    if (*ctx == nullptr) {
        return false;
    }
    CpwContext* c = *ctx;
    for (const ModuleStart& m : start_order) {
        if (!is_host(m.name) && !cpw_localhost_modulestep(c, m.name, true)) {
            return false;
        }
        if (m.start != nullptr && !m.start(c)) {
            return false;
        }
    }
    c->cpw_initsuccess = true;
    return true;
}

bool cpwFreeContext(CpwContext** ctx) {
    if (ctx == nullptr) {
        return false;
    }
    CpwContext* c = *ctx;
    if (c == nullptr) {
        return true;
    }
    for (const ModuleStop& m : stop_order) {
        if (m.stop != nullptr) {
            m.stop(c);
        }
        if (!is_host(m.name)) {
            cpw_localhost_modulestep(c, m.name, false);
        }
    }
    cstr::freeStr(&c->cpw_driverinfo);
    std::free(c);
    *ctx = nullptr;
    return true;
}

int cpwInitWindowPosition(CpwContext* ctx, std::uint32_t x, std::uint32_t y) {
    ctx->win_initx = x;
    ctx->win_inity = y;
    return 1;
}

int cpwInitWindowSize(CpwContext* ctx, std::uint32_t width, std::uint32_t height) {
    ctx->win_initwidth = width;
    ctx->win_initheight = height;
    return 1;
}

int cpwInitDisplayMode(CpwContext* ctx, std::uint32_t mode) {
    ctx->cpw_displaymode = mode;
    return 1;
}

int cpwInitDisplayModeExact(CpwContext* /*ctx*/, std::uint32_t /*mode*/) {
    return 0;
}

int cpwInitPrintHandler(CpwContext* ctx, CpwPrintHandler handler) {
    ctx->cpw_print = handler;
    return 1;
}

bool cpwInitWindowProperty(CpwContext* ctx, std::uint32_t property, std::uint32_t a, std::uint32_t b) {
    switch (property) {
        case cpw_window_standard:
        case cpw_window_popup:
        case cpw_window_caption:
            ctx->win_properties = (ctx->win_properties & ~cpw_window_kindmask) | property;
            return true;
        case cpw_window_fixedframe:
        case cpw_window_thinborder:
        case cpw_window_sizingframe:
            ctx->win_properties = (ctx->win_properties & ~cpw_window_framemask) | property;
            return true;
        case cpw_window_menu:
            ctx->win_expectmenu = true;
            return true;
        case cpw_window_fullscreengeometry:
            ctx->win_initx = 0;
            ctx->win_inity = 0;
            ctx->win_initwidth = ctx->cpw_screenwidth;
            ctx->win_initheight = ctx->cpw_screenheight;
            return true;
        case cpw_window_size:
            ctx->win_initwidth = a;
            ctx->win_initheight = b;
            return true;
        case cpw_window_position:
            ctx->win_initx = a;
            ctx->win_inity = b;
            return true;
        default:
            cpw_error_set(ctx, cpw_error_badargument);
            return false;
    }
}

int cpwSetUserdata(CpwContext* ctx, void* p) {
    ctx->ctx_user = p;
    return 1;
}

void* cpwGetUserdata(CpwContext* ctx) {
    return ctx->ctx_user;
}

void cpw_error_set(CpwContext* ctx, int code) {
    ctx->err_code = code;
}

void cpwSetLastError(CpwContext* ctx, int code) {
    cpw_error_set(ctx, code);
}

int cpwGetLastError(CpwContext* ctx) {
    return ctx->err_code;
}
