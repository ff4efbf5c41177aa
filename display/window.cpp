#include "display/window.h"

#include "debugger/screen.h"
#include "display/display.h"
#include "display/render.h"
#include "video/vdp.h"

namespace {

constexpr int START_COLOUR = 5;  // light blue

void overlay_pixel(int x, int y, int colour)
{
    put_pixel(g_surface, x, y, colour);
}

}  // namespace

int display_open()
{
    g_overlay_screen = {overlay_pixel, display_flip, vdp_render};
    g_surface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BITS_PER_PIXEL, 0);
    if (g_surface == nullptr) {
        return -1;
    }
    lock_surface(g_surface);
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            put_pixel(g_surface, x, y, START_COLOUR);
        }
    }
    unlock_surface(g_surface);
    SDL_Flip(g_surface);
    vdp_reset();
    return 0;
}
