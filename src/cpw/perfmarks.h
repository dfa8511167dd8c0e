#pragma once

// Performance marks and the frame counter, timed with the host's
// high-resolution clock.

#include "cpw/types.h"

#include <cstdint>
#include <string>

// A mark (in the context's list_perf, id from the list).
struct CpwPerfMark {
    StringContext* name;
    bool averaging;  // each new stretch is averaged with the time before
    double time;     // counts: the sum of the stretches, or their running mean
    double start;    // counts: when the open stretch began
    bool open;       // entered and not yet exited
    bool timed;      // at least one stretch ended
};

// A new mark: its id, or 0 with error 3 (null name) or 2.
std::uint32_t cpwAddMark(CpwContext* ctx, const char* name, bool averaging);
// Start and end a stretch: 1, or 0 with error 3 for an unknown mark (and, for
// the exit, a mark not entered).
int cpwEnterMark(CpwContext* ctx, std::uint32_t mark);
int cpwExitMark(CpwContext* ctx, std::uint32_t mark);
// Prints every mark through the print handler, then waits for one character
// on standard input (the end of the input counts as one): 1.
int cpwDumpMarks(CpwContext* ctx);
// The dump's text, without the wait.
std::string cpw_perfmarks_text(CpwContext* ctx);

// The frame counter: cpwFpsDraw counts a frame; once a second the count
// becomes the frames per second (printed as "fps: N" with `print` set).
int cpwFpsInit(CpwContext* ctx);
int cpwFpsDraw(CpwContext* ctx, bool print);
std::uint32_t cpwFpsGet(CpwContext* ctx);

bool cpw_perfmarks_init(CpwContext* ctx);
void cpw_perfmarks_exit(CpwContext* ctx);  // frees every mark
