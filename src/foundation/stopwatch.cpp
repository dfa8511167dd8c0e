#include "foundation/stopwatch.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace {

constexpr int kMillisecondsPerDay = 86400000;
constexpr float kSecondsPerDay = 86400.0f;

struct StopwatchState {
    bool time_first = true;
    float time_mark = 0.0f;
    bool ms_first = true;
    int ms_mark = 0;
    std::function<TimeOfDay()> source;
};

StopwatchState& state() {
    static StopwatchState s;
    return s;
}

TimeOfDay local_time_of_day() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto since_epoch = now.time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch) -
                    std::chrono::duration_cast<std::chrono::seconds>(since_epoch);
    std::tm local{};
    localtime_r(&seconds, &local);
    int milliseconds = static_cast<int>(ms.count());
    if (milliseconds < 0) {
        milliseconds = 0;
    }
    return {local.tm_hour, local.tm_min, local.tm_sec, milliseconds};
}

// Milliseconds since midnight.
int read_clock() {
    const StopwatchState& s = state();
    const TimeOfDay t = s.source ? s.source() : local_time_of_day();
    return t.hours * 3600000 + t.minutes * 60000 + t.seconds * 1000 + t.milliseconds;
}

}  // namespace

float elapsed_time() {
    StopwatchState& s = state();
    const float t = static_cast<float>(read_clock()) * 0.001f;
    if (s.time_first) {
        s.time_mark = t;
        s.time_first = false;
        return 0.0f;
    }
    float d = t - s.time_mark;
    if (d < 0.0f) {
        d += kSecondsPerDay;
    }
    return d;
}

int elapsed_ms() {
    StopwatchState& s = state();
    const int t = read_clock();
    if (s.ms_first) {
        s.ms_mark = t;
        s.ms_first = false;
        return 0;
    }
    int d = t - s.ms_mark;
    if (d < 0) {
        d += kMillisecondsPerDay;
    }
    return d;
}

void set_time_of_day_source(std::function<TimeOfDay()> source) { state().source = std::move(source); }

void reset_stopwatches() {
    StopwatchState& s = state();
    s.time_first = true;
    s.time_mark = 0.0f;
    s.ms_first = true;
    s.ms_mark = 0;
}
