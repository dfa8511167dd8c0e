#include "cpw_fixture.h"

#include "cpw/keymouse.h"

using namespace cpw_test;

namespace {

using CpwMouseKeysTest = CpwTest;

TEST_F(CpwMouseKeysTest, MouseCapabilities) {
    CpwMouseInfo info{};
    EXPECT_EQ(cpwMouseCapabilities(ctx, &info), 1);
    EXPECT_TRUE(info.mouse);
    EXPECT_TRUE(info.wheel);
    EXPECT_EQ(info.buttons, 3);
    null_host.mouseinfo = CpwMouseInfo{false, false, 0};
    EXPECT_EQ(cpwMouseCapabilities(ctx, &info), 1);
    EXPECT_FALSE(info.mouse);
    EXPECT_EQ(cpwMouseCapabilities(ctx, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
}

TEST_F(CpwMouseKeysTest, MouseStateIsResetAfterReading) {
    null_host.mousestate = CpwMouseState{12, -7, 2, {true, false, true}};
    CpwMouseState state{};
    EXPECT_EQ(cpwMouseState(ctx, &state), 1);
    EXPECT_EQ(state.x, 12);
    EXPECT_EQ(state.y, -7);
    EXPECT_EQ(state.wheel, 2);
    EXPECT_EQ(state.button, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(cpwMouseState(ctx, &state), 1);
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.y, 0);
    EXPECT_EQ(state.wheel, 0);
    EXPECT_EQ(state.button, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(cpwMouseState(ctx, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
}

TEST_F(CpwMouseKeysTest, KeyState) {
    EXPECT_EQ(cpwKeyState(ctx, cpw_key_a), 0);
    ctx->keyboard_state[cpw_key_a] = true;
    ctx->keyboard_state[255] = true;
    EXPECT_EQ(cpwKeyState(ctx, cpw_key_a), 1);
    EXPECT_EQ(cpwKeyState(ctx, 255), 1);
    EXPECT_EQ(cpwKeyState(ctx, cpw_key_a + 1), 0);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
    for (const int code : {-1, 256, 100000}) {
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwKeyState(ctx, code), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument) << code;
    }
}

}  // namespace
