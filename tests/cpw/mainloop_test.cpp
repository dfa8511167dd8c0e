#include "cpw_fixture.h"

#include <string>
#include <vector>

using namespace cpw_test;

namespace {

std::vector<std::string> fired;
int loop_calls = 0;

// The counts start from zero in every test, also when the tests share a process.
class CpwMainLoopTest : public CpwTest {
protected:
    void SetUp() override {
        CpwTest::SetUp();
        fired.clear();
        loop_calls = 0;
    }
};

void count_loop(CpwContext* ctx, int activity) {
    ++loop_calls;
    fired.push_back("loop " + std::to_string(activity));
    if (loop_calls >= 5) {
        cpwBreakMainLoop(ctx);
    }
}

void record_timer(CpwContext*, int value) {
    fired.push_back("timer " + std::to_string(value) + " at " +
                    std::to_string(static_cast<long long>(null_host.clock / 1000.0)));  // milliseconds
}

void stop_loop_timer(CpwContext* ctx, int value) {
    record_timer(ctx, value);
    cpwBreakMainLoop(ctx);
}

void kill_self(CpwContext* ctx, int value) {
    record_timer(ctx, value);
    cpwKillTimer(ctx, value);
}

void kill_other(CpwContext* ctx, int value) {
    record_timer(ctx, value);
    cpwKillTimer(ctx, 2);
}

class CpwTimerTest : public CpwTest {
protected:
    void SetUp() override {
        CpwTest::SetUp();
        fired.clear();
        loop_calls = 0;
    }
};

TEST_F(CpwMainLoopTest, ClosingWindowOneEndsTheLoop) {
    const std::uint32_t a = make_window();
    EXPECT_EQ(a, 1u);
    null_host_post([](CpwContext* c) { cpw_hostevent_destroy(c, 1); });
    EXPECT_EQ(cpwMainLoopIsRunning(ctx), 0);
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(cpw_windowlist_length(ctx), 0);
    EXPECT_EQ(cpwMainLoopIsRunning(ctx), 0);
}

TEST_F(CpwMainLoopTest, ClosingAnotherWindowKeepsItRunning) {
    make_window();
    make_window();
    null_host_post([](CpwContext* c) { cpw_hostevent_destroy(c, 2); });
    null_host_post([](CpwContext* c) {
        EXPECT_EQ(cpwMainLoopIsRunning(c), 1);
        cpw_hostevent_destroy(c, 1);
    });
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(cpw_windowlist_length(ctx), 0);
}

TEST_F(CpwMainLoopTest, QuitMessageAndStoredErrors) {
    make_window();
    null_host_post_quit();
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(cpw_windowlist_length(ctx), 1);
    cpw_error_set(ctx, cpw_error_unknownwindow);
    null_host_post_quit();
    EXPECT_EQ(cpwMainLoop(ctx), 0);  // an error code is stored
}

TEST_F(CpwMainLoopTest, IdleCyclesSleepOrCallTheIdleCallback) {
    cpwMainLoopCallback(ctx, count_loop, 1);
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(fired, (std::vector<std::string>(5, "loop 0")));
    EXPECT_DOUBLE_EQ(null_host.clock, 5 * 1000.0);  // 1 ms per idle cycle

    static int idles = 0;
    idles = 0;
    loop_calls = 0;
    cpwIdleCallback(ctx, [](CpwContext*) { ++idles; });
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(idles, 5);
    EXPECT_DOUBLE_EQ(null_host.clock, 5 * 1000.0);  // no sleeping with an idle callback
}

TEST_F(CpwMainLoopTest, MainLoopCallbackEveryNCycles) {
    cpwMainLoopCallback(ctx, count_loop, 3);
    cpwIdleCallback(ctx, [](CpwContext*) {});
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(loop_calls, 5);
    fired.clear();
    loop_calls = 0;
    cpwMainLoopCallback(ctx, count_loop, 0);  // 0 is every cycle
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(loop_calls, 5);
}

TEST_F(CpwMainLoopTest, ActivityFromMessagesAndEvents) {
    const std::uint32_t id = make_window();
    for (int i = 0; i < 4; ++i) {
        null_host_post([](CpwContext*) {});
    }
    cpw_event_insert(ctx, id, cpw_event_display);
    cpwMainLoopCallback(ctx, count_loop, 1);
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    // Cycle 1: three messages pumped; cycle 2: one message and the last event; then idle.
    EXPECT_EQ(fired, (std::vector<std::string>{"loop 1", "loop 0", "loop 0", "loop 0", "loop 0"}));
}

TEST_F(CpwMainLoopTest, MainLoopUpdate) {
    const std::uint32_t id = make_window();
    EXPECT_EQ(cpwMainLoopUpdate(ctx, 3), 0);  // nothing to do
    for (int i = 0; i < 4; ++i) {
        cpw_event_insert(ctx, id, cpw_event_display);
    }
    EXPECT_EQ(cpwMainLoopUpdate(ctx, 1), 1);
    EXPECT_EQ(cpwStackDepth(ctx), 1);
    EXPECT_EQ(cpwMainLoopUpdate(ctx, 5), 0);
    EXPECT_EQ(cpwStackDepth(ctx), 0);
    EXPECT_DOUBLE_EQ(null_host.clock, 0.0);  // never idles
    cpwBreakMainLoop(ctx);
    cpw_event_insert(ctx, id, cpw_event_display);
    EXPECT_EQ(cpwMainLoopUpdate(ctx, 5), 1);
    EXPECT_EQ(cpwStackDepth(ctx), 1);  // stopped before the first cycle
}

TEST_F(CpwTimerTest, OneShotFiresOnceAndDisappears) {
    EXPECT_EQ(cpwTimerCallback(ctx, 10, 1, false, record_timer), 1);
    EXPECT_TRUE(ctx->timers);
    null_host_advance(9);
    EXPECT_EQ(cpw_timers_tick(ctx), 0);
    null_host_advance(1);
    EXPECT_EQ(cpw_timers_tick(ctx), 1);
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 0);
    null_host_advance(100);
    EXPECT_EQ(cpw_timers_tick(ctx), 0);
    EXPECT_FALSE(ctx->timers);  // an empty list clears the flag
    EXPECT_EQ(fired, (std::vector<std::string>{"timer 1 at 10"}));
}

