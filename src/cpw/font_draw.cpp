#include "cpw/font.h"

#include "cpw/font_record.h"
#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"

#include "platform/encoding.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>

namespace {

int bad_argument(CpwContext* ctx, int result) {
    if (ctx != nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
    }
    return result;
}

// The grey value (0-255) of a pixel of a rendered glyph; `row` counts from the top.
unsigned char grey_at(const FT_Bitmap& bitmap, const unsigned char* top_row, int row, int column) {
    const unsigned char* line = top_row + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (line[column / 8] & (0x80 >> (column % 8))) != 0 ? 255 : 0;
    }
    return line[column];
}

// A colour channel as a factor 0..1 (anything else, NaN included, is clamped).
float channel(float v) {
    return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
}

void set_char_size(const CpwFont& font, FT_Face face) {
    FT_Set_Char_Size(face, 0, font.size, static_cast<FT_UInt>(font.hres), static_cast<FT_UInt>(font.vres));
}

// Alignment hooks of the right-aligned and centred layouts: the start
// position stays where the caller put it.
void cpw_font_alignright() {}
void cpw_font_aligncenter() {}

std::string_view text_of(const char* text) {
    return std::string_view(text);
}

}  // namespace

int cpw_font_bytesperpixel(int format) {
    switch (format) {
        case GL_RGB: return 3;
        case GL_RGBA: return 4;
        default: return 1;
    }
}

FT_UInt cpw_font_glyphindex(FT_Face face, unsigned char byte) {
    return FT_Get_Char_Index(face, cp1252_code_point(byte));
}

void cpw_font_currentcolour(float colour[4]) {
    colour[0] = colour[1] = colour[2] = colour[3] = 1.0f;
    const CpwGlFloatGuard guard;
    glGetFloatv(GL_CURRENT_COLOR, colour);
}

bool cpw_font_convertglyph(CpwFont& font, const FT_GlyphSlot slot, const float colour[4], CpwGlyphImage& image,
                           bool& nomemory) {
    nomemory = false;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP) {
        return false;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        return false;
    }
    image.width = static_cast<int>(bitmap.width);
    image.rows = static_cast<int>(bitmap.rows);
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    const int bpp = cpw_font_bytesperpixel(font.imageformat);
    const std::size_t bytes = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.rows) *
                              static_cast<std::size_t>(bpp);
    try {
        if (font.buffer.size() < bytes) {
            font.buffer.resize(bytes);
        }
    } catch (const std::bad_alloc&) {
        nomemory = true;
        return false;
    }
    if (bytes == 0) {
        return true;
    }
    // A negative pitch means the rows are stored from the bottom up.
    const unsigned char* top_row =
        bitmap.pitch >= 0 ? bitmap.buffer
                          : bitmap.buffer - static_cast<std::ptrdiff_t>(bitmap.pitch) * (image.rows - 1);
    float factor[4];
    for (int i = 0; i < 4; ++i) {
        factor[i] = channel(colour[i]);
    }
    unsigned char* out = font.buffer.data();
    for (int r = 0; r < image.rows; ++r) {
        for (int c = 0; c < image.width; ++c) {
            const unsigned char g = grey_at(bitmap, top_row, r, c);
            if (bpp == 1) {
                *out++ = g;
                continue;
            }
            for (int i = 0; i < bpp; ++i) {
                *out++ = static_cast<unsigned char>(static_cast<float>(g) * factor[i] + 0.5f);
            }
        }
    }
    return true;
}

