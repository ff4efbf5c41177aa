// Reading the picture back: which palette colour each pixel of the window
// surface shows.
#pragma once

#include <cstdint>
#include <cstring>

#include "machine.h"
#include "video/display.h"
#include "video/vdp.h"

constexpr int BLACK = 0;  // colours 0 and 1 look alike; colour_at reports 0

// The first palette number whose mapped value the pixel holds, or -1.
inline int colour_at(SDL_Surface* surface, int x, int y)
{
    uint16_t value;
    std::memcpy(&value, static_cast<uint8_t*>(surface->pixels) + y * surface->pitch + 2 * x, sizeof value);
    for (int i = 0; i < 16; ++i) {
        const PaletteColour& c = g_palette[static_cast<std::size_t>(i)];
        if (value == SDL_MapRGB(surface->format, c.red, c.green, c.blue)) {
            return i;
        }
    }
    return -1;
}

inline int colour_at(int x, int y)
{
    return colour_at(g_surface, x, y);
}

// A window on the dummy driver and a machine as reset.
inline void open_display_and_reset()
{
    if (g_surface == nullptr) {
        ASSERT_EQ(display_open(), 0);
    }
    reset_machine();
}

inline void fill_vram(uint32_t from, uint32_t count, uint8_t value)
{
    for (uint32_t i = 0; i < count; ++i) {
        vram_at(from + i) = value;
    }
}
