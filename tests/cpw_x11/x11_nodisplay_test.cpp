#include "x11_fixture.h"

#include "support/temp_dir.h"

namespace x11_test {
namespace {

// No display: the context does not start, with the host's error, and
// nothing crashes on the way down or in the host's services.
TEST(X11NoDisplay, ContextStartFailsWithTheHostError) {
    const tarvex_test::ScopedEnv no_display("DISPLAY", nullptr);
    CpwContext* ctx = nullptr;
    EXPECT_FALSE(cpwInitContext(&ctx));
    ASSERT_NE(ctx, nullptr);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_windowclass);
    EXPECT_FALSE(ctx->cpw_initsuccess);
    EXPECT_EQ(cpwMainLoop(ctx), 0);
    EXPECT_EQ(cpwCreateWindow(ctx, "x"), 0u);
    EXPECT_EQ(cpw_localhost_processevents(ctx, 3), 0);
    EXPECT_EQ(cpw_localhost_swapbuffers(nullptr), 0);
    EXPECT_TRUE(cpwFreeContext(&ctx));
    EXPECT_EQ(ctx, nullptr);

    std::string text = "left over";
    EXPECT_FALSE(cpw_clipboard_read(text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(cpw_clipboard_write("x"));
    EXPECT_EQ(cpw_localhost_nativehandle(nullptr), 0u);
}

TEST(X11NoDisplay, ClockAndSleep) {
    EXPECT_EQ(cpw_localhost_hpfreq(), 1.0e9);
    const double before = cpw_localhost_hpcount();
    cpw_localhost_sleep(2);
    EXPECT_GE(cpw_localhost_hpcount() - before, 2.0e6);
}

}  // namespace
}  // namespace x11_test
