#pragma once

// Measuring texts for the layout and the drawing. The engine measures with
// the toolkit's fonts; tests put a fake provider in their place, so the
// layout is tested without font files.

#include <string_view>

enum class EngineFont { label, input };

struct EngineTextBox {
    int width = 0;
    int height = 0;   // tallest glyph above the baseline
    int descent = 0;  // lowest glyph below it
};

// Measures a text in a font at a point size.
using EngineMeasure = EngineTextBox (*)(EngineFont font, int size, std::string_view text);

// Replaces the measure; null restores the toolkit's fonts.
void set_engine_measure(EngineMeasure measure);
EngineTextBox engine_measure(EngineFont font, int size, std::string_view text);

// DxI, DyI (the size of "0" in the input font) and Yoffset (the descent of
// "_" in the input font) at the form's font size.
void engine_font_metrics();

// The point size of title `index`: the first is 2 points larger.
int engine_title_size(int index);

// Horizontal position codes of buttons and titles: k * 10000 + m, with the
// anchor k 0 left, 1 centre, 2 right; negative for m in per mille of the
// window's width. A code is any x below 0 or from 10000 on.
bool engine_coded_x(int x);
int engine_decode_x(int x, int item_width, int window_width);
