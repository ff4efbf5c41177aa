// The picture drawn the slow way, one put_pixel per pixel, as a plain
// reading of the drawing rules: the reference the renderer is compared with.
#pragma once

#include <SDL.h>

// Draws the pattern layer and the sprites of g_vdp into the surface.
void render_per_pixel(SDL_Surface* surface);
