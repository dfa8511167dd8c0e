#include "cpw/cpw.h"
#include "cpw/internal.h"
#include "cpw/joystick.h"
#include "cpw/localhost.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

CpwTimer* find_timer(CpwContext* ctx, std::uint32_t id) {
    return static_cast<CpwTimer*>(le_getVoid(ll_getElement(&ctx->list_timers, id)));
}

void remove_timer(CpwContext* ctx, std::uint32_t id) {
    CpwTimer* t = find_timer(ctx, id);
    ll_deleteElement(&ctx->list_timers, id);
    std::free(t);
}

}  // namespace

bool cpw_timers_init(CpwContext* ctx) {
    ll_initList(&ctx->list_timers);
    ctx->timers = false;
    return true;
}

void cpw_timers_exit(CpwContext* ctx) {
    for (LinkedElement* e = ctx->list_timers.baseElement; e != nullptr; e = e->childtomyright) {
        std::free(le_getVoid(e));
    }
    ll_deleteList(&ctx->list_timers);
    ctx->timers = false;
}

std::uint32_t cpw_timer_add(CpwContext* ctx, std::uint32_t milliseconds, int value, bool repeat,
                            CpwTimerCallback callback, int internalkind) {
    auto* t = static_cast<CpwTimer*>(std::calloc(1, sizeof(CpwTimer)));
    if (t == nullptr) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    t->callback = callback;
    t->interval = milliseconds / 1000.0 * cpw_localhost_hpfreq();
    t->start = cpw_localhost_hpcount();
    t->value = value;
    t->repeat = repeat;
    t->internal = internalkind != 0;
    t->internalkind = internalkind;
    t->id = ll_addVoid(&ctx->list_timers, t);
    if (t->id == 0) {
        std::free(t);
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    ctx->timers = true;
    return t->id;
}

void cpw_timer_remove(CpwContext* ctx, std::uint32_t id) {
    if (find_timer(ctx, id) != nullptr) {
        remove_timer(ctx, id);
    }
}

int cpwTimerCallback(CpwContext* ctx, std::uint32_t milliseconds, int value, bool repeat, CpwTimerCallback callback) {
    if (callback == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    return cpw_timer_add(ctx, milliseconds, value, repeat, callback, 0) != 0 ? 1 : 0;
}

int cpwKillTimer(CpwContext* ctx, int value) {
    if (ctx->list_timers.baseElement == nullptr) {
        return 0;
    }
    for (LinkedElement* e = ctx->list_timers.baseElement; e != nullptr; e = e->childtomyright) {
        const auto* t = static_cast<const CpwTimer*>(le_getVoid(e));
        // The joystick module's own timers are not the caller's to kill.
        if (t != nullptr && !t->internal && t->value == value) {
            remove_timer(ctx, le_getId(e));
            break;
        }
    }
    return 1;
}

int cpw_timers_nextdue(CpwContext* ctx) {
    double earliest = -1.0;  // counts until the first timer is due
    for (const LinkedElement* e = ctx->list_timers.baseElement; e != nullptr; e = e->childtomyright) {
        const auto* t = static_cast<const CpwTimer*>(le_getVoid(e));
        if (t == nullptr) {
            continue;
        }
        const double left = std::max(t->start + t->interval - cpw_localhost_hpcount(), 0.0);
        earliest = earliest < 0.0 ? left : std::min(earliest, left);
    }
    if (earliest < 0.0) {
        return -1;
    }
    // Rounded up: a wait that ends before the timer is due is a wasted cycle.
    const double ms = std::ceil(earliest * 1000.0 / cpw_localhost_hpfreq());
    return static_cast<int>(std::min(ms, static_cast<double>(std::numeric_limits<int>::max())));
}

int cpw_timers_tick(CpwContext* ctx) {
    if (ctx->list_timers.baseElement == nullptr) {
        ctx->timers = false;
        return 0;
    }
    // The walk goes by id, looking each timer up afresh: a callback may kill
    // any timer, its own included, or make new ones.
    std::vector<std::uint32_t> ids;
    for (const LinkedElement* e = ctx->list_timers.baseElement; e != nullptr; e = e->childtomyright) {
        ids.push_back(le_getId(e));
    }
    int fired = 0;
    for (const std::uint32_t id : ids) {
        CpwTimer* t = find_timer(ctx, id);
        if (t == nullptr) {
            continue;
        }
        fired = 0;
        if (cpw_localhost_hpcount() - t->start < t->interval) {
            continue;
        }
        fired = 1;
        const bool repeat = t->repeat;
        if (t->internal) {
            cpw_joystick_timer(ctx, t->internalkind);
        } else if (t->callback != nullptr) {
            t->callback(ctx, t->value);
        }
        t = find_timer(ctx, id);
        if (repeat) {
            if (t != nullptr) {
                t->start = cpw_localhost_hpcount();
            }
            continue;
        }
        if (t != nullptr) {
            remove_timer(ctx, id);
        }
        break;
    }
    return fired;
}
