// The window the benchmarks draw into: on SDL's dummy video driver unless
// SDL_VIDEODRIVER names another one (x11 under a virtual display, say).
#pragma once

#include <SDL.h>

#include <cstdlib>

#include "display/display.h"
#include "display/render.h"
#include "display/window.h"

inline bool open_bench_window()
{
    static bool open = false;
    if (!open) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        open = SDL_Init(SDL_INIT_VIDEO) == 0 && display_open() == 0;
    }
    return open;
}
