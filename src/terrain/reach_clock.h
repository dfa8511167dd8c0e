#pragma once

// The clock of the reachability computations: the time marks of the passes
// and of the reach driver (rch001.s_tim_0, posi00.nav_tim), the times their
// trace lines show, the grid step the driver chooses from the time the last
// computation took and its refinement budget. The stopwatch of
// foundation/stopwatch.h (seconds of the wall clock since its first call) by
// default; tests install a scripted one.

#include <functional>

using ReachClock = std::function<float()>;

// Installs a clock; an empty function restores the default.
void set_reach_clock(ReachClock clock);

// Seconds now, by the clock installed.
float reach_clock_now();

// Seconds from the mark `from` to `to`; 0 when the clock did not advance or
// went back.
float reach_seconds(float from, float to);
