#pragma once

// The font module: TrueType faces loaded with FreeType, texts measured, and
// texts drawn into the current OpenGL window as pixel images at the current
// raster position, tinted with the current colour. Text is cp1252 bytes, one
// glyph per byte. Failures store an error code in the context (1 the file
// could not be opened, 2 memory ran out, 3 a bad argument, 4 an unknown file
// format) and return 0 or -1; nothing is printed.

#include "cpw/types.h"

#include <array>
#include <cstdint>

// A loaded face: FreeType's face pointer as an integer; 0 is no face.
using CpwFontFace = std::uintptr_t;

// ---- cpwFontMode options ----
inline constexpr int cpw_fontopt_drawmode = 1;      // draw mode 1 (the value is ignored)
inline constexpr int cpw_fontopt_layoutright = 10;  // layout modes 10-14 (the value is ignored)
inline constexpr int cpw_fontopt_layoutleft = 11;
inline constexpr int cpw_fontopt_layoutcentre = 14;
inline constexpr int cpw_fontopt_pointsize = 20;    // size in points
inline constexpr int cpw_fontopt_size26_6 = 21;     // size in 26.6 fixed point
inline constexpr int cpw_fontopt_kerning = 22;      // 0 / 1
inline constexpr int cpw_fontopt_spacing = 23;      // factor on advances when measuring and in buffered drawing
inline constexpr int cpw_fontopt_imageformat = 26;  // 6409 luminance, 6407 RGB, 6408 RGBA
inline constexpr int cpw_fontopt_outline = 27;      // 0 / 1, marks glyph boxes in buffered drawing

// ---- locations of cpwLoadFont and cpwListFonts ----
inline constexpr int cpw_fontlocation_system = 1;  // the system font folder
inline constexpr int cpw_fontlocation_folder = 2;  // a folder of the caller's (loading) or the pattern alone (listing)

// The extent of a text: its width, the height of its tallest glyph, an unused
// field (always 0) and how far its lowest glyph reaches below the baseline.
struct CpwFontBBox {
    std::int32_t width;
    std::int32_t height;
    std::int32_t unused;
    std::int32_t descent;
};

// An image of a text made by cpwDrawBufferedFont: rows from the top, `height`
// rows above the baseline followed by the descent's rows; bytes per pixel by
// the GL format (3 RGB, 4 RGBA, else 1). Freed by cpwFreeBufferedFont.
struct CpwPixelMap {
    unsigned char* data;
    std::int32_t width;
    std::int32_t height;  // without the descent
    std::int32_t format;
};

// File names found by cpwListFonts in entries 1..count (entry 0 unused);
// freed by cpwFreeFontList.
inline constexpr int cpw_fontlist_max = 512;

struct CpwFontList {
    std::int32_t count;
    std::array<StringContext*, cpw_fontlist_max + 1> name;
};

// Sets an option (table above); returns its previous value, or -1 with error
// 3 for an unknown option or a value out of range. Option 21 returns the old
// size in whole points; a negative spacing is stored but also sets error 3.
int cpwFontMode(CpwContext* ctx, int option, int value);

// Opens a face from the system font folder (location 1) or from folder + "\"
// + name (location 2). 0 with error 3 for a null name, a null folder at
// location 2 or another location; error 4 for an unknown file format, error 1
// for any other failure.
CpwFontFace cpwLoadFont(CpwContext* ctx, const char* name, int location, const char* folder);
int cpwUnloadFont(CpwContext* ctx, CpwFontFace face);

// Measures a text at the current size: 1, or 0 with error 3 when face, text or box is null.
int cpwGetFontBBox(CpwContext* ctx, CpwFontFace face, const char* text, CpwFontBBox* box);

// Draws a text at the current raster position (mode 1; any other mode only
// loads the glyphs). The raster position, colour and pixel-store state are as
// before afterwards; the pixel zoom stays (1, -1).
int cpwDrawFont(CpwContext* ctx, CpwFontFace face, const char* text, int mode);

// Renders a text into a new image (format and colour as for drawing).
int cpwDrawBufferedFont(CpwContext* ctx, CpwFontFace face, const char* text, CpwPixelMap* pixelmap);
int cpwFreeBufferedFont(CpwContext* ctx, CpwPixelMap* pixelmap);

// Lists the files of the system font folder that match a pattern ("*.ttf";
// location 1) or of a path pattern (location 2). Returns their number.
int cpwListFonts(CpwContext* ctx, CpwFontList* list, const char* pattern, int location);
int cpwFreeFontList(CpwContext* ctx, CpwFontList* list);
