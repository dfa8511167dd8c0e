#include "cpw_fixture.h"

#include "cpw/joystick.h"

#include <string>
#include <vector>

using namespace cpw_test;

namespace {

std::vector<CpwJoystickState> states;

void on_joystick(CpwContext*, const CpwJoystickState* state) {
    states.push_back(*state);
}

class CpwJoystickTest : public CpwTest {
protected:
    void SetUp() override {
        CpwTest::SetUp();
        states.clear();
    }

    // A device for joystick n: two axes, four buttons and a hat.
    static void plug(int n, const CpwJoystickRaw& raw) {
        NullJoystick device;
        device.device = CpwJoystickDevice{2, 4, true};
        device.raw = raw;
        null_host.joysticks[static_cast<std::size_t>(n - 1)] = device;
    }

    // Lets the main loop's timers run over the milliseconds.
    void run_timers(double milliseconds) {
        null_host_advance(milliseconds);
        cpw_timers_tick(ctx);
    }
};

TEST(CpwJoystickRules, ScalingAndHatAngles) {
    const CpwJoystickRange stick{-1000, 1000};
    const CpwJoystickRange lever{0, 1000};
    EXPECT_EQ(cpw_joystick_scale(-32767, stick), -1000);
    EXPECT_EQ(cpw_joystick_scale(0, stick), 0);
    EXPECT_EQ(cpw_joystick_scale(32767, stick), 1000);
    EXPECT_EQ(cpw_joystick_scale(16384, stick), 500);
    EXPECT_EQ(cpw_joystick_scale(-40000, stick), -1000);  // clamped
    EXPECT_EQ(cpw_joystick_scale(-32768, stick), -1000);
    EXPECT_EQ(cpw_joystick_scale(2147483647, lever), 1000);
    EXPECT_EQ(cpw_joystick_scale(-32767, lever), 0);
    EXPECT_EQ(cpw_joystick_scale(0, lever), 500);
    EXPECT_EQ(cpw_joystick_scale(32767, lever), 1000);

    EXPECT_EQ(cpw_joystick_pov(0, 0), cpw_joystick_povcentred);
    EXPECT_EQ(cpw_joystick_pov(0, -1), 0);
    EXPECT_EQ(cpw_joystick_pov(1, -1), 450);
    EXPECT_EQ(cpw_joystick_pov(1, 0), 900);
    EXPECT_EQ(cpw_joystick_pov(1, 1), 1350);
    EXPECT_EQ(cpw_joystick_pov(0, 1), 1800);
    EXPECT_EQ(cpw_joystick_pov(-1, 1), 2250);
    EXPECT_EQ(cpw_joystick_pov(-1, 0), 2700);
    EXPECT_EQ(cpw_joystick_pov(-1, -1), 3150);
    EXPECT_EQ(cpw_joystick_pov(5, -7), 450);  // any push counts as one step
}

TEST_F(CpwJoystickTest, WithoutADeviceThereIsNoJoystick) {
    CpwJoystickInfo info{};
    info.count = 7;
    EXPECT_EQ(cpwInitJoysticks(ctx, &info), 0);
    EXPECT_EQ(info.count, 0);
    EXPECT_FALSE(info.present[0]);
    EXPECT_FALSE(info.present[1]);
    EXPECT_EQ(cpwInitJoysticks(ctx, nullptr), 0);

    CpwJoystickState state{};
    state.axis[0] = 123;
    EXPECT_EQ(cpwJoystickPoll(ctx, 1, &state), 0);
    EXPECT_EQ(state.joystick, 1);
    EXPECT_EQ(state.axis, (std::array<int, 6>{0, 0, 0, 500, 500, 500}));  // centred
    EXPECT_EQ(state.pov, cpw_joystick_povcentred);
    EXPECT_EQ(state.buttons, 0u);

    // A callback is taken, but with nothing to read it is never called.
    EXPECT_EQ(cpwJoystickCallback(ctx, on_joystick, 2, 10), 1);
    EXPECT_EQ(cpwJoystickPing(ctx, 2), 0);
    for (int i = 0; i < 5; ++i) {
        run_timers(10);
    }
    EXPECT_TRUE(states.empty());
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

TEST_F(CpwJoystickTest, NumbersOutsideOneAndTwo) {
    CpwJoystickState state{};
    for (const int n : {0, 3, -1}) {
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwJoystickCallback(ctx, on_joystick, n, 10), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_joysticknumber);
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwJoystickPing(ctx, n), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_joysticknumber);
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwJoystickPoll(ctx, n, &state), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_joysticknumber);
    }
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwJoystickPoll(ctx, 1, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_FALSE(ctx->timers);
}

