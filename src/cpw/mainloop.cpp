#include "cpw/cpw.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <algorithm>

namespace {

// One cycle without idling: host messages, queued events, timers. Returns
// whether anything happened.
int run_cycle(CpwContext* ctx) {
    int activity = cpw_localhost_processevents(ctx, 3) == 1 ? 1 : 0;
    activity |= cpw_event_sendevents(ctx, 3);
    if (ctx->timers) {
        activity |= cpw_timers_tick(ctx);
    }
    return activity;
}

// Nothing happened in the last cycle: the idle callback runs, or the loop
// rests until the host has a message or the next timer is due. A main-loop
// callback counts cycles, so with one the rest is the short sleep of old.
void rest(CpwContext* ctx) {
    if (ctx->idleCallback != nullptr) {
        ctx->idleCallback(ctx);
        return;
    }
    if (ctx->mainloopCallback != nullptr) {
        cpw_localhost_sleep(1);
        return;
    }
    // A callback of the last cycle may have asked for an end or queued events.
    const CpwEventStack* stack = ctx->stack;
    if (ctx->mainloop_break || (stack != nullptr && stack->slots[stack->readindex].inuse != 0)) {
        return;
    }
    cpw_localhost_waitevents(ctx, ctx->timers ? cpw_timers_nextdue(ctx) : -1);
}

}  // namespace

int cpwBreakMainLoop(CpwContext* ctx) {
    ctx->mainloop_break = true;
    return 1;
}

int cpwMainLoopIsRunning(CpwContext* ctx) {
    return ctx->cpw_running ? 1 : 0;
}

int cpwMainLoop(CpwContext* ctx) {
    if (!ctx->cpw_initsuccess) {
        return 0;
    }
    ctx->mainloop_break = false;
    ctx->cpw_running = true;
    std::uint32_t cycles = 0;
    for (;;) {
        if (ctx->mainloop_break) {
            ctx->cpw_running = false;
            return ctx->err_code <= 0 ? 1 : 0;
        }
        const int activity = run_cycle(ctx);
        if (activity == 0) {
            rest(ctx);
        }
        if (ctx->mainloopCallback != nullptr) {
            // Every `ticks` cycles; 0 ticks is taken as every cycle.
            if (++cycles >= std::max<std::uint32_t>(ctx->mainloop_callbackticks, 1)) {
                cycles = 0;
                ctx->mainloopCallback(ctx, activity);
            }
        }
    }
}

int cpwMainLoopUpdate(CpwContext* ctx, int cycles) {
    if (!ctx->cpw_initsuccess) {
        return 0;
    }
    for (int i = 0; i < cycles && !ctx->mainloop_break; ++i) {
        if (run_cycle(ctx) == 0) {
            return 0;
        }
    }
    return 1;
}
