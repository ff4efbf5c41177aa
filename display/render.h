// The VDP picture drawn into the window's surface: the pattern layer of 32 by
// 24 character cells, then the sprites over it.
#pragma once

// Redraws the whole VDP picture (pattern layer, then sprites) and presents it.
void vdp_render();

// The same without presenting: the debugger overlay is painted over it
// before the surface is next presented.
void vdp_draw();

struct PixelRows;

// The picture's first layer, drawn into the rows of a locked surface: the
// 32 by 24 character cells (the sprites follow, display/sprites.h).
void draw_pattern_layer(const PixelRows& screen);
