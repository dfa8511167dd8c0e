#include "cpw_fixture.h"

#include "cpw/extensions.h"

#include <string>

using namespace cpw_test;

namespace {

using CpwExtensionsTest = CpwTest;

std::string names(int count) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += "GL_EXT_n" + std::to_string(i) + " ";
    }
    return all;
}

TEST(CpwExtensionRules, SplitAtBlanksKeepsAtMost200) {
    CpwExtensions list{};
    cpw_extensions_split(list, "  GL_ARB_one GL_ARB_two\tGL_ARB_three  ");
    EXPECT_TRUE(list.built);
    ASSERT_EQ(list.count, 3);
    EXPECT_STREQ(cstr::str(list.names[0]), "GL_ARB_one");
    EXPECT_STREQ(cstr::str(list.names[2]), "GL_ARB_three");

    cpw_extensions_split(list, names(320));  // the earlier names are freed
    ASSERT_EQ(list.count, cpw_extensions_max);
    EXPECT_STREQ(cstr::str(list.names[0]), "GL_EXT_n0");
    EXPECT_STREQ(cstr::str(list.names[199]), "GL_EXT_n199");
    EXPECT_EQ(list.index, 0);

    cpw_extensions_split(list, names(200));
    EXPECT_EQ(list.count, 200);
    cpw_extensions_split(list, "");
    EXPECT_EQ(list.count, 0);
    EXPECT_TRUE(list.built);
}

TEST(CpwExtensionRules, SupportMeansAWholeName) {
    const std::string all = "GL_EXT_texture3D GL_ARB_multitexture GL_EXT_texture_object GL_EXT_bgra";
    EXPECT_TRUE(cpw_extensions_contains(all, "GL_EXT_texture3D"));
    EXPECT_TRUE(cpw_extensions_contains(all, "GL_ARB_multitexture"));
    EXPECT_TRUE(cpw_extensions_contains(all, "GL_EXT_bgra"));
    EXPECT_FALSE(cpw_extensions_contains(all, "GL_EXT_texture"));     // a prefix of two names
    EXPECT_FALSE(cpw_extensions_contains(all, "texture3D"));          // a suffix
    EXPECT_FALSE(cpw_extensions_contains(all, "GL_EXT_bgr"));
    EXPECT_FALSE(cpw_extensions_contains(all, ""));
    EXPECT_FALSE(cpw_extensions_contains(all, "GL_ARB_multitexture GL_EXT"));
    EXPECT_FALSE(cpw_extensions_contains("", "GL_EXT_bgra"));
    // Past the 200 names of the list as well.
    const std::string many = names(320);
    EXPECT_TRUE(cpw_extensions_contains(many, "GL_EXT_n319"));
    EXPECT_FALSE(cpw_extensions_contains(many, "GL_EXT_n3190"));
}

TEST_F(CpwExtensionsTest, NeedAWindow) {
    EXPECT_EQ(cpwIterateExtensions(ctx), nullptr);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nowindowforgl);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwIterateExtensionsReset(ctx), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nowindowforgl);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwExtensionSupport(ctx, "GL_EXT_bgra"), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nowindowforgl);
    EXPECT_FALSE(ctx->extensions->built);
}

}  // namespace
