#include "cpw/cpw.h"
#include "cpw/internal.h"

#include <cstdlib>

namespace {

// Slot arithmetic is in ring order: the 8-bit indices wrap from 255 to 0.
std::uint8_t next_index(std::uint8_t i) {
    return static_cast<std::uint8_t>(i + 1);
}

bool is_known_type(int type) {
    return type >= 0 && type < cpw_event_types;
}

bool holds_event(const CpwEventSlot& slot) {
    return slot.inuse != 0;
}

// A position or reshape event is passed over when the next event in the ring
// is one of the same type for the same window, still to be sent: only the
// last of such a run reaches the application.
bool superseded(const CpwEventStack& stack, const CpwEventSlot& event) {
    const CpwEventSlot& next = stack.slots[stack.readindex];
    return holds_event(next) && next.cleared == 0 && next.type == event.type && next.window == event.window;
}

}  // namespace

bool cpw_event_init(CpwContext* ctx) {
    ctx->stack = static_cast<CpwEventStack*>(std::calloc(1, sizeof(CpwEventStack)));
    if (ctx->stack == nullptr) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    return true;
}

void cpw_event_exit(CpwContext* ctx) {
    if (ctx->stack == nullptr) {
        return;
    }
    ctx->stack->filtered[cpw_event_display] = 1;
    ctx->stack->filtered[cpw_event_reshape] = 1;
    // Every queued event is sent; the bound stops callbacks that keep
    // queueing new events from holding the shut-down forever.
    for (int sent = 0; sent < 4 * cpw_event_slots && cpw_event_sendevent(ctx) == 1; ++sent) {
    }
    std::free(ctx->stack);
    ctx->stack = nullptr;
}

int cpw_event_insert(CpwContext* ctx, std::uint32_t id, int type, int p1, int p2, int p3, int p4, int p5) {
    CpwEventStack* stack = ctx->stack;
    if (stack == nullptr || !is_known_type(type) || stack->filtered[type] != 0) {
        return 0;
    }
    CpwEventSlot& slot = stack->slots[stack->writeindex];
    if (holds_event(slot)) {
        return 1;  // the ring is full: the event is dropped
    }
    slot = CpwEventSlot{1, 0, static_cast<std::int32_t>(id), type, p1, p2, p3, p4, p5};
    stack->writeindex = next_index(stack->writeindex);
    return 1;
}

int cpw_event_insertnext(CpwContext* ctx, std::uint32_t id, int type, int p1, int p2, int p3, int p4, int p5) {
    if (type >= cpw_event_mouseclick && type <= cpw_event_reshape) {
        cpw_event_dispatch(ctx, CpwEventSlot{1, 0, static_cast<std::int32_t>(id), type, p1, p2, p3, p4, p5});
    }
    return 1;
}

int cpw_event_sendevent(CpwContext* ctx) {
    CpwEventStack* stack = ctx->stack;
    if (stack == nullptr) {
        return 0;
    }
    for (;;) {
        CpwEventSlot& slot = stack->slots[stack->readindex];
        if (!holds_event(slot)) {
            return 0;
        }
        // The slot is freed before the event is handed on, so a callback may
        // queue, clear or send events without meeting a half-sent slot.
        const CpwEventSlot event = slot;
        slot = CpwEventSlot{};
        stack->readindex = next_index(stack->readindex);
        ++stack->taken;
        if (event.cleared != 0) {
            continue;
        }
        const bool skip = (event.type == cpw_event_position || event.type == cpw_event_reshape) &&
                          superseded(*stack, event);
        if (!skip) {
            cpw_event_dispatch(ctx, event);
        }
        // A callback may have shut the queue down.
        return ctx->stack != nullptr && holds_event(ctx->stack->slots[ctx->stack->readindex]) ? 1 : 0;
    }
}

