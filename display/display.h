// The window's surface, the palette, the pixel primitive that the debugger
// overlay draws with, and the surface's rows that the picture is written into.
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

// Presents the surface in the window: at once, unless the last present was
// less than 1/120 s ago; then the next flip, or display_flush, shows it.
void display_flip();

// Presents a flip that was held back, if any: for the moments when no flip
// may follow soon (the processor held, the program paused or ending).
void display_flush();

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
