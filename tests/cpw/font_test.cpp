// The font module without a display: options, loading, replacement faces,
// measuring and drawing into a buffer.
#include "cpw_fixture.h"

#include "cpw/font.h"
#include "cpw/font_files.h"

#include "platform/encoding.h"
#include "support/temp_dir.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <GL/gl.h>

#include <filesystem>

namespace cpw_test {
namespace {

const std::string liberation = "/usr/share/fonts/truetype/liberation/";

FT_Face face_of(CpwFontFace face) {
    return reinterpret_cast<FT_Face>(face);
}

class FontTest : public CpwTest {
protected:
    void SetUp() override {
        CpwTest::SetUp();
        ASSERT_TRUE(std::filesystem::exists(liberation + "LiberationSans-Regular.ttf"))
            << "the fonts-liberation package is missing (scripts/deps.sh installs it)";
        null_host.fontfolder = fonts.path().string() + "/";
    }

    // A font file of the test's font folder, copied from Liberation.
    void add_font(const std::string& name, const std::string& liberation_file) {
        std::filesystem::copy_file(liberation + liberation_file, fonts.path() / name);
    }

    CpwFontFace load(const char* name) { return cpwLoadFont(ctx, name, cpw_fontlocation_system, nullptr); }

    tarvex_test::TempDir fonts{"fonts"};
};

TEST_F(FontTest, ModesKeepTheirValuesAndRefuseBadOnes) {
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_drawmode, 0), 1);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_layoutright, 0), 11);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_layoutleft, 5), 10);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_pointsize, 12), 16);  // 768 stored, the quarter point returned
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_size26_6, 640), 12);  // the old size in whole points
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_pointsize, 10), 640);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_kerning, 1), 0);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_imageformat, GL_RGBA), GL_LUMINANCE);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_outline, 1), 0);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_spacing, 2), 1);
    EXPECT_EQ(cpwGetLastError(ctx), 0);

    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_outline, 2), -1);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_outline, 0), 1);  // unchanged by the refusal
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_kerning, 5), -1);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_kerning, 0), 1);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_spacing, -1), 2);  // stored with an error
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_spacing, 1), -1);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwFontMode(ctx, 15, 0), -1);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    // A size beyond the range is held at the largest.
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_pointsize, 1 << 30), 640);
    EXPECT_EQ(cpwFontMode(ctx, cpw_fontopt_size26_6, 64), 2147483647 / 64);
}

TEST_F(FontTest, LoadingErrors) {
    EXPECT_EQ(cpwLoadFont(ctx, nullptr, cpw_fontlocation_system, nullptr), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwLoadFont(ctx, "x.ttf", 3, nullptr), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwLoadFont(ctx, "x.ttf", cpw_fontlocation_folder, nullptr), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(load("tahoma.ttf"), 0u);  // no such file and no replacement
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_fontopen);
    cpwSetLastError(ctx, 0);
    fonts.write("broken.ttf", "this is not a font file at all, only text");
    EXPECT_EQ(load("broken.ttf"), 0u);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_fontformat);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwUnloadFont(ctx, 0), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
}

TEST_F(FontTest, FilesOfTheFolderComeFirstWhateverTheirCase) {
    add_font("Arial.TTF", "LiberationMono-Regular.ttf");
    const CpwFontFace face = load("arial.ttf");
    ASSERT_NE(face, 0u);
    EXPECT_STREQ(face_of(face)->family_name, "Liberation Mono");  // the folder's file, not the replacement
    EXPECT_EQ(cpwUnloadFont(ctx, face), 1);
    // A folder of the caller's, joined with a backslash.
    const std::string folder = fonts.path().string();
    const CpwFontFace own = cpwLoadFont(ctx, "Arial.TTF", cpw_fontlocation_folder, folder.c_str());
    ASSERT_NE(own, 0u);
    EXPECT_STREQ(face_of(own)->family_name, "Liberation Mono");
}