TEST_F(CpwJoystickTest, ADeviceIsReadAndScaled) {
    plug(2, CpwJoystickRaw{{32767, -32767, 0, 16384, -16384, 0}, 1, -1, 0x5});
    CpwJoystickInfo info{};
    EXPECT_EQ(cpwInitJoysticks(ctx, &info), 1);
    EXPECT_EQ(info.count, 1);
    EXPECT_FALSE(info.present[0]);
    EXPECT_TRUE(info.present[1]);
    EXPECT_EQ(info.device[1].axes, 2);
    EXPECT_EQ(info.device[1].buttons, 4);
    EXPECT_TRUE(info.device[1].pov);

    CpwJoystickState state{};
    EXPECT_EQ(cpwJoystickPoll(ctx, 2, &state), 1);
    EXPECT_EQ(state.joystick, 2);
    EXPECT_EQ(state.axis, (std::array<int, 6>{1000, -1000, 0, 750, 250, 500}));
    EXPECT_EQ(state.pov, 450);
    EXPECT_EQ(state.buttons, 0x5u);
    EXPECT_EQ(cpwJoystickPoll(ctx, 1, &state), 0);

    null_host.joysticks[1]->answers = false;
    EXPECT_EQ(cpwJoystickPoll(ctx, 2, &state), 0);
    EXPECT_EQ(state.pov, cpw_joystick_povcentred);
}

TEST_F(CpwJoystickTest, CallbacksRunOnTheirOwnTimer) {
    plug(1, CpwJoystickRaw{{0, 0, 0, 0, 0, 0}, 0, 0, 0});
    ASSERT_EQ(cpwInitJoysticks(ctx, nullptr), 1);
    EXPECT_EQ(cpwJoystickPing(ctx, 1), 0);  // no callback yet
    EXPECT_EQ(cpwJoystickCallback(ctx, on_joystick, 1, 50), 1);
    EXPECT_TRUE(ctx->timers);
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 1);

    run_timers(49);
    EXPECT_TRUE(states.empty());
    run_timers(1);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].joystick, 1);
    null_host.joysticks[0]->raw.buttons = 2;
    run_timers(50);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[1].buttons, 2u);

    // The caller's timers cannot kill it; a ping calls at once.
    EXPECT_EQ(cpwKillTimer(ctx, 0), 1);
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 1);
    EXPECT_EQ(cpwJoystickPing(ctx, 1), 1);
    EXPECT_EQ(states.size(), 3u);

    // A new callback replaces the timer; a null one stops the calls.
    EXPECT_EQ(cpwJoystickCallback(ctx, on_joystick, 1, 10), 1);
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 1);
    run_timers(10);
    EXPECT_EQ(states.size(), 4u);
    EXPECT_EQ(cpwJoystickCallback(ctx, nullptr, 1, 10), 1);
    EXPECT_EQ(ll_getLength(&ctx->list_timers), 0);
    run_timers(100);
    EXPECT_EQ(states.size(), 4u);
}

TEST_F(CpwJoystickTest, DevicesAreClosedWithTheContext) {
    plug(1, CpwJoystickRaw{});
    plug(2, CpwJoystickRaw{});
    ASSERT_EQ(cpwInitJoysticks(ctx, nullptr), 2);
    EXPECT_EQ(cpwInitJoysticks(ctx, nullptr), 2);  // already open
    cpwFreeContext(&ctx);
    EXPECT_FALSE(null_host.joysticks[0]->open);
    EXPECT_FALSE(null_host.joysticks[1]->open);
    int closes = 0;
    for (const std::string& c : null_host.calls) {
        closes += c.rfind("joystickclose", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(closes, 2);
}

}  // namespace
