#include "cpw_fixture.h"

#include "cpw/extensions.h"
#include "cpw/joystick.h"
#include "cpw/menu.h"
#include "cpw/perfmarks.h"
#include "cpw/primitives.h"

using namespace cpw_test;

namespace {

// The further modules' records live from the context's start to its end,
// with whatever they hold then.
TEST(CpwModulesLife, RecordsFromStartToEnd) {
    reset_null_host();
    CpwContext* ctx = nullptr;
    ASSERT_TRUE(cpwInitContext(&ctx));
    EXPECT_NE(ctx->extensions, nullptr);
    EXPECT_FALSE(ctx->extensions->built);
    EXPECT_NE(ctx->ctx_primitives, nullptr);
    EXPECT_NE(ctx->ctx_joystick, nullptr);
    EXPECT_EQ(ll_getLength(&ctx->list_menus), 0);
    EXPECT_EQ(ll_getLength(&ctx->list_perf), 0);

    // Left for the end to free: menus with entries, marks, a list of names.
    const std::uint32_t menu = cpwCreateMenu(ctx, nullptr);
    cpwAddMenuEntry(ctx, menu, "entry", 1, true);
    cpwAddSubMenu(ctx, menu, "sub", cpwCreateSubMenu(ctx), 2);
    cpwAddMark(ctx, "mark", false);
    cpw_extensions_split(*ctx->extensions, "GL_A GL_B");
    EXPECT_TRUE(cpwFreeContext(&ctx));
    EXPECT_EQ(ctx, nullptr);
}

// A context whose start stopped early ends without touching the records
// that were never made.
TEST(CpwModulesLife, EarlyFailedStartEnds) {
    for (const char* step : {"start primitives", "start GL extensions", "start joysticks"}) {
        reset_null_host();
        null_host.failures[step] = cpw_error_nomemory;
        CpwContext* ctx = nullptr;
        EXPECT_FALSE(cpwInitContext(&ctx)) << step;
        EXPECT_EQ(ctx->ctx_joystick, nullptr);
        EXPECT_TRUE(cpwFreeContext(&ctx));
    }
}

}  // namespace