TEST_F(FontTest, WindowsCoreFontsAreReplacedByMetricCompatibleFaces) {
    // The test's font folder is empty: fontconfig finds the replacements.
    const CpwFontFace arial = load("arial.ttf");
    ASSERT_NE(arial, 0u) << "error " << cpwGetLastError(ctx);
    EXPECT_STREQ(face_of(arial)->family_name, "Liberation Sans");
    EXPECT_STREQ(face_of(arial)->style_name, "Regular");
    const CpwFontFace courier = load("COUR.TTF");
    ASSERT_NE(courier, 0u);
    EXPECT_STREQ(face_of(courier)->family_name, "Liberation Mono");
    const CpwFontFace bold = load("courbd.ttf");
    ASSERT_NE(bold, 0u);
    EXPECT_STREQ(face_of(bold)->style_name, "Bold");
    const CpwFontFace times = load("timesbi.ttf");
    ASSERT_NE(times, 0u);
    EXPECT_STREQ(face_of(times)->family_name, "Liberation Serif");
    EXPECT_STREQ(face_of(times)->style_name, "Bold Italic");

    EXPECT_NE(cpw_font_alias("ARIALBD.TTF"), nullptr);
    EXPECT_EQ(cpw_font_alias("arial"), nullptr);
    EXPECT_EQ(cpw_font_alias("verdana.ttf"), nullptr);
}

TEST_F(FontTest, FontFolderAndHostPaths) {
    {
        const tarvex_test::ScopedEnv dir("CPW_FONT_DIR", "/opt/fonts");
        EXPECT_EQ(cpw_font_folder(), "/opt/fonts/");
    }
    {
        const tarvex_test::ScopedEnv dir("CPW_FONT_DIR", "");
        EXPECT_EQ(cpw_font_folder(), "/usr/share/fonts/truetype/");
    }
    EXPECT_EQ(cpw_font_hostpath("/tmp/fonts\\arial.ttf"), std::optional<std::string>("/tmp/fonts/arial.ttf"));
}

// The width, height and descent of a text measured with FreeType directly.
CpwFontBBox expected_box(const std::string& file, int size, const std::string& text, int spacing) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    FT_New_Face(library, file.c_str(), 0, &face);
    FT_Set_Char_Size(face, 0, size, 72, 72);
    CpwFontBBox box{0, 0, 0, 0};
    for (const char c : text) {
        FT_Load_Glyph(face, FT_Get_Char_Index(face, cp1252_code_point(static_cast<unsigned char>(c))), FT_LOAD_NO_BITMAP);
        box.width += static_cast<std::int32_t>(face->glyph->advance.x / 64) * spacing;
        const auto h = static_cast<std::int32_t>(face->glyph->metrics.height / 64);
        box.height = std::max(box.height, h);
        box.descent = std::max(box.descent, h - static_cast<std::int32_t>(face->glyph->metrics.horiBearingY / 64));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return box;
}

