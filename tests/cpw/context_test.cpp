#include "cpw_fixture.h"

#include "cpw/host_rules.h"

#include <string>
#include <vector>

using namespace cpw_test;

namespace {

const std::vector<std::string> start_steps = {
    "start defaults", "start host", "start performance marks", "start font",
    "start events", "start windows", "start menus", "start timers",
    "start video settings", "start primitives", "start GL extensions", "start joysticks",
};

const std::vector<std::string> stop_steps = {
    "stop GL extensions", "stop primitives", "stop video settings", "stop timers",
    "stop window close", "stop events", "stop menus", "stop windows",
    "stop font", "stop performance marks", "stop joysticks", "stop host",
};

std::vector<std::string> module_steps() {
    std::vector<std::string> steps;
    for (const std::string& c : null_host.calls) {
        if (c.rfind("start ", 0) == 0 || c.rfind("stop ", 0) == 0) {
            steps.push_back(c);
        }
    }
    return steps;
}

TEST(CpwContextLife, ModulesStartAndStopInOrder) {
    reset_null_host();
    CpwContext* ctx = nullptr;
    ASSERT_TRUE(cpwInitContext(&ctx));
    EXPECT_EQ(module_steps(), start_steps);
    EXPECT_TRUE(ctx->cpw_initsuccess);
    null_host.calls.clear();
    EXPECT_TRUE(cpwFreeContext(&ctx));
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(module_steps(), stop_steps);
    EXPECT_TRUE(null_host.hosts.empty());
}

TEST(CpwContextLife, NullArgumentsAndSecondInit) {
    reset_null_host();
    EXPECT_FALSE(cpwInitContext(nullptr));
    EXPECT_FALSE(cpwFreeContext(nullptr));
    CpwContext* ctx = nullptr;
    EXPECT_TRUE(cpwFreeContext(&ctx));
    ASSERT_TRUE(cpwInitContext(&ctx));
    CpwContext* same = ctx;
    const auto calls = null_host.calls.size();
    EXPECT_TRUE(cpwInitContext(&ctx));  // already set: nothing happens
    EXPECT_EQ(ctx, same);
    EXPECT_EQ(null_host.calls.size(), calls);
    cpwFreeContext(&ctx);
}

TEST(CpwContextLife, EveryFailedStartStepStopsTheStart) {
    for (std::size_t failing = 0; failing < start_steps.size(); ++failing) {
        reset_null_host();
        null_host.failures[start_steps[failing]] = cpw_error_nomemory;
        CpwContext* ctx = nullptr;
        EXPECT_FALSE(cpwInitContext(&ctx)) << start_steps[failing];
        ASSERT_NE(ctx, nullptr);  // the partly built context stays with the caller
        EXPECT_FALSE(ctx->cpw_initsuccess);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nomemory);
        const std::vector<std::string> expected(start_steps.begin(), start_steps.begin() + failing + 1);
        EXPECT_EQ(module_steps(), expected);
        EXPECT_EQ(cpwMainLoop(ctx), 0);  // refuses to run
        EXPECT_TRUE(cpwFreeContext(&ctx));
        EXPECT_EQ(ctx, nullptr);
        EXPECT_TRUE(null_host.hosts.empty());
    }
}

TEST(CpwContextLife, ClassRegistrationFailure) {
    reset_null_host();
    null_host.failures["start host"] = cpw_error_windowclass;
    CpwContext* ctx = nullptr;
    EXPECT_FALSE(cpwInitContext(&ctx));
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_windowclass);
    EXPECT_EQ(ctx->stack, nullptr);  // the events module never started
    cpwFreeContext(&ctx);
}

TEST(CpwContextLife, EachContextRegistersItsOwnClass) {
    reset_null_host();
    reset_classregistercount();
    CpwContext* a = nullptr;
    CpwContext* b = nullptr;
    ASSERT_TRUE(cpwInitContext(&a));
    ASSERT_TRUE(cpwInitContext(&b));
    EXPECT_EQ(a->ctx_localhost->classname, "CPWWindow1");
    EXPECT_EQ(b->ctx_localhost->classname, "CPWWindow2");
    cpwFreeContext(&a);
    cpwFreeContext(&b);
    reset_classregistercount();
}

using CpwContextTest = CpwTest;

