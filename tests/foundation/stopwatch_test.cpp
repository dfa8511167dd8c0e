#include "foundation/stopwatch.h"

#include <gtest/gtest.h>

namespace {

class FakeTimeOfDay {
public:
    FakeTimeOfDay() {
        reset_stopwatches();
        set_time_of_day_source([this] { return now; });
    }
    ~FakeTimeOfDay() {
        set_time_of_day_source({});
        reset_stopwatches();
    }
    TimeOfDay now;
};

}  // namespace

TEST(Stopwatch, CountsFromTheFirstCall) {
    FakeTimeOfDay clock;
    clock.now = {10, 0, 0, 0};
    EXPECT_EQ(elapsed_time(), 0.0f);
    EXPECT_EQ(elapsed_ms(), 0);
    clock.now = {10, 0, 1, 500};
    EXPECT_NEAR(elapsed_time(), 1.5f, 1e-3);
    EXPECT_EQ(elapsed_ms(), 1500);
    clock.now = {11, 1, 1, 501};
    EXPECT_NEAR(elapsed_time(), 3661.501f, 2e-3);
    EXPECT_EQ(elapsed_ms(), 3661501);
}

TEST(Stopwatch, EachHasItsOwnMark) {
    FakeTimeOfDay clock;
    clock.now = {8, 0, 0, 0};
    EXPECT_EQ(elapsed_ms(), 0);
    clock.now = {8, 0, 2, 0};
    EXPECT_EQ(elapsed_time(), 0.0f);  // first call of this one
    EXPECT_EQ(elapsed_ms(), 2000);
    clock.now = {8, 0, 3, 0};
    EXPECT_NEAR(elapsed_time(), 1.0f, 1e-3);
}

TEST(Stopwatch, PassesMidnight) {
    FakeTimeOfDay clock;
    clock.now = {23, 59, 59, 500};
    EXPECT_EQ(elapsed_time(), 0.0f);
    EXPECT_EQ(elapsed_ms(), 0);
    clock.now = {0, 0, 0, 250};
    EXPECT_NEAR(elapsed_time(), 0.75f, 0.01f);  // 32-bit reals near 86400 s resolve about 8 ms
    EXPECT_EQ(elapsed_ms(), 750);
}

TEST(Stopwatch, RealClockRuns) {
    reset_stopwatches();
    EXPECT_EQ(elapsed_ms(), 0);
    EXPECT_EQ(elapsed_time(), 0.0f);
    EXPECT_GE(elapsed_ms(), 0);
    EXPECT_GE(elapsed_time(), 0.0f);
    reset_stopwatches();
}
