#include "cpw/perfmarks.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>

namespace {

CpwPerfMark* find_mark(CpwContext* ctx, std::uint32_t mark) {
    return mark == 0 ? nullptr : static_cast<CpwPerfMark*>(le_getVoid(ll_getElement(&ctx->list_perf, mark)));
}

CpwPerfMark* known_mark(CpwContext* ctx, std::uint32_t mark) {
    CpwPerfMark* m = find_mark(ctx, mark);
    if (m == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
    }
    return m;
}

void print(CpwContext* ctx, const std::string& text) {
    if (ctx->cpw_print != nullptr) {
        ctx->cpw_print(text.c_str());
    }
}

// Counts of the high-resolution clock in seconds (0 when the clock has no rate).
double seconds(double counts) {
    const double frequency = cpw_localhost_hpfreq();
    return frequency > 0.0 ? counts / frequency : 0.0;
}

std::string format_line(const char* format, const char* name, double value) {
    const int size = std::snprintf(nullptr, 0, format, name, value);
    if (size <= 0) {
        return std::string();
    }
    std::string line(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(line.data(), line.size(), format, name, value);
    line.resize(static_cast<std::size_t>(size));
    return line;
}

}  // namespace

bool cpw_perfmarks_init(CpwContext* ctx) {
    ll_initList(&ctx->list_perf);
    return true;
}

void cpw_perfmarks_exit(CpwContext* ctx) {
    for (LinkedElement* e = ctx->list_perf.baseElement; e != nullptr; e = e->childtomyright) {
        const std::unique_ptr<CpwPerfMark> mark(static_cast<CpwPerfMark*>(le_getVoid(e)));
        if (mark) {
            cstr::freeStr(&mark->name);
        }
        le_setVoid(e, nullptr);
    }
    ll_deleteList(&ctx->list_perf);
}

std::uint32_t cpwAddMark(CpwContext* ctx, const char* name, bool averaging) {
    if (name == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    std::unique_ptr<CpwPerfMark> mark;
    try {
        mark = std::make_unique<CpwPerfMark>();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    mark->name = cstr::cpyString(name);
    mark->averaging = averaging;
    const std::uint32_t id = ll_addVoid(&ctx->list_perf, mark.get());
    if (id == 0) {
        cstr::freeStr(&mark->name);
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    mark.release();  // owned by the list now
    return id;
}

int cpwEnterMark(CpwContext* ctx, std::uint32_t mark) {
    CpwPerfMark* m = known_mark(ctx, mark);
    if (m == nullptr) {
        return 0;
    }
    m->start = cpw_localhost_hpcount();
    m->open = true;
    return 1;
}

int cpwExitMark(CpwContext* ctx, std::uint32_t mark) {
    CpwPerfMark* m = known_mark(ctx, mark);
    if (m == nullptr) {
        return 0;
    }
    if (!m->open) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    const double stretch = cpw_localhost_hpcount() - m->start;
    if (!m->timed) {
        m->time = stretch;  // the first stretch stands alone, also when averaging
    } else if (m->averaging) {
        m->time = (m->time + stretch) / 2.0;
    } else {
        m->time += stretch;
    }
    m->timed = true;
    m->open = false;
    return 1;
}

std::string cpw_perfmarks_text(CpwContext* ctx) {
    std::string text = "\nPerformance Marks:\n" + std::string(45, '-') + "\n";
    for (const LinkedElement* e = ctx->list_perf.baseElement; e != nullptr; e = e->childtomyright) {
        const auto* m = static_cast<const CpwPerfMark*>(le_getVoid(e));
        if (m == nullptr) {
            continue;
        }
        const char* name = cstr::len(m->name) > 0 ? cstr::str(m->name) : "";
        text += format_line(m->averaging ? "%15s %10.7f av.\n" : "%15s %10.7f\n", name, seconds(m->time));
        if (m->open) {
            text += "^unclosed\n";
        }
    }
    return text;
}

int cpwDumpMarks(CpwContext* ctx) {
    print(ctx, cpw_perfmarks_text(ctx));
    // Waits for the reader; the end of the input answers as well.
    std::fflush(stdout);
    (void)std::getchar();
    return 1;
}

int cpwFpsInit(CpwContext* ctx) {
    ctx->fps_hpfreq = cpw_localhost_hpfreq();
    ctx->fps_hpcount = cpw_localhost_hpcount();
    ctx->fps_ticks = 0;
    ctx->fps_fps = 0;
    return 1;
}

int cpwFpsDraw(CpwContext* ctx, bool print_rate) {
    if (ctx->fps_hpfreq <= 0.0) {
        cpwFpsInit(ctx);  // counting starts with the first frame
    }
    ++ctx->fps_ticks;
    const double now = cpw_localhost_hpcount();
    if (now - ctx->fps_hpcount >= ctx->fps_hpfreq) {
        ctx->fps_fps = ctx->fps_ticks;
        ctx->fps_ticks = 0;
        ctx->fps_hpcount = now;
        if (print_rate) {
            print(ctx, "fps: " + std::to_string(ctx->fps_fps) + "\n");
        }
    }
    return 1;
}

std::uint32_t cpwFpsGet(CpwContext* ctx) {
    return ctx->fps_fps;
}
