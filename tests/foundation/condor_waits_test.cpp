#include "foundation/condor_waits.h"
#include "foundation/run_stop.h"

#include "support/fake_wine_prefix.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;

namespace {

// Ends a wait that would go on, from inside the fake sleep.
struct EnoughWaiting {};

constexpr std::int64_t kStart = 1700000000;

// A fake wait clock: each sleep is recorded and may run an action (rewrite a
// file) before the wait looks again.
class FakeWait {
public:
    FakeWait() {
        set_wait_clock({[this] { return now; },
                        [this](int ms) {
                            sleeps.push_back(ms);
                            now += ms / 1000;
                            if (on_sleep) {
                                on_sleep(static_cast<int>(sleeps.size()));
                            }
                        }});
    }
    ~FakeWait() { reset_wait_clock(); }
    std::int64_t now = kStart;
    std::vector<int> sleeps;
    std::function<void(int)> on_sleep;
};

FakePrefixOptions no_condor() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

const std::string kPlan2 = "C:\\users\\tester\\Documents\\Condor\\Pilots\\P2\\FlightPlan.fpl";
const std::string kPlan3 = "C:\\users\\tester\\Documents\\Condor3\\Pilots\\P3\\FlightPlan.fpl";

}  // namespace

TEST(CondorWaits, ClockAndFileTimes) {
    FakeWinePrefix prefix(no_condor());
    {
        FakeWait wait;
        EXPECT_EQ(wall_clock_seconds(), kStart);
    }
    const std::int64_t real = wall_clock_seconds();
    EXPECT_NEAR(static_cast<double>(real), static_cast<double>(std::time(nullptr)), 5.0);

    EXPECT_EQ(modified_date(kPlan3), -1);
    EXPECT_FALSE(is_file_updated(kStart, kPlan3));
    prefix.add_file(kPlan3, "[Version]\r\n");
    prefix.set_modification_time(kPlan3, kStart);
    EXPECT_EQ(modified_date(kPlan3), kStart);
    EXPECT_TRUE(is_file_updated(kStart, kPlan3));  // equal counts as new
    EXPECT_FALSE(is_file_updated(kStart + 1, kPlan3));
    // Case does not matter under Wine.
    EXPECT_EQ(modified_date("c:\\USERS\\tester\\documents\\condor3\\pilots\\p3\\flightplan.FPL"), kStart);
}

TEST(CondorWaits, FileAlreadyNewReturnsAfterOneSleep) {
    FakeWinePrefix prefix(no_condor());
    prefix.add_file(kPlan3, "x");
    prefix.set_modification_time(kPlan3, kStart + 30);
    FakeWait wait;
    wait_for_file(kStart, kPlan3);
    EXPECT_EQ(wait.sleeps, std::vector<int>{2000});

    wait.sleeps.clear();
    prefix.set_modification_time(kPlan3, kStart);  // equal to the start counts
    wait_for_file(kStart, kPlan3);
    EXPECT_EQ(wait.sleeps, std::vector<int>{2000});
}

TEST(CondorWaits, RewrittenAfterStartIsSeenWithinOnePoll) {
    FakeWinePrefix prefix(no_condor());
    prefix.add_file(kPlan3, "old");
    prefix.set_modification_time(kPlan3, kStart - 3600);
    FakeWait wait;
    int rewritten_at = 0;
    wait.on_sleep = [&](int count) {
        if (count == 3) {
            prefix.add_file(kPlan3, "new");
            prefix.set_modification_time(kPlan3, wait.now);
            rewritten_at = count;
        }
    };
    wait_for_file(kStart, kPlan3);
    EXPECT_EQ(rewritten_at, 3);
    // One poll after the rewrite the file is seen; then the extra sleep.
    EXPECT_EQ(wait.sleeps, std::vector<int>(4, 2000));
}

