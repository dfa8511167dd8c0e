#include "cpw/hosts/x11/x11_host.h"
#include "cpw/hosts/x11/x11_rules.h"

#include "cpw/localhost.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

// The mouse as the X server knows it, and joysticks through the Linux
// joystick devices /dev/input/js0 (joystick 1) and js1 (joystick 2), read
// without waiting.

namespace {

CpwX11Joystick* joystick_of(CpwContext* ctx, int joystick) {
    if (ctx == nullptr || ctx->ctx_localhost == nullptr || joystick < 1 || joystick > cpw_joystick_max) {
        return nullptr;
    }
    return &ctx->ctx_localhost->joysticks[static_cast<std::size_t>(joystick - 1)];
}

void close_device(CpwX11Joystick& j) {
    if (j.fd >= 0) {
        ::close(j.fd);
    }
    j = CpwX11Joystick{};
}

// Takes every event waiting on the device; false when the device is gone.
bool drain(CpwX11Joystick& j) {
    for (;;) {
        js_event event{};
        const ssize_t n = ::read(j.fd, &event, sizeof event);
        if (n == static_cast<ssize_t>(sizeof event)) {
            cpw_x11_joystickevent(j.raw, j.slots, event.type, event.number, event.value);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

}  // namespace

void cpw_localhost_mousecapabilities(CpwContext*, CpwMouseInfo* info) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return;
    }
    std::array<unsigned char, 256> map{};
    const int buttons = XGetPointerMapping(c->display, map.data(), static_cast<int>(map.size()));
    // X counts the wheel as buttons 4 to 7.
    info->mouse = buttons > 0;
    info->wheel = buttons >= 5;
    info->buttons = buttons <= 3 ? buttons : 3 + std::max(buttons - 7, 0);
}

void cpw_localhost_mousestate(CpwContext* ctx, CpwMouseState* state) {
    if (ctx == nullptr || ctx->ctx_localhost == nullptr) {
        return;
    }
    CpwLocalhost& host = *ctx->ctx_localhost;
    state->x = host.moved_x;
    state->y = host.moved_y;
    state->wheel = host.wheel;
    state->button = host.held;
    host.moved_x = 0;
    host.moved_y = 0;
    host.wheel = 0;
    host.held.fill(false);
}

bool cpw_localhost_joystickopen(CpwContext* ctx, int joystick, CpwJoystickDevice* device) {
    CpwX11Joystick* j = joystick_of(ctx, joystick);
    if (j == nullptr) {
        return false;
    }
    close_device(*j);
    const std::string path = "/dev/input/js" + std::to_string(joystick - 1);
    j->fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (j->fd < 0) {
        *j = CpwX11Joystick{};
        return false;
    }
    unsigned char axes = 0;
    unsigned char buttons = 0;
    if (::ioctl(j->fd, JSIOCGAXES, &axes) < 0 || ::ioctl(j->fd, JSIOCGBUTTONS, &buttons) < 0) {
        close_device(*j);
        return false;
    }
    std::array<unsigned char, ABS_CNT> map{};
    const bool mapped = ::ioctl(j->fd, JSIOCGAXMAP, map.data()) >= 0;
    j->slots.assign(axes, cpw_x11_joyslot_none);
    CpwJoystickDevice found{0, std::min<int>(buttons, 32), false};
    for (std::size_t i = 0; i < j->slots.size(); ++i) {
        const int slot = mapped ? cpw_x11_joystickslot(map[i]) : (i < cpw_joystick_axes ? static_cast<int>(i) : -1);
        j->slots[i] = slot;
        if (slot >= 0 && slot < cpw_joystick_axes) {
            ++found.axes;
        } else if (slot == cpw_x11_joyslot_hatx || slot == cpw_x11_joyslot_haty) {
            found.pov = true;
        }
    }
    found.axes = std::min(found.axes, cpw_joystick_axes);
    if (!drain(*j)) {  // the device's initial state
        close_device(*j);
        return false;
    }
    *device = found;
    return true;
}

bool cpw_localhost_joystickread(CpwContext* ctx, int joystick, CpwJoystickRaw* raw) {
    CpwX11Joystick* j = joystick_of(ctx, joystick);
    if (j == nullptr || j->fd < 0 || !drain(*j)) {
        return false;
    }
    *raw = j->raw;
    return true;
}

void cpw_localhost_joystickclose(CpwContext* ctx, int joystick) {
    if (CpwX11Joystick* j = joystick_of(ctx, joystick)) {
        close_device(*j);
    }
}

void cpw_x11_joysticks_closeall(CpwLocalhost& host) {
    for (CpwX11Joystick& j : host.joysticks) {
        close_device(j);
    }
}
