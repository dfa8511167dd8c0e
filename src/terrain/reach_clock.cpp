#include "terrain/reach_clock.h"

#include <utility>

#include "foundation/stopwatch.h"

namespace {

ReachClock reach_clock;

}  // namespace

void set_reach_clock(ReachClock clock) { reach_clock = std::move(clock); }

float reach_clock_now() { return reach_clock ? reach_clock() : elapsed_time(); }

float reach_seconds(float from, float to) { return to > from ? to - from : 0.0f; }
