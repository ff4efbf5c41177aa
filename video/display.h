// The host window and the VDP picture drawn into it.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

constexpr int SCREEN_WIDTH = 256;
constexpr int SCREEN_HEIGHT = 192;
constexpr int SCREEN_BITS_PER_PIXEL = 16;

struct PaletteColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// The window's surface; null while no window could be opened.
extern SDL_Surface* g_surface;
extern const std::array<PaletteColour, 16> g_palette;

// Opens the 256 by 192 window, paints it light blue and resets the VDP.
// 0 on success, -1 if the window cannot be opened.
int display_open();

// Redraws the whole VDP picture (pattern layer, then sprites) and presents it.
void vdp_render();

void display_flip();

// Draws one pixel in a palette colour; pixels off the screen are not drawn.
void put_pixel(SDL_Surface* surface, int x, int y, int colour);

void lock_surface(SDL_Surface* surface);
void unlock_surface(SDL_Surface* surface);

// Draws the 8 by 8 character cell at (column, row) for the given name.
void render_tile(int column, int row, uint8_t name);

// Draws the 32 sprites over the pattern layer, sprite 0 on top.
void render_sprites();
