#pragma once

// The font module's record (the context's ctx_font), shared by its sources.

#include "cpw/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

struct CpwFont {
    FT_Library library = nullptr;
    int drawmode = 1;
    int size = 16;  // 26.6 fixed point: a quarter point
    int layout = cpw_fontopt_layoutleft;
    int kerning = 0;
    int outline = 0;
    int spacing = 1;
    int imageformat = 6409;  // GL_LUMINANCE
    int hres = 72;
    int vres = 72;
    // Scratch block for coloured glyph images: grows, never shrinks.
    std::vector<unsigned char> buffer;
};

inline FT_Face cpw_font_face(CpwFontFace face) {
    return reinterpret_cast<FT_Face>(face);
}

// Bytes per pixel of a glyph image format: 3 RGB, 4 RGBA, else 1.
int cpw_font_bytesperpixel(int format);

// A rendered glyph converted to the image format, rows from the top, tightly
// packed: for RGBA every grey value g gives g times each of the colour's four
// channels, for RGB g times its first three, for any other format g itself.
// False when the glyph is no bitmap this module can read, or memory ran out
// (`nomemory` then set).
struct CpwGlyphImage {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
};
bool cpw_font_convertglyph(CpwFont& font, const FT_GlyphSlot slot, const float colour[4], CpwGlyphImage& image,
                           bool& nomemory);

// The current GL colour, white when no GL context answers.
void cpw_font_currentcolour(float colour[4]);

// The glyph of a text byte (cp1252): its index in the face's character map.
FT_UInt cpw_font_glyphindex(FT_Face face, unsigned char byte);