int cpwGetFontBBox(CpwContext* ctx, CpwFontFace face, const char* text, CpwFontBBox* box) {
    if (ctx == nullptr || ctx->ctx_font == nullptr || face == 0 || text == nullptr || box == nullptr) {
        return bad_argument(ctx, 0);
    }
    const CpwFont& font = *ctx->ctx_font;
    FT_Face ft = cpw_font_face(face);
    set_char_size(font, ft);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t descent = 0;
    for (const char c : text_of(text)) {
        if (FT_Load_Glyph(ft, cpw_font_glyphindex(ft, static_cast<unsigned char>(c)), FT_LOAD_NO_BITMAP) != 0) {
            continue;
        }
        const FT_GlyphSlot g = ft->glyph;
        width += static_cast<std::int64_t>(g->advance.x / 64) * font.spacing;
        const std::int64_t glyph_height = g->metrics.height / 64;
        height = std::max(height, glyph_height);
        descent = std::max(descent, glyph_height - g->metrics.horiBearingY / 64);
    }
    const auto to_int32 = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                                   std::numeric_limits<std::int32_t>::max()));
    };
    *box = CpwFontBBox{to_int32(width), to_int32(height), 0, to_int32(descent)};
    return 1;
}

int cpwDrawFont(CpwContext* ctx, CpwFontFace face, const char* text, int mode) {
    if (ctx == nullptr || ctx->ctx_font == nullptr || face == 0 || text == nullptr) {
        return bad_argument(ctx, 0);
    }
    CpwFont& font = *ctx->ctx_font;
    FT_Face ft = cpw_font_face(face);
    set_char_size(font, ft);
    if (mode != 1) {
        for (const char c : text_of(text)) {
            FT_Load_Glyph(ft, cpw_font_glyphindex(ft, static_cast<unsigned char>(c)), FT_LOAD_DEFAULT);
        }
        return 1;
    }

    float colour[4];
    cpw_font_currentcolour(colour);
    const CpwGlFloatGuard guard;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPushAttrib(GL_CURRENT_BIT);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    if (font.layout == 10) {
        cpw_font_alignright();
    } else if (font.layout == 14) {
        cpw_font_aligncenter();
    }

    int result = 1;
    for (const char c : text_of(text)) {
        if (FT_Load_Glyph(ft, cpw_font_glyphindex(ft, static_cast<unsigned char>(c)), FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot g = ft->glyph;
        CpwGlyphImage image;
        bool nomemory = false;
        if (!cpw_font_convertglyph(font, g, colour, image, nomemory)) {
            if (nomemory) {
                cpw_error_set(ctx, cpw_error_nomemory);
                result = 0;
                break;
            }
            continue;
        }
        const auto left = static_cast<GLfloat>(image.left);
        const auto top = static_cast<GLfloat>(image.top);
        glPixelZoom(1.0f, -1.0f);
        glBitmap(0, 0, 0.0f, 0.0f, left, top, nullptr);
        if (image.width > 0 && image.rows > 0) {
            glDrawPixels(image.width, image.rows, static_cast<GLenum>(font.imageformat), GL_UNSIGNED_BYTE,
                         font.buffer.data());
        }
        glBitmap(0, 0, 0.0f, 0.0f, -left, -top, nullptr);
        glPixelZoom(1.0f, -1.0f);
        if (font.layout == 12 || font.layout == 13) {
            glBitmap(0, 0, 0.0f, 0.0f, left, top, nullptr);
        } else {
            glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(g->advance.x >> 6), static_cast<GLfloat>(g->advance.y >> 6),
                     nullptr);
        }
    }
    glPopAttrib();
    glPopClientAttrib();
    return result;
}

namespace {

// OR-marks the border of a rectangle of the image (outline option).
void mark_box(unsigned char* data, int image_width, int bpp, int x0, int y0, int x1, int y1, unsigned char right_mark) {
    if (x0 > x1 || y0 > y1) {
        return;
    }
    const auto mark = [&](int x, int y, unsigned char value) {
        unsigned char* p = data + (static_cast<std::size_t>(y) * static_cast<std::size_t>(image_width) +
                                   static_cast<std::size_t>(x)) * static_cast<std::size_t>(bpp);
        for (int i = 0; i < bpp; ++i) {
            p[i] |= value;
        }
    };
    for (int x = x0; x <= x1; ++x) {
        mark(x, y0, 0x7f);
        mark(x, y1, 0x7f);
    }
    for (int y = y0; y <= y1; ++y) {
        mark(x0, y, 0x7f);
        mark(x1, y, right_mark);
    }
}

}  // namespace

int cpwDrawBufferedFont(CpwContext* ctx, CpwFontFace face, const char* text, CpwPixelMap* pixelmap) {
    if (ctx == nullptr || ctx->ctx_font == nullptr || face == 0 || text == nullptr || pixelmap == nullptr) {
        return bad_argument(ctx, 0);
    }
    CpwFont& font = *ctx->ctx_font;
    CpwFontBBox box{};
    cpwGetFontBBox(ctx, face, text, &box);
    *pixelmap = CpwPixelMap{nullptr, 0, 0, font.imageformat};
    const int bpp = cpw_font_bytesperpixel(font.imageformat);
    const std::int64_t width = box.width;
    const std::int64_t rows = std::int64_t{box.height} + box.descent;
    if (width <= 0 || rows <= 0) {
        return 1;  // nothing to show: an empty image
    }
    constexpr std::int64_t largest_image = std::int64_t{1} << 30;
    if (width * rows * bpp > largest_image) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    auto* data = static_cast<unsigned char*>(
        std::calloc(static_cast<std::size_t>(width * rows), static_cast<std::size_t>(bpp)));
    if (data == nullptr) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return 0;
    }
    const int image_width = static_cast<int>(width);
    const int image_rows = static_cast<int>(rows);

    float colour[4];
    cpw_font_currentcolour(colour);
    FT_Face ft = cpw_font_face(face);
    set_char_size(font, ft);
    std::int64_t pen = 0;
    for (const char c : text_of(text)) {
        if (FT_Load_Glyph(ft, cpw_font_glyphindex(ft, static_cast<unsigned char>(c)), FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot g = ft->glyph;
        CpwGlyphImage image;
        bool nomemory = false;
        if (!cpw_font_convertglyph(font, g, colour, image, nomemory)) {
            if (nomemory) {
                std::free(data);
                cpw_error_set(ctx, cpw_error_nomemory);
                return 0;
            }
            continue;
        }
        // The glyph's box in the image, clipped to it: a glyph may start left
        // of the pen or reach past the last advance, above the tallest glyph's
        // metrics or below the descent.
        const std::int64_t x0 = pen + image.left;
        const std::int64_t y0 = std::int64_t{box.height} - image.top;
        const std::int64_t cx0 = std::max<std::int64_t>(x0, 0);
        const std::int64_t cy0 = std::max<std::int64_t>(y0, 0);
        const std::int64_t cx1 = std::min<std::int64_t>(x0 + image.width, width) - 1;
        const std::int64_t cy1 = std::min<std::int64_t>(y0 + image.rows, rows) - 1;
        for (std::int64_t y = cy0; y <= cy1; ++y) {
            if (cx0 > cx1) {
                break;
            }
            const unsigned char* from = font.buffer.data() +
                                        static_cast<std::size_t>(((y - y0) * image.width + (cx0 - x0)) * bpp);
            unsigned char* to = data + static_cast<std::size_t>((y * width + cx0) * bpp);
            std::memcpy(to, from, static_cast<std::size_t>((cx1 - cx0 + 1) * bpp));
        }
        if (font.outline != 0) {
            mark_box(data, image_width, bpp, static_cast<int>(cx0), static_cast<int>(cy0), static_cast<int>(cx1),
                     static_cast<int>(cy1), 0x5f);
        }
        pen += static_cast<std::int64_t>(g->advance.x >> 6) * font.spacing;
    }
    if (font.outline != 0) {
        mark_box(data, image_width, bpp, 0, 0, image_width - 1, image_rows - 1, 0x7f);
    }
    *pixelmap = CpwPixelMap{data, image_width, box.height, font.imageformat};
    return 1;
}

int cpwFreeBufferedFont(CpwContext* ctx, CpwPixelMap* pixelmap) {
    if (pixelmap == nullptr) {
        return bad_argument(ctx, 0);
    }
    std::free(pixelmap->data);
    *pixelmap = CpwPixelMap{nullptr, 0, 0, 0};
    return 1;
}
