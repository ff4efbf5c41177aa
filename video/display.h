// The host window and the VDP picture drawn into it.
#pragma once

#include <SDL.h>

#include <array>
#include <cstddef>
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

// The surface's pixel memory as rows of 16-bit values, and the sixteen
// palette colours as its format stores them: what the renderer writes whole
// rows into, checked and mapped once a frame. Only a 16-bit surface at least
// as large as the screen qualifies; for any other, pixels is null.
struct PixelRows {
    uint16_t* pixels = nullptr;
    std::ptrdiff_t pitch = 0;  // 16-bit values from one row to the next
    std::array<uint16_t, 16> colours{};

    uint16_t* row(int y) const { return pixels + pitch * y; }
};

// Call with the surface locked.
PixelRows pixel_rows(SDL_Surface* surface);

void lock_surface(SDL_Surface* surface);
void unlock_surface(SDL_Surface* surface);
