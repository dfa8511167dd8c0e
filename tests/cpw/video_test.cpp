#include "cpw_fixture.h"

#include "cpw/video.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace cpw_test;

namespace {

using CpwVideoTest = CpwTest;

std::string text_of(const CpwVideoMode& m) {
    return std::to_string(m.width) + "x" + std::to_string(m.height) + "x" + std::to_string(m.depth) +
           (m.active ? " current" : "");
}

std::vector<std::string> texts_of(const std::vector<CpwVideoMode>& modes) {
    std::vector<std::string> out;
    for (const CpwVideoMode& m : modes) {
        out.push_back(text_of(m));
    }
    return out;
}

TEST(CpwVideoRules, WidthRateRepeatsAndCurrentFirst) {
    const std::vector<CpwHostVideoMode> modes = {
        {1024, 768, 32, 75, false}, {1024, 768, 32, 60, false},  // one size at two rates: once
        {320, 240, 16, 60, false},  {319, 240, 16, 60, false},   // too narrow
        {800, 600, 32, 56, false},  {800, 600, 16, 0, false},    // too slow; an unknown rate is kept
        {1280, 1024, 32, 59, false}, {1280, 1024, 32, 60, true},  // the current mode, listed late
    };
    EXPECT_EQ(texts_of(cpw_videomodes_select(modes)),
              (std::vector<std::string>{"1280x1024x32 current", "1024x768x32", "320x240x16", "800x600x16"}));
    EXPECT_TRUE(cpw_videomodes_select({}).empty());
    // A current mode the rule drops is not listed at all.
    EXPECT_EQ(texts_of(cpw_videomodes_select({{300, 200, 8, 60, true}, {640, 480, 8, 60, false}})),
              (std::vector<std::string>{"640x480x8"}));
}

TEST(CpwVideoRules, AtMost300Modes) {
    std::vector<CpwHostVideoMode> modes;
    for (std::uint32_t w = 320; w < 320 + 400; ++w) {
        modes.push_back({w, 200, 32, 60, w == 700});
    }
    const std::vector<CpwVideoMode> kept = cpw_videomodes_select(modes);
    ASSERT_EQ(kept.size(), 300u);
    EXPECT_EQ(text_of(kept[0]), "700x200x32 current");
    EXPECT_EQ(text_of(kept[299]), "618x200x32");
}

TEST_F(CpwVideoTest, ListWithTheNullHost) {
    CpwVideoList list{};
    list.size = 99;
    EXPECT_EQ(cpwListVideoModes(ctx, &list), 1);
    ASSERT_EQ(list.size, 4);
    EXPECT_EQ(text_of(list.list[0]), "1280x1024x32 current");
    EXPECT_EQ(text_of(list.list[1]), "1024x768x32");
    EXPECT_EQ(text_of(list.list[2]), "800x600x32");
    EXPECT_EQ(text_of(list.list[3]), "640x480x16");
    EXPECT_EQ(cpwFreeVideoList(ctx, &list), 1);
    EXPECT_EQ(list.size, 0);

    EXPECT_EQ(cpwListVideoModes(ctx, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    null_host.failures["listvideomodes"] = 0;
    list.size = 99;
    EXPECT_EQ(cpwListVideoModes(ctx, &list), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_videolist);
    EXPECT_EQ(list.size, 0);
}

TEST_F(CpwVideoTest, ChangeAndResetTheMode) {
    EXPECT_EQ(cpwChangeVideoMode(ctx, 1024, 768, 16), 0);  // no such depth
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_videochange);
    EXPECT_EQ(ctx->cpw_screenwidth, 1280u);

    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwChangeVideoMode(ctx, 1024, 768, 32), 1);
    EXPECT_EQ(ctx->cpw_screenwidth, 1024u);
    EXPECT_EQ(ctx->cpw_screenheight, 768u);
    CpwVideoList list{};
    cpwListVideoModes(ctx, &list);
    EXPECT_EQ(text_of(list.list[0]), "1024x768x32 current");
    EXPECT_EQ(cpwChangeVideoMode(ctx, 800, 600, 32), 1);
    EXPECT_EQ(cpwResetVideoMode(ctx), 1);  // back to the mode before the first change
    EXPECT_EQ(ctx->cpw_screenwidth, 1280u);
    EXPECT_EQ(ctx->cpw_screenheight, 1024u);
    EXPECT_EQ(cpwResetVideoMode(ctx), 1);  // nothing to do
    EXPECT_EQ(ctx->cpw_screenwidth, 1280u);

    null_host.failures["changevideomode"] = 0;
    EXPECT_EQ(cpwChangeVideoMode(ctx, 1024, 768, 32), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_videochange);
    null_host.failures["changevideomode"] = 0;
    null_host.failures.erase("changevideomode");
    null_host.failures["listvideomodes"] = 0;
    EXPECT_EQ(cpwChangeVideoMode(ctx, 1024, 768, 32), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_videochange);
}

TEST_F(CpwVideoTest, TheContextsEndResetsTheMode) {
    ASSERT_EQ(cpwChangeVideoMode(ctx, 640, 480, 16), 1);
    EXPECT_EQ(null_host.screen_width, 640u);
    cpwFreeContext(&ctx);
    EXPECT_EQ(null_host.screen_width, 1280u);
    EXPECT_TRUE(null_host.videomodes[0].current);
    const auto stop = std::find(null_host.calls.begin(), null_host.calls.end(), "stop video settings");
    ASSERT_NE(stop, null_host.calls.end());
    EXPECT_EQ(*(stop - 1), "resetvideomode");
}

}  // namespace