int cpw_event_sendevents(CpwContext* ctx, int n) {
    for (int i = 0; i < n; ++i) {
        if (cpw_event_sendevent(ctx) == 0) {
            return 0;
        }
    }
    return 1;
}

int cpwFilterEvent(CpwContext* ctx, int type, int flag) {
    if (ctx->stack == nullptr || !is_known_type(type)) {
        return 0;
    }
    const int old = ctx->stack->filtered[type];
    ctx->stack->filtered[type] = flag;
    return old;
}

int cpwNextEvent(CpwContext* ctx) {
    if (ctx->stack == nullptr) {
        return 0;
    }
    // The next event that will be sent, passing over cleared ones.
    std::uint8_t i = ctx->stack->readindex;
    for (int n = 0; n < cpw_event_slots && holds_event(ctx->stack->slots[i]); ++n, i = next_index(i)) {
        if (ctx->stack->slots[i].cleared == 0) {
            return ctx->stack->slots[i].type;
        }
    }
    return 0;
}

int cpwNextWindowEvent(CpwContext* ctx, std::uint32_t id) {
    if (ctx->stack == nullptr) {
        return 0;
    }
    std::uint8_t i = ctx->stack->readindex;
    for (int n = 0; n < cpw_event_slots && holds_event(ctx->stack->slots[i]); ++n, i = next_index(i)) {
        const CpwEventSlot& slot = ctx->stack->slots[i];
        if (slot.cleared == 0 && slot.window == static_cast<std::int32_t>(id)) {
            return slot.type;
        }
    }
    return 0;
}

int cpwClearEvents(CpwContext* ctx) {
    if (ctx->stack != nullptr) {
        // The events dropped count as taken.
        const std::uint64_t taken = ctx->stack->taken + static_cast<std::uint64_t>(cpwStackDepth(ctx));
        *ctx->stack = CpwEventStack{};
        ctx->stack->taken = taken;
    }
    return 1;
}

namespace {

// Marks the queued events that the predicate picks as cleared.
template <typename Pick>
int clear_matching(CpwContext* ctx, Pick pick) {
    if (ctx->stack == nullptr) {
        return 0;
    }
    for (CpwEventSlot& slot : ctx->stack->slots) {
        if (holds_event(slot) && pick(slot)) {
            slot.cleared = 1;
        }
    }
    return 1;
}

}  // namespace

int cpwClearEvent(CpwContext* ctx, int type) {
    return clear_matching(ctx, [type](const CpwEventSlot& s) { return s.type == type; });
}

int cpwClearWindowEvents(CpwContext* ctx, std::uint32_t id) {
    const auto window = static_cast<std::int32_t>(id);
    return clear_matching(ctx, [window](const CpwEventSlot& s) { return s.window == window; });
}

int cpwClearWindowEvent(CpwContext* ctx, int type, std::uint32_t id) {
    const auto window = static_cast<std::int32_t>(id);
    return clear_matching(ctx, [type, window](const CpwEventSlot& s) { return s.type == type && s.window == window; });
}

int cpwPopEvent(CpwContext* ctx) {
    if (ctx->stack == nullptr) {
        return 0;
    }
    std::uint8_t i = ctx->stack->readindex;
    for (int n = 0; n < cpw_event_slots && holds_event(ctx->stack->slots[i]); ++n, i = next_index(i)) {
        if (ctx->stack->slots[i].cleared == 0) {
            ctx->stack->slots[i].cleared = 1;
            return 1;
        }
    }
    return 0;
}

int cpwStackDepth(CpwContext* ctx) {
    const CpwEventStack* stack = ctx->stack;
    if (stack == nullptr) {
        return 0;
    }
    const int depth = static_cast<std::uint8_t>(stack->writeindex - stack->readindex);
    // Equal indices mean an empty ring, or a full one when the read slot holds an event.
    if (depth == 0 && holds_event(stack->slots[stack->readindex])) {
        return cpw_event_slots;
    }
    return depth;
}
