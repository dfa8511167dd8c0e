#include "x11_fixture.h"

#include "cpw/font.h"

#include "platform/encoding.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <GL/gl.h>

#include <cmath>

namespace x11_test {
namespace {

constexpr int width = 200;
constexpr int height = 150;
const std::string liberation = "/usr/share/fonts/truetype/liberation/";

// A window with an orthographic projection of its pixels, cleared white.
class X11DrawTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        id = make_window(100, 100, width, height);
        ASSERT_EQ(cpwSetWindow(ctx, id), 1);
        const CpwGlFloatGuard guard;
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, 0, height, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The red channel of every pixel, rows from the bottom.
    std::vector<unsigned char> read_red() {
        const CpwGlFloatGuard guard;
        glFinish();
        std::vector<unsigned char> rgb(static_cast<std::size_t>(width * height * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        std::vector<unsigned char> red(static_cast<std::size_t>(width * height));
        for (std::size_t i = 0; i < red.size(); ++i) {
            red[i] = rgb[i * 3];
        }
        return red;
    }

    std::vector<unsigned char> read_rgb() {
        const CpwGlFloatGuard guard;
        glFinish();
        std::vector<unsigned char> rgb(static_cast<std::size_t>(width * height * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    std::uint32_t id = 0;
};

// What black text drawn with blending over white should look like: each
// glyph's coverage g darkens its pixels by the factor 1 - g / 255. Written
// apart from the font module: FreeType directly, glyphs placed at the pen
// plus their bitmap offsets, rows running down from the baseline plus top.
std::vector<double> expected_text(const std::string& file, int points, const std::string& text, int x, int y) {
    std::vector<double> image(static_cast<std::size_t>(width * height), 255.0);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FT_New_Face(library, file.c_str(), 0, &face), 0);
    FT_Set_Char_Size(face, 0, points * 64, 72, 72);
    int pen = x;
    for (const char c : text) {
        const FT_UInt index = FT_Get_Char_Index(face, cp1252_code_point(static_cast<unsigned char>(c)));
        EXPECT_EQ(FT_Load_Glyph(face, index, FT_LOAD_RENDER), 0);
        const FT_GlyphSlot g = face->glyph;
        for (unsigned r = 0; r < g->bitmap.rows; ++r) {
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const int px = pen + g->bitmap_left + static_cast<int>(col);
                const int py = y + g->bitmap_top - 1 - static_cast<int>(r);
                if (px < 0 || px >= width || py < 0 || py >= height) {
                    continue;
                }
                const unsigned char grey = g->bitmap.buffer[r * static_cast<unsigned>(g->bitmap.pitch) + col];
                image[static_cast<std::size_t>(py * width + px)] *= 1.0 - grey / 255.0;
            }
        }
        pen += static_cast<int>(g->advance.x >> 6);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return image;
}

TEST_F(X11DrawTest, LinesAndRectanglesLandOnExactPixels) {
    {
        const CpwGlFloatGuard guard;
        glColor3f(0, 0, 0);
        glBegin(GL_LINES);
        glVertex2f(10.5f, 10.5f);
        glVertex2f(100.5f, 10.5f);
        glEnd();
        glRecti(20, 20, 40, 30);
    }
    const std::vector<unsigned char> red = read_red();
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool line = y == 10 && x >= 10 && x < 100;
            const bool rect = x >= 20 && x < 40 && y >= 20 && y < 30;
            const unsigned char want = line || rect ? 0 : 255;
            if (red[static_cast<std::size_t>(y * width + x)] != want) {
                ++wrong;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    // Swapping shows the picture; the call reports it.
    EXPECT_EQ(cpwSwapWindowBuffers(ctx, id), 1);
}

TEST_F(X11DrawTest, TextIsDrawnWithTheFacesGlyphsAndLeavesTheState) {
    const tarvex_test::ScopedEnv fonts("CPW_FONT_DIR", liberation.c_str());
    const CpwFontFace face = cpwLoadFont(ctx, "LiberationSans-Regular.ttf", cpw_fontlocation_system, nullptr);
    ASSERT_NE(face, 0u) << "error " << cpwGetLastError(ctx);
    cpwFontMode(ctx, cpw_fontopt_pointsize, 20);
    cpwFontMode(ctx, cpw_fontopt_imageformat, GL_RGBA);
    const std::string text = "Hag\xE9! \x80";  // é and the euro sign in cp1252
    GLfloat raster[4] = {0, 0, 0, 0};
    GLfloat zoom_y = 0;
    {
        const CpwGlFloatGuard guard;
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0, 0, 0, 1);
        glRasterPos2i(10, 60);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        EXPECT_EQ(cpwDrawFont(ctx, face, text.c_str(), 1), 1);
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        glGetFloatv(GL_ZOOM_Y, &zoom_y);
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(alignment, 4);
    }
    EXPECT_EQ(raster[0], 10.0f);  // the raster position is as before
    EXPECT_EQ(raster[1], 60.0f);
    EXPECT_EQ(zoom_y, -1.0f);  // the pixel zoom stays

    const std::vector<unsigned char> red = read_red();
    const std::vector<double> want = expected_text(liberation + "LiberationSans-Regular.ttf", 20, text, 10, 60);
    int dark = 0;
    double worst = 0;
    for (std::size_t i = 0; i < red.size(); ++i) {
        worst = std::max(worst, std::abs(red[i] - want[i]));
        dark += red[i] < 128 ? 1 : 0;
    }
    EXPECT_LE(worst, 3.0);
    EXPECT_GT(dark, 100);
}

TEST_F(X11DrawTest, NothingIsDrawnForTheEmptyTextOrAnotherMode) {
    const tarvex_test::ScopedEnv fonts("CPW_FONT_DIR", liberation.c_str());
    const CpwFontFace face = cpwLoadFont(ctx, "LiberationMono-Regular.ttf", cpw_fontlocation_system, nullptr);
    ASSERT_NE(face, 0u);
    cpwFontMode(ctx, cpw_fontopt_pointsize, 30);
    {
        const CpwGlFloatGuard guard;
        glColor3f(0, 0, 0);
        glRasterPos2i(10, 60);
        EXPECT_EQ(cpwDrawFont(ctx, face, "", 1), 1);
        EXPECT_EQ(cpwDrawFont(ctx, face, "Text", 2), 1);
        EXPECT_EQ(cpwDrawFont(ctx, 0, "Text", 1), 0);
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
    }
    const std::vector<unsigned char> red = read_red();
    EXPECT_EQ(std::count(red.begin(), red.end(), 255), static_cast<long>(red.size()));
}

TEST_F(X11DrawTest, GreyImagesAreDrawnAsTheyAre) {
    // The default image format: the grey bitmap itself, which replaces the
    // pixels (white coverage on black where a glyph is).
    const tarvex_test::ScopedEnv fonts("CPW_FONT_DIR", liberation.c_str());
    const CpwFontFace face = cpwLoadFont(ctx, "LiberationSans-Regular.ttf", cpw_fontlocation_system, nullptr);
    ASSERT_NE(face, 0u);
    cpwFontMode(ctx, cpw_fontopt_pointsize, 24);
    {
        const CpwGlFloatGuard guard;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glRasterPos2i(20, 40);
        EXPECT_EQ(cpwDrawFont(ctx, face, "W", 1), 1);
    }
    const std::vector<unsigned char> rgb = read_rgb();
    // White text over black: the coverage is 255 minus the darkening expected over white.
    const std::vector<double> want = expected_text(liberation + "LiberationSans-Regular.ttf", 24, "W", 20, 40);
    double worst = 0;
    for (std::size_t i = 0; i < want.size(); ++i) {
        worst = std::max(worst, std::abs(rgb[i * 3] - (255.0 - want[i])));
        worst = std::max(worst, std::abs(rgb[i * 3 + 2] - (255.0 - want[i])));
    }
    EXPECT_LE(worst, 1.0);
}

}  // namespace
}  // namespace x11_test
