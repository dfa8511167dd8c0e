#pragma once

// File times and the waits of wait mode: the program polls Condor's flight
// plan file(s) until the simulator has written one after the program started.
// Times are whole seconds since 1970-01-01 00:00 UTC, the scale of file
// modification times.

#include <cstdint>
#include <functional>
#include <string_view>

// Poll period of the waits, and the extra sleep once the file is seen.
inline constexpr int kWaitPollMs = 2000;
// The wait counter grows by 2 per poll and may not pass this (about 12 hours).
inline constexpr int kWaitCounterLimit = 43199;
// A progress line each time the counter reaches a multiple of this.
inline constexpr int kWaitProgressEvery = 10;

// The clock and the sleep the waits go through. The real ones by default;
// tests put in their own so that hours of waiting pass at once.
struct WaitClock {
    std::function<std::int64_t()> now;       // the wall clock in epoch seconds
    std::function<void(int)> sleep_ms;       // suspends the program
};

// Installs a clock; an empty member takes the real one.
void set_wait_clock(WaitClock clock);
// Back to the real clock and sleep.
void reset_wait_clock();

// Suspends the program for `ms` milliseconds through the wait clock: the
// pauses of wait mode, which tests let pass at once.
void wait_sleep_ms(int ms);

// The wall clock in whole epoch seconds, through the wait clock: the start
// time the waits compare file times with.
std::int64_t wall_clock_seconds();

// The modification time of a file, or -1 when it does not exist. Writes it on
// the console.
std::int64_t modified_date(std::string_view infile);

// True when the file exists and was modified at t_start or later. Nothing in
// the program calls it yet: the waits compare modified_date themselves.
bool is_file_updated(std::int64_t t_start, std::string_view infile);

// Returns once the file exists with a modification time of t_start or later,
// after one more poll period. Polls every kWaitPollMs; after about 12 hours of
// waiting the run ends with the stop text "waiting for <file> : 12 hours"
// (exit code kExitWaitTimedOut).
void wait_for_file(std::int64_t t_start, std::string_view infile);

// The same for two files: returns once the newer of the two was modified at
// t_start or later; nmod is 2 when the second file is strictly newer than the
// first, else 1 (a tie gives 1, a missing file counts -1). The stop text is
// "waiting for <file1> <file2> : 12 hours".
void wait_for_2_files(std::int64_t t_start, std::string_view infile1, std::string_view infile2, int& nmod);
