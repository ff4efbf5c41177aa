// The window's surface, the palette, and the one pixel primitive through
// which the picture and the debugger overlay draw.
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

// Presents the surface in the window.
void display_flip();

// Draws one pixel in a palette colour; pixels off the screen are not drawn.
void put_pixel(SDL_Surface* surface, int x, int y, int colour);

void lock_surface(SDL_Surface* surface);
void unlock_surface(SDL_Surface* surface);