TEST(CondorWaits, RewrittenBeforeStartIsNotSeen) {
    FakeWinePrefix prefix(no_condor());
    prefix.add_file(kPlan3, "old");
    prefix.set_modification_time(kPlan3, kStart - 1);
    FakeWait wait;
    wait.on_sleep = [](int count) {
        if (count == 50) {
            throw EnoughWaiting{};
        }
    };
    EXPECT_THROW(wait_for_file(kStart, kPlan3), EnoughWaiting);
    EXPECT_EQ(wait.sleeps.size(), 50U);
}

TEST(CondorWaits, TwelveHourLimitEndsTheRun) {
    FakeWinePrefix prefix(no_condor());
    FakeWait wait;
    testing::internal::CaptureStderr();
    try {
        wait_for_file(kStart, kPlan3);
        ADD_FAILURE() << "the wait did not stop";
    } catch (const RunStopped& stop) {
        EXPECT_EQ(stop.text, "waiting for " + kPlan3 + " : 12 hours");
        EXPECT_EQ(stop.exit_code, kExitWaitTimedOut);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("waiting for " + kPlan3 + " : 12 hours"), std::string::npos);
    // The counter grows by 2 per poll and may not pass 43199: 21,601 polls.
    EXPECT_EQ(wait.sleeps.size(), 21601U);
    EXPECT_EQ(wait.now - kStart, 2 * 21601);
}

TEST(CondorWaits, TwoFilesPickTheFirstRewritten) {
    FakeWinePrefix prefix(no_condor());
    prefix.add_file(kPlan2, "2");
    prefix.add_file(kPlan3, "3");
    prefix.set_modification_time(kPlan2, kStart - 100);
    prefix.set_modification_time(kPlan3, kStart - 50);
    FakeWait wait;
    wait.on_sleep = [&](int count) {
        if (count == 2) {
            prefix.set_modification_time(kPlan2, wait.now);
        }
    };
    int nmod = 0;
    wait_for_2_files(kStart, kPlan2, kPlan3, nmod);
    EXPECT_EQ(nmod, 1);
    EXPECT_EQ(wait.sleeps.size(), 3U);

    wait.on_sleep = [&](int count) {
        if (count == 1) {
            prefix.set_modification_time(kPlan3, wait.now);
        }
    };
    wait.sleeps.clear();
    wait_for_2_files(wait.now, kPlan2, kPlan3, nmod);
    EXPECT_EQ(nmod, 2);
    EXPECT_EQ(wait.sleeps.size(), 2U);

    // A tie gives the first.
    wait.on_sleep = nullptr;
    prefix.set_modification_time(kPlan2, kStart + 10);
    prefix.set_modification_time(kPlan3, kStart + 10);
    wait_for_2_files(kStart, kPlan2, kPlan3, nmod);
    EXPECT_EQ(nmod, 1);
}

TEST(CondorWaits, TwoFilesWithOnlyTheSecondPresent) {
    FakeWinePrefix prefix(no_condor());
    prefix.add_file(kPlan3, "3");
    prefix.set_modification_time(kPlan3, kStart + 1);
    FakeWait wait;
    int nmod = 0;
    wait_for_2_files(kStart, kPlan2, kPlan3, nmod);
    EXPECT_EQ(nmod, 2);
    EXPECT_EQ(wait.sleeps, std::vector<int>{2000});
}

TEST(CondorWaits, TwoFilesTwelveHourLimit) {
    FakeWinePrefix prefix(no_condor());
    FakeWait wait;
    int nmod = 0;
    testing::internal::CaptureStderr();
    try {
        wait_for_2_files(kStart, kPlan2, kPlan3, nmod);
        ADD_FAILURE() << "the wait did not stop";
    } catch (const RunStopped& stop) {
        EXPECT_EQ(stop.text, "waiting for " + kPlan2 + " " + kPlan3 + " : 12 hours");
        EXPECT_EQ(stop.exit_code, kExitWaitTimedOut);
    }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(wait.sleeps.size(), 21601U);
}
