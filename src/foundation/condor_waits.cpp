#include "foundation/condor_waits.h"

#include "foundation/fixed_text.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"

#include <ctime>
#include <string>
#include <utility>

namespace {

WaitClock& installed() {
    static WaitClock clock;
    return clock;
}

std::string number(std::int64_t value) { return std::to_string(value); }

}  // namespace

void wait_sleep_ms(int ms) {
    const WaitClock& clock = installed();
    if (clock.sleep_ms) {
        clock.sleep_ms(ms);
    } else {
        My_Sleep(ms);
    }
}

void set_wait_clock(WaitClock clock) { installed() = std::move(clock); }

void reset_wait_clock() { installed() = WaitClock{}; }

std::int64_t wall_clock_seconds() {
    const WaitClock& clock = installed();
    return clock.now ? clock.now() : static_cast<std::int64_t>(std::time(nullptr));
}

std::int64_t modified_date(std::string_view infile) {
    const std::string name = trim_right(infile);
    if (!file_exists(name)) {
        return -1;
    }
    const std::int64_t time = file_modification_time(name);
    console_line(" modified_date " + name + " " + number(time));
    return time;
}

bool is_file_updated(std::int64_t t_start, std::string_view infile) {
    const std::int64_t time = modified_date(infile);
    if (time < 0) {
        return false;
    }
    console_line(" is_file_updated " + number(time) + " " + number(t_start));
    return time >= t_start;
}

void wait_for_file(std::int64_t t_start, std::string_view infile) {
    const std::string name = trim_right(infile);
    int n = 0;
    console_line(" waiting for " + name + " " + number(n) + " " + number(t_start));
    while (true) {
        const std::int64_t time = modified_date(name);
        if (time >= 0 && time >= t_start) {
            wait_sleep_ms(kWaitPollMs);
            return;
        }
        wait_sleep_ms(kWaitPollMs);
        if (n > kWaitCounterLimit) {
            end_run("waiting for " + name + " : 12 hours", kExitWaitTimedOut);
        }
        n += 2;
        if (n % kWaitProgressEvery == 0) {
            console_line(" waiting for " + name + " " + number(n) + " " + number(t_start) + " " + number(time));
        }
    }
}

void wait_for_2_files(std::int64_t t_start, std::string_view infile1, std::string_view infile2, int& nmod) {
    const std::string name1 = trim_right(infile1);
    const std::string name2 = trim_right(infile2);
    int n = 0;
    console_line(" waiting for " + name1 + ", " + name2 + " " + number(n) + " " + number(t_start));
    while (true) {
        const std::int64_t m1 = modified_date(name1);
        const std::int64_t m2 = modified_date(name2);
        std::int64_t m = 0;
        if (m1 < m2) {
            nmod = 2;
            m = m2;
        } else {
            nmod = 1;
            m = m1;
        }
        if (m >= 0 && m >= t_start) {
            wait_sleep_ms(kWaitPollMs);
            return;
        }
        wait_sleep_ms(kWaitPollMs);
        if (n > kWaitCounterLimit) {
            end_run("waiting for " + name1 + " " + name2 + " : 12 hours", kExitWaitTimedOut);
        }
        n += 2;
        if (n % kWaitProgressEvery == 0) {
            console_line(" waiting for " + name1 + ", " + name2 + " " + number(n) + " " + number(t_start));
        }
    }
}
