#pragma once

// Drawing the form: the whole form is drawn again on every display event, in
// OpenGL immediate mode with the toolkit's fonts, in window pixels with the
// origin at the bottom left.

#include "cpw/types.h"

#include <cstdint>

// Draws the whole form into the current GL context.
void drawWindowOne(CpwContext* ctx);

// Display callback: drawWindowOne, then the buffers are swapped. Nothing for
// a context or window other than the form's.
void frm_draw(CpwContext* ctx, std::uint32_t window);

// Reshape callback: keeps the size (0 taken as 1), sets the projection and
// the viewport. Nothing for a context or window other than the form's.
void frm_reshape(CpwContext* ctx, std::uint32_t window, int width, int height);

// Orthographic projection over the window: 0..width, 0..height; the
// model-view the identity.
void set2DMatrix();

// Its perspective twin, which the form does not use: 45 degrees of view
// upward, the window's aspect, depth from 1 to 1000; the model-view the identity.
void set3DMatrix();

// Places the open drop-down list (ddl_pos, Scroll, DxScrl, the thumb) from
// its box, the entry count and the first shown row; the list closed:
// ddl_pos all -1. The mouse needs the places before the list is drawn.
void engine_place_list();

// True when the context and window are the form's own.
bool engine_own_window(const CpwContext* ctx, std::uint32_t window);