TEST_F(CpwTimerTest, RepeatingTimerFiresEveryInterval) {
    EXPECT_EQ(cpwTimerCallback(ctx, 10, 7, true, record_timer), 1);
    for (int ms = 0; ms < 35; ++ms) {
        null_host_advance(1);
        cpw_timers_tick(ctx);
    }
    EXPECT_EQ(fired, (std::vector<std::string>{"timer 7 at 10", "timer 7 at 20", "timer 7 at 30"}));
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 1);
}

TEST_F(CpwTimerTest, TimersInTheMainLoop) {
    cpwTimerCallback(ctx, 5, 1, true, record_timer);
    cpwTimerCallback(ctx, 12, 2, false, stop_loop_timer);
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(fired, (std::vector<std::string>{"timer 1 at 5", "timer 1 at 10", "timer 2 at 12"}));
}

TEST_F(CpwTimerTest, AnIdleLoopRestsUntilTheNextTimerIsDue) {
    // No 1 ms cycles: each rest lasts until a timer is due, or until a
    // message comes; a callback's queued event or end is not waited on.
    cpwTimerCallback(ctx, 40, 1, true, record_timer);
    cpwTimerCallback(ctx, 100, 2, false, stop_loop_timer);
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(fired, (std::vector<std::string>{"timer 1 at 40", "timer 1 at 80", "timer 2 at 100"}));
    EXPECT_EQ(null_host.waits, (std::vector<int>{40, 40, 20}));

    null_host.waits.clear();
    cpwKillTimer(ctx, 1);
    const std::uint32_t id = make_window();
    cpwTimerCallback(ctx, 10, 3, true, [](CpwContext* c, int) { cpw_event_insert(c, 1, cpw_event_display); });
    cpwTimerCallback(ctx, 15, 4, true, [](CpwContext*, int) {});  // examined last, not yet due
    cpwDisplayCallback(ctx, [](CpwContext* c, std::uint32_t) { cpwBreakMainLoop(c); });
    EXPECT_EQ(cpwMainLoop(ctx), 1);
    EXPECT_EQ(null_host.waits, (std::vector<int>{10}));  // not the 5 ms to timer 4
    EXPECT_EQ(id, 1u);
}

TEST_F(CpwTimerTest, AOneShotEndsTheWalkForThisCycle) {
    cpwTimerCallback(ctx, 5, 1, false, record_timer);
    cpwTimerCallback(ctx, 5, 2, false, record_timer);
    null_host_advance(5);
    EXPECT_EQ(cpw_timers_tick(ctx), 1);
    EXPECT_EQ(fired, (std::vector<std::string>{"timer 1 at 5"}));
    EXPECT_EQ(cpw_timers_tick(ctx), 1);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(CpwTimerTest, KillingTimers) {
    EXPECT_EQ(cpwKillTimer(ctx, 1), 0);  // no timers at all
    cpwTimerCallback(ctx, 5, 1, true, kill_self);
    cpwTimerCallback(ctx, 5, 3, true, kill_other);
    cpwTimerCallback(ctx, 5, 2, true, record_timer);
    EXPECT_EQ(cpwKillTimer(ctx, 99), 1);  // none matches
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 3);
    null_host_advance(5);
    cpw_timers_tick(ctx);
    // Timer 1 killed itself inside its callback, timer 3 killed timer 2 before its turn.
    EXPECT_EQ(fired, (std::vector<std::string>{"timer 1 at 5", "timer 3 at 5"}));
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 1);
    EXPECT_EQ(cpwKillTimer(ctx, 3), 1);
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 0);
}

TEST_F(CpwTimerTest, TimerArguments) {
    EXPECT_EQ(cpwTimerCallback(ctx, 5, 1, false, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwTimerCallback(ctx, 0, 4, false, record_timer), 1);
    EXPECT_EQ(cpw_timers_tick(ctx), 1);  // a zero interval fires on the next tick
    cpwTimerCallback(ctx, 50, 5, true, record_timer);  // left for the shut-down to free
}

}  // namespace