TEST_F(CpwContextTest, Defaults) {
    EXPECT_EQ(ctx->cpw_programname, nullptr);
    EXPECT_EQ(ctx->cpw_displaymode, 0x40000029u);
    EXPECT_EQ(ctx->cpw_screenwidth, null_host.screen_width);  // the host's screen
    EXPECT_EQ(ctx->cpw_screenheight, null_host.screen_height);
    EXPECT_TRUE(ctx->cpw_initsuccess);
    EXPECT_FALSE(ctx->cpw_running);
    EXPECT_EQ(ctx->cpw_driverinfo, nullptr);
    EXPECT_EQ(ctx->cpw_print, &cpw_init_defaultprint);
    EXPECT_EQ(ctx->win_initwidth, 200u);
    EXPECT_EQ(ctx->win_initheight, 300u);
    EXPECT_EQ(ctx->win_initx, 100u);
    EXPECT_EQ(ctx->win_inity, 100u);
    EXPECT_EQ(ctx->win_currentid, 0u);
    EXPECT_EQ(ctx->win_foregroundid, 0u);
    EXPECT_EQ(ctx->win_properties, 0x401u);
    EXPECT_FALSE(ctx->win_expectmenu);
    EXPECT_EQ(ctx->list_win.idcount, 1u);
    EXPECT_EQ(ctx->list_timers.idcount, 1u);
    EXPECT_FALSE(ctx->timers);
    EXPECT_EQ(ctx->mainloop_callbackticks, 0u);
    EXPECT_EQ(ctx->createCallback, nullptr);
    EXPECT_EQ(ctx->err_code, 0);
    EXPECT_NE(ctx->stack, nullptr);
    EXPECT_NE(ctx->ctx_localhost, nullptr);
    EXPECT_EQ(ctx->ctx_user, nullptr);
}

TEST_F(CpwContextTest, InitialSettings) {
    EXPECT_EQ(cpwInitWindowPosition(ctx, 5, 6), 1);
    EXPECT_EQ(cpwInitWindowSize(ctx, 7, 8), 1);
    EXPECT_EQ(ctx->win_initx, 5u);
    EXPECT_EQ(ctx->win_inity, 6u);
    EXPECT_EQ(ctx->win_initwidth, 7u);
    EXPECT_EQ(ctx->win_initheight, 8u);
    EXPECT_EQ(cpwInitDisplayMode(ctx, 0x5), 1);
    EXPECT_EQ(ctx->cpw_displaymode, 0x5u);
    EXPECT_EQ(cpwInitDisplayModeExact(ctx, 0x9), 0);
    EXPECT_EQ(ctx->cpw_displaymode, 0x5u);
    const CpwPrintHandler quiet = [](const char*) {};
    EXPECT_EQ(cpwInitPrintHandler(ctx, quiet), 1);
    EXPECT_EQ(ctx->cpw_print, quiet);
    int data = 0;
    EXPECT_EQ(cpwSetUserdata(ctx, &data), 1);
    EXPECT_EQ(cpwGetUserdata(ctx), &data);
}

TEST_F(CpwContextTest, WindowProperties) {
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 0x100, 0, 0));
    EXPECT_EQ(ctx->win_properties, 0x101u);
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 4, 0, 0));
    EXPECT_EQ(ctx->win_properties, 0x104u);
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 0x200, 0, 0));
    EXPECT_EQ(ctx->win_properties, 0x204u);
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 2, 0, 0));
    EXPECT_EQ(ctx->win_properties, 0x202u);

    EXPECT_FALSE(cpwInitWindowProperty(ctx, 8, 0, 0));
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(ctx->win_properties, 0x202u);
    EXPECT_FALSE(cpwInitWindowProperty(ctx, 0x300, 0, 0));

    EXPECT_TRUE(cpwInitWindowProperty(ctx, 0x10000000, 0, 0));
    EXPECT_TRUE(ctx->win_expectmenu);
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 0x40000000, 640, 480));
    EXPECT_EQ(ctx->win_initwidth, 640u);
    EXPECT_EQ(ctx->win_initheight, 480u);
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 0x80000000, 3, 4));
    EXPECT_EQ(ctx->win_initx, 3u);
    EXPECT_EQ(ctx->win_inity, 4u);
    EXPECT_TRUE(cpwInitWindowProperty(ctx, 0x20000000, 9, 9));
    EXPECT_EQ(ctx->win_initx, 0u);
    EXPECT_EQ(ctx->win_inity, 0u);
    EXPECT_EQ(ctx->win_initwidth, null_host.screen_width);
    EXPECT_EQ(ctx->win_initheight, null_host.screen_height);
}

TEST_F(CpwContextTest, ErrorSlotKeepsTheLastCode) {
    EXPECT_EQ(cpwGetLastError(ctx), 0);
    cpwSetLastError(ctx, 12);
    EXPECT_EQ(cpwGetLastError(ctx), 12);
    cpwPostRedisplay(ctx);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow);
    const std::uint32_t id = make_window();
    EXPECT_NE(id, 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_unknownwindow);  // success clears nothing
    cpw_error_set(ctx, 0);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

void close_and_redraw(CpwContext* ctx, std::uint32_t id, int flag) {
    on_create(ctx, id, flag);
    cpwPostRedisplay(ctx);  // no longer queued during shut-down
}

TEST_F(CpwContextTest, ShutDownSendsTheCloseEventsToTheApplication) {
    const std::uint32_t a = make_window("a");
    const std::uint32_t b = make_window("b");
    log_all_events(ctx);
    cpwCreateCallback(ctx, close_and_redraw);
    cpwPostRedisplay(ctx);  // queued before the shut-down: still sent
    cpwFreeContext(&ctx);
    EXPECT_EQ(seen, (std::vector<std::string>{event_text("display", a), event_text("display", b),
                                              event_text("create", a, {0}), event_text("create", b, {0})}));
    EXPECT_TRUE(null_host.windows.empty());  // the windows module destroyed what the callback kept
}

}  // namespace
