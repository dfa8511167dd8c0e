#include "x11_fixture.h"

#include "cpw/font.h"

#include <filesystem>

namespace x11_test {
namespace {

using X11FontFilesTest = X11Test;

TEST_F(X11FontFilesTest, FontFolderIsListedWithoutCaseOrHiddenFiles) {
    const tarvex_test::TempDir dir("fontlist");
    for (const char* name : {"a.ttf", "B.TTF", ".hidden.ttf", "c.otf"}) {
        dir.write(name, "x");
    }
    std::filesystem::create_directory(dir.path() / "d.ttf");
    const std::string folder = dir.path().string();

    CpwFontList list{};
    const std::string pattern = folder + "/*.ttf";
    ASSERT_EQ(cpwListFonts(ctx, &list, pattern.c_str(), cpw_fontlocation_folder), 2);
    EXPECT_STREQ(cstr::str(list.name[1]), "B.TTF");
    EXPECT_STREQ(cstr::str(list.name[2]), "a.ttf");
    cpwFreeFontList(ctx, &list);

    // The system font folder is $CPW_FONT_DIR.
    const tarvex_test::ScopedEnv fonts("CPW_FONT_DIR", folder.c_str());
    StringContext* path = cpw_localhost_fontpath();
    EXPECT_EQ(std::string(cstr::str(path)), folder + "/");
    cstr::freeStr(&path);
    ASSERT_EQ(cpwListFonts(ctx, &list, "*.*", cpw_fontlocation_system), 3);
    EXPECT_STREQ(cstr::str(list.name[3]), "c.otf");
    cpwFreeFontList(ctx, &list);
    EXPECT_EQ(cpwListFonts(ctx, &list, "*.woff", cpw_fontlocation_system), 0);
}

}  // namespace
}  // namespace x11_test
