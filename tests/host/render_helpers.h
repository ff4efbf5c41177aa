// Reading the picture back: which palette colour each pixel of the window
// surface shows.
#pragma once

#include <cstdint>

#include "display/display.h"
#include "display/render.h"
#include "display/window.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "video/vdp.h"

constexpr int BLACK = 0;  // colours 0 and 1 look alike; colour_at reports 0

// The first palette number whose mapped value the window's pixel holds, or -1.
inline int colour_at(int x, int y)
{
    for (int i = 0; i < 16; ++i) {
        if (pixel_at(x, y) == colour_value(i)) {
            return i;
        }
    }
    return -1;
}

// A window on the dummy driver and a machine as reset.
inline void open_display_and_reset()
{
    open_window();
    reset_host_machine();
}

inline void fill_vram(uint32_t from, uint32_t count, uint8_t value)
{
    for (uint32_t i = 0; i < count; ++i) {
        vram_at(from + i) = value;
    }
}
