#include "cpw/joystick.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace {

constexpr int raw_limit = 32767;

CpwJoystick* joystick_of(CpwContext* ctx) {
    return ctx == nullptr ? nullptr : ctx->ctx_joystick;
}

// The index 0-1 of joystick 1-2; -1 with error 20 for any other number.
int index_of(CpwContext* ctx, int joystick) {
    if (joystick < 1 || joystick > cpw_joystick_max) {
        cpw_error_set(ctx, cpw_error_joysticknumber);
        return -1;
    }
    return joystick - 1;
}

CpwJoystickState centred(int joystick) {
    CpwJoystickState state{};
    state.joystick = joystick;
    for (int a = 0; a < cpw_joystick_axes; ++a) {
        state.axis[static_cast<std::size_t>(a)] = cpw_joystick_scale(0, cpw_joystick_axisrange[static_cast<std::size_t>(a)]);
    }
    state.pov = cpw_joystick_povcentred;
    return state;
}

// Reads an open joystick; false when it is closed or does not answer.
bool read_state(CpwContext* ctx, int joystick, CpwJoystickState& state) {
    const CpwJoystick* j = joystick_of(ctx);
    const auto i = static_cast<std::size_t>(joystick - 1);
    CpwJoystickRaw raw{};
    if (j == nullptr || !j->open[i] || !cpw_localhost_joystickread(ctx, joystick, &raw)) {
        return false;
    }
    state = cpw_joystick_state(joystick, raw);
    return true;
}

}  // namespace

int cpw_joystick_scale(int raw, CpwJoystickRange range) {
    const std::int64_t v = std::clamp(raw, -raw_limit, raw_limit) + raw_limit;  // 0 ... 65534
    const std::int64_t span = static_cast<std::int64_t>(range.max) - range.min;
    return static_cast<int>(range.min + (v * span + raw_limit) / (2 * raw_limit));
}

int cpw_joystick_pov(int hatx, int haty) {
    const int x = std::clamp(hatx, -1, 1);
    const int y = std::clamp(haty, -1, 1);
    if (x == 0 && y == 0) {
        return cpw_joystick_povcentred;
    }
    // Ahead is up (y -1); clockwise in steps of 45 degrees.
    static constexpr int angle[3][3] = {
        // x:   -1    0     1
        {3150, 0, 450},       // y -1
        {2700, -1, 900},      // y 0
        {2250, 1800, 1350}};  // y 1
    return angle[y + 1][x + 1];
}

CpwJoystickState cpw_joystick_state(int joystick, const CpwJoystickRaw& raw) {
    CpwJoystickState state{};
    state.joystick = joystick;
    for (std::size_t a = 0; a < static_cast<std::size_t>(cpw_joystick_axes); ++a) {
        state.axis[a] = cpw_joystick_scale(raw.axis[a], cpw_joystick_axisrange[a]);
    }
    state.pov = cpw_joystick_pov(raw.hatx, raw.haty);
    state.buttons = raw.buttons;
    return state;
}

bool cpw_joysticks_init(CpwContext* ctx) {
    try {
        ctx->ctx_joystick = std::make_unique<CpwJoystick>().release();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    return true;
}

void cpw_joysticks_exit(CpwContext* ctx) {
    const std::unique_ptr<CpwJoystick> j(ctx->ctx_joystick);
    ctx->ctx_joystick = nullptr;
    if (!j) {
        return;
    }
    for (int n = 1; n <= cpw_joystick_max; ++n) {
        if (j->open[static_cast<std::size_t>(n - 1)]) {
            cpw_localhost_joystickclose(ctx, n);
        }
    }
}

int cpwInitJoysticks(CpwContext* ctx, CpwJoystickInfo* info) {
    CpwJoystick* j = joystick_of(ctx);
    if (info != nullptr) {
        *info = CpwJoystickInfo{};
    }
    if (j == nullptr) {
        return 0;
    }
    int count = 0;
    for (int n = 1; n <= cpw_joystick_max; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        if (!j->open[i]) {
            CpwJoystickDevice device{};
            if (cpw_localhost_joystickopen(ctx, n, &device)) {
                j->open[i] = true;
                j->device[i] = device;
            }
        }
        if (j->open[i]) {
            ++count;
            if (info != nullptr) {
                info->present[i] = true;
                info->device[i] = j->device[i];
            }
        }
    }
    if (info != nullptr) {
        info->count = count;
    }
    return count;
}

int cpwJoystickCallback(CpwContext* ctx, CpwJoystickCallback callback, int joystick, std::uint32_t milliseconds) {
    const int i = index_of(ctx, joystick);
    CpwJoystick* j = joystick_of(ctx);
    if (i < 0 || j == nullptr) {
        return 0;
    }
    const auto slot = static_cast<std::size_t>(i);
    if (j->timer[slot] != 0) {
        cpw_timer_remove(ctx, j->timer[slot]);
        j->timer[slot] = 0;
    }
    j->callback[slot] = callback;
    if (callback == nullptr) {
        return 1;
    }
    j->timer[slot] = cpw_timer_add(ctx, milliseconds, 0, true, nullptr, joystick);
    return j->timer[slot] != 0 ? 1 : 0;
}

int cpwJoystickPing(CpwContext* ctx, int joystick) {
    const int i = index_of(ctx, joystick);
    const CpwJoystick* j = joystick_of(ctx);
    if (i < 0 || j == nullptr || j->callback[static_cast<std::size_t>(i)] == nullptr) {
        return 0;
    }
    const CpwJoystickCallback callback = j->callback[static_cast<std::size_t>(i)];
    CpwJoystickState state{};
    if (!read_state(ctx, joystick, state)) {
        return 0;
    }
    callback(ctx, &state);
    return 1;
}

int cpwJoystickPoll(CpwContext* ctx, int joystick, CpwJoystickState* state) {
    if (index_of(ctx, joystick) < 0) {
        return 0;
    }
    if (state == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    if (!read_state(ctx, joystick, *state)) {
        *state = centred(joystick);
        return 0;
    }
    return 1;
}

void cpw_joystick_timer(CpwContext* ctx, int joystick) {
    cpwJoystickPing(ctx, joystick);
}
