#pragma once

// Joysticks: up to two, opened by cpwInitJoysticks. Their state is read on
// demand (cpwJoystickPoll) or handed to a callback by a repeating internal
// timer of the main loop (cpwJoystickCallback). Values are scaled to the
// toolkit's ranges: the axes x, y and z (the stick and the throttle)
// -1000...1000, the others r, u and v (rudder and the rotations) 0...1000,
// the point-of-view hat 0...3590 tenths of a degree clockwise from ahead, or
// -1 when centred. Without a device every joystick is absent: nothing opens, a
// poll gives 0 and a callback is never called. Joystick numbers outside 1-2
// give error 20.

#include "cpw/types.h"

#include <array>
#include <cstdint>

inline constexpr int cpw_joystick_max = 2;
inline constexpr int cpw_joystick_axes = 6;  // x, y, z, r, u, v
inline constexpr int cpw_joystick_povcentred = -1;

struct CpwJoystickRange {
    int min;
    int max;
};

// The ranges the toolkit scales to, by axis.
inline constexpr std::array<CpwJoystickRange, cpw_joystick_axes> cpw_joystick_axisrange = {{
    {-1000, 1000}, {-1000, 1000}, {-1000, 1000}, {0, 1000}, {0, 1000}, {0, 1000}}};
inline constexpr CpwJoystickRange cpw_joystick_povrange = {0, 3590};

// What a host finds of one device.
struct CpwJoystickDevice {
    int axes;     // how many of the six axes it has
    int buttons;  // at most 32 are reported
    bool pov;     // it has a point-of-view hat
};

// What cpwInitJoysticks found: joystick n (1 or 2) in entry n - 1.
struct CpwJoystickInfo {
    int count;  // joysticks opened, 0-2
    std::array<bool, cpw_joystick_max> present;
    std::array<CpwJoystickDevice, cpw_joystick_max> device;
};

// The state of one joystick.
struct CpwJoystickState {
    int joystick;  // 1 or 2
    std::array<int, cpw_joystick_axes> axis;
    int pov;               // 0...3590, or -1 centred (also without a hat)
    std::uint32_t buttons; // bit n: button n + 1 held
};

// A device's state as a host reads it: axes -32767...32767 (0 for an axis
// the device lacks), the hat's two directions -1, 0, 1 (left and up
// negative), the buttons as bits.
struct CpwJoystickRaw {
    std::array<int, cpw_joystick_axes> axis;
    int hatx;
    int haty;
    std::uint32_t buttons;
};

using CpwJoystickCallback = void (*)(CpwContext* ctx, const CpwJoystickState* state);

// The context's joystick record.
struct CpwJoystick {
    std::array<CpwJoystickCallback, cpw_joystick_max> callback{};
    std::array<std::uint32_t, cpw_joystick_max> timer{};  // ids of the poll timers, 0 none
    std::array<bool, cpw_joystick_max> open{};
    std::array<CpwJoystickDevice, cpw_joystick_max> device{};
};

// Opens the joysticks there are; returns how many (0: no joystick). `info`
// (may be null) receives what was found.
int cpwInitJoysticks(CpwContext* ctx, CpwJoystickInfo* info);
// Calls `callback` with the joystick's state every `milliseconds` while the
// main loop runs; a null callback stops the calls. 1, or 0 with error 20.
int cpwJoystickCallback(CpwContext* ctx, CpwJoystickCallback callback, int joystick, std::uint32_t milliseconds);
// Reads the joystick now and hands its state to its callback: 1 when it did,
// 0 when the joystick is absent or has no callback.
int cpwJoystickPing(CpwContext* ctx, int joystick);
// Reads the joystick's state into `state`: 1, or 0 when it is absent (the
// state then holds centred values); error 3 for a null state.
int cpwJoystickPoll(CpwContext* ctx, int joystick, CpwJoystickState* state);

// ---- rules and module steps ----
// A raw axis value scaled to a range; values outside -32767...32767 are clamped.
int cpw_joystick_scale(int raw, CpwJoystickRange range);
// The hat's angle in tenths of a degree, -1 when centred.
int cpw_joystick_pov(int hatx, int haty);
CpwJoystickState cpw_joystick_state(int joystick, const CpwJoystickRaw& raw);

bool cpw_joysticks_init(CpwContext* ctx);
void cpw_joysticks_exit(CpwContext* ctx);  // closes the devices, frees the record
// The poll of an internal timer of the joystick `joystick`.
void cpw_joystick_timer(CpwContext* ctx, int joystick);
