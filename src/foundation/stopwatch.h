#pragma once

// Two stopwatches on the local wall clock, for the timing of the airspace code
// and of key presses in the forms. Each counts from its own first call; both
// know the time of day only, so a run that passes midnight gets one day added
// to a negative difference.

#include <functional>

// The local time of day, as the stopwatches read it.
struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

// Seconds since the first call (0 on the first call), as a 32-bit real with
// millisecond resolution.
float elapsed_time();

// Milliseconds since the first call (0 on the first call).
int elapsed_ms();

// The clock the stopwatches read: the local time of day by default. Tests give
// their own; an empty function restores the real clock.
void set_time_of_day_source(std::function<TimeOfDay()> source);

// Forgets both start marks, so that the next call of each stopwatch is a first
// call again.
void reset_stopwatches();
