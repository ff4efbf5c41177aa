#include "display/window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void display_prepare(int scale)
{
    // The library reads the scaling method once, at SDL_Init, and the window
    // scale when the window opens. An integer scale with the nearest pixel
    // gives square blocks; the user's own setting of the method is kept.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    if (scale > 1) {
        char factor[16];
        std::snprintf(factor, sizeof factor, "%d", scale);
        setenv("SDL12COMPAT_WINDOW_SCALING", factor, 1);
    }
}

int display_open()
{
    g_overlay_screen = {overlay_pixel, display_flip, vdp_render};
    g_surface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BITS_PER_PIXEL, 0);
    return display_restart();
}

int display_restart()
{
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

bool display_visible()
{
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    return std::strcmp(driver, "offscreen") != 0 || std::getenv("SDL_VIDEODRIVER") != nullptr;
}

void display_toggle_fullscreen()
{
    if (g_surface != nullptr) {
        SDL_WM_ToggleFullScreen(g_surface);
    }
}

void display_set_title(const char* title)
{
    SDL_WM_SetCaption(title, title);
}
