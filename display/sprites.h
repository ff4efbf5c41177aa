// The picture's second layer: the 32 sprites drawn over the character
// cells, sprite 0 on top.
#pragma once

struct PixelRows;

// Draws into the rows of a locked surface.
void draw_sprites(const PixelRows& screen);
