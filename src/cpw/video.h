#pragma once

// Video modes: the display modes of the screen, a temporary change to one of
// them and the way back. The change lasts until cpwResetVideoMode or the end
// of the context.

#include "cpw/types.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int cpw_videomodes_max = 300;

struct CpwVideoMode {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t depth;  // bits per pixel
    bool active;          // the current mode
};

struct CpwVideoList {
    std::array<CpwVideoMode, cpw_videomodes_max> list;
    int size;
};

// The modes of at least 320 pixels width and at least 60 Hz (or an unknown
// rate), each size and depth once, the current mode first: 1, or 0 with error
// 12 when the host cannot list them (3 for a null list).
int cpwListVideoModes(CpwContext* ctx, CpwVideoList* list);
int cpwFreeVideoList(CpwContext* ctx, CpwVideoList* list);  // empties the list
// Changes to the listed mode of that size and depth and takes the new screen
// size: 1, or 0 with error 11 when no such mode is listed or the change fails.
int cpwChangeVideoMode(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t depth);
// Back to the mode the screen had before the first change: 1.
int cpwResetVideoMode(CpwContext* ctx);

// A mode as the host lists it.
struct CpwHostVideoMode {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t depth;  // bits per pixel
    int refresh;          // Hz, 0 unknown
    bool current;
};

// The listing rule above, on the host's modes; at most cpw_videomodes_max.
std::vector<CpwVideoMode> cpw_videomodes_select(const std::vector<CpwHostVideoMode>& modes);

void cpw_videomodes_exit(CpwContext* ctx);  // resets the mode