TEST_F(FontTest, MeasuringTakesAdvancesTallestGlyphAndDescent) {
    add_font("arial.ttf", "LiberationSans-Regular.ttf");
    const std::string file = liberation + "LiberationSans-Regular.ttf";
    const CpwFontFace face = load("arial.ttf");
    ASSERT_NE(face, 0u);
    cpwFontMode(ctx, cpw_fontopt_pointsize, 20);
    CpwFontBBox box{-1, -1, -1, -1};

    // One blank: its advance, no height.
    ASSERT_EQ(cpwGetFontBBox(ctx, face, " ", &box), 1);
    EXPECT_EQ(box.width, expected_box(file, 20 * 64, " ", 1).width);
    EXPECT_GT(box.width, 0);
    EXPECT_EQ(box.height, 0);
    EXPECT_EQ(box.unused, 0);
    EXPECT_EQ(box.descent, 0);

    for (const std::string text : {"Hello", "gjpq", "Caf\xE9", "1 \x80", ""}) {
        const CpwFontBBox want = expected_box(file, 20 * 64, text, 1);
        ASSERT_EQ(cpwGetFontBBox(ctx, face, text.c_str(), &box), 1);
        EXPECT_EQ(box.width, want.width) << text;
        EXPECT_EQ(box.height, want.height) << text;
        EXPECT_EQ(box.descent, want.descent) << text;
    }
    ASSERT_EQ(cpwGetFontBBox(ctx, face, "gjpq", &box), 1);
    EXPECT_GT(box.descent, 0);

    // The accented letter and the euro sign are measured with their own glyphs.
    CpwFontBBox e{}, accented{}, euro{}, missing{};
    cpwGetFontBBox(ctx, face, "e", &e);
    cpwGetFontBBox(ctx, face, "\xE9", &accented);
    EXPECT_EQ(accented.width, e.width);
    EXPECT_GT(accented.height, e.height);
    cpwGetFontBBox(ctx, face, "\x80", &euro);
    ASSERT_NE(FT_Get_Char_Index(face_of(face), 0x20AC), 0u);
    ASSERT_EQ(FT_Get_Char_Index(face_of(face), 0x80), 0u);  // the byte itself names no glyph
    FT_Load_Glyph(face_of(face), FT_Get_Char_Index(face_of(face), 0x20AC), FT_LOAD_NO_BITMAP);
    EXPECT_EQ(euro.width, face_of(face)->glyph->advance.x / 64);
    FT_Load_Glyph(face_of(face), 0, FT_LOAD_NO_BITMAP);
    cpwGetFontBBox(ctx, face, "\x81", &missing);  // no character: the missing glyph
    EXPECT_EQ(missing.width, face_of(face)->glyph->advance.x / 64);
    EXPECT_NE(euro.width, missing.width);

    // Spacing multiplies the advances.
    cpwFontMode(ctx, cpw_fontopt_spacing, 3);
    CpwFontBBox spaced{};
    ASSERT_EQ(cpwGetFontBBox(ctx, face, "Hello", &spaced), 1);
    EXPECT_EQ(spaced.width, expected_box(file, 20 * 64, "Hello", 3).width);

    EXPECT_EQ(cpwGetFontBBox(ctx, face, nullptr, &box), 0);
    EXPECT_EQ(cpwGetFontBBox(ctx, face, "x", nullptr), 0);
    EXPECT_EQ(cpwGetFontBBox(ctx, 0, "x", &box), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
}

// The image of a text drawn into a buffer, composed with FreeType directly:
// rows from the top, the baseline `height` rows down, glyphs at the pen plus
// their offsets and clipped to the image.
std::vector<unsigned char> expected_image(const std::string& file, int size, const std::string& text, int width,
                                          int height, int rows) {
    std::vector<unsigned char> image(static_cast<std::size_t>(width * rows), 0);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    FT_New_Face(library, file.c_str(), 0, &face);
    FT_Set_Char_Size(face, 0, size, 72, 72);
    int pen = 0;
    for (const char c : text) {
        FT_Load_Glyph(face, FT_Get_Char_Index(face, cp1252_code_point(static_cast<unsigned char>(c))), FT_LOAD_RENDER);
        const FT_GlyphSlot g = face->glyph;
        for (int r = 0; r < static_cast<int>(g->bitmap.rows); ++r) {
            for (int col = 0; col < static_cast<int>(g->bitmap.width); ++col) {
                const int x = pen + g->bitmap_left + col;
                const int y = height - g->bitmap_top + r;
                if (x >= 0 && x < width && y >= 0 && y < rows) {
                    image[static_cast<std::size_t>(y * width + x)] = g->bitmap.buffer[r * g->bitmap.pitch + col];
                }
            }
        }
        pen += static_cast<int>(g->advance.x >> 6);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return image;
}

TEST_F(FontTest, BufferedDrawingClipsGlyphsToTheImage) {
    // Italic glyphs reach left of the pen ("j") and right of the last
    // advance ("f"); the image is cut to the measured box.
    add_font("ariali.ttf", "LiberationSerif-Italic.ttf");
    const std::string file = liberation + "LiberationSerif-Italic.ttf";
    const CpwFontFace face = load("ariali.ttf");
    ASSERT_NE(face, 0u);
    cpwFontMode(ctx, cpw_fontopt_pointsize, 40);
    for (const std::string text : {"jaf", "fff", "jQ\xE9", "g"}) {
        CpwFontBBox box{};
        ASSERT_EQ(cpwGetFontBBox(ctx, face, text.c_str(), &box), 1);
        CpwPixelMap map{};
        ASSERT_EQ(cpwDrawBufferedFont(ctx, face, text.c_str(), &map), 1);
        ASSERT_NE(map.data, nullptr);
        EXPECT_EQ(map.width, box.width);
        EXPECT_EQ(map.height, box.height);
        EXPECT_EQ(map.format, GL_LUMINANCE);
        const int rows = box.height + box.descent;
        const std::vector<unsigned char> want = expected_image(file, 40 * 64, text, map.width, map.height, rows);
        const std::vector<unsigned char> got(map.data, map.data + map.width * rows);
        EXPECT_EQ(got, want) << text;
        EXPECT_EQ(cpwFreeBufferedFont(ctx, &map), 1);
        EXPECT_EQ(map.data, nullptr);
        EXPECT_EQ(map.width, 0);
    }
}

TEST_F(FontTest, BufferedDrawingFormatsOutlineAndEmptyTexts) {
    add_font("arial.ttf", "LiberationSans-Regular.ttf");
    const std::string file = liberation + "LiberationSans-Regular.ttf";
    const CpwFontFace face = load("arial.ttf");
    ASSERT_NE(face, 0u);
    cpwFontMode(ctx, cpw_fontopt_pointsize, 16);

    // RGBA: four bytes a pixel, each the grey value times the current colour
    // (white without a GL context).
    cpwFontMode(ctx, cpw_fontopt_imageformat, GL_RGBA);
    CpwPixelMap map{};
    ASSERT_EQ(cpwDrawBufferedFont(ctx, face, "Ok", &map), 1);
    CpwFontBBox box{};
    cpwGetFontBBox(ctx, face, "Ok", &box);
    const int rows = box.height + box.descent;
    const std::vector<unsigned char> grey = expected_image(file, 16 * 64, "Ok", map.width, map.height, rows);
    for (std::size_t i = 0; i < grey.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            ASSERT_EQ(map.data[i * 4 + static_cast<std::size_t>(c)], grey[i]) << i;
        }
    }
    cpwFreeBufferedFont(ctx, &map);

    // Outline: the image's border is marked.
    cpwFontMode(ctx, cpw_fontopt_imageformat, GL_LUMINANCE);
    cpwFontMode(ctx, cpw_fontopt_outline, 1);
    ASSERT_EQ(cpwDrawBufferedFont(ctx, face, "Ok", &map), 1);
    const int w = map.width;
    for (const int i : {0, w - 1, (rows - 1) * w, rows * w - 1}) {
        EXPECT_EQ(map.data[i] & 0x7f, 0x7f) << i;
    }
    cpwFreeBufferedFont(ctx, &map);
    cpwFontMode(ctx, cpw_fontopt_outline, 0);

    // Nothing to show: an empty image.
    map = CpwPixelMap{reinterpret_cast<unsigned char*>(&map), 9, 9, 9};
    ASSERT_EQ(cpwDrawBufferedFont(ctx, face, "", &map), 1);
    EXPECT_EQ(map.data, nullptr);
    EXPECT_EQ(map.width, 0);
    // A negative spacing measures a negative width: no image, no harm.
    cpwFontMode(ctx, cpw_fontopt_spacing, -2);
    ASSERT_EQ(cpwDrawBufferedFont(ctx, face, "Wide", &map), 1);
    EXPECT_EQ(map.data, nullptr);
    cpwFontMode(ctx, cpw_fontopt_spacing, 1);

    EXPECT_EQ(cpwDrawBufferedFont(ctx, face, "x", nullptr), 0);
    EXPECT_EQ(cpwFreeBufferedFont(ctx, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
}

TEST_F(FontTest, ListingNamesTheFilesOfTheSearch) {
    null_host.files = {"arial.ttf", "cour.ttf"};
    CpwFontList list{};
    EXPECT_EQ(cpwListFonts(ctx, &list, "*.ttf", cpw_fontlocation_system), 2);
    EXPECT_EQ(list.count, 2);
    EXPECT_STREQ(cstr::str(list.name[1]), "arial.ttf");
    EXPECT_STREQ(cstr::str(list.name[2]), "cour.ttf");
    EXPECT_EQ(cpwFreeFontList(ctx, &list), 1);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.name[1], nullptr);
    EXPECT_EQ(cpwFreeFontList(ctx, &list), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    null_host.files.clear();
    EXPECT_EQ(cpwListFonts(ctx, &list, "*.ttf", cpw_fontlocation_system), 0);
    EXPECT_EQ(cpwListFonts(ctx, nullptr, "*.ttf", cpw_fontlocation_system), 0);
    EXPECT_EQ(cpwListFonts(ctx, &list, "*.ttf", 7), 0);
}

}  // namespace
}  // namespace cpw_test
