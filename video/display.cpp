// Placeholder until the renderer lands: opens the window and resets the VDP.
#include "video/display.h"

#include "video/vdp.h"

SDL_Surface* g_surface = nullptr;

const std::array<PaletteColour, 16> g_palette{{
    {0, 0, 0},       {0, 0, 0},       {72, 156, 8},    {112, 191, 136},
    {40, 60, 138},   {80, 108, 207},  {208, 72, 0},    {0, 204, 255},
    {208, 88, 40},   {255, 160, 64},  {252, 240, 80},  {255, 255, 128},
    {0, 128, 0},     {205, 88, 205},  {224, 224, 224}, {255, 255, 255},
}};

int display_open()
{
    g_surface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BITS_PER_PIXEL, 0);
    if (g_surface == nullptr) {
        return -1;
    }
    vdp_reset();
    return 0;
}

void vdp_render()
{
    display_flip();
}

void display_flip()
{
    if (g_surface != nullptr) {
        SDL_Flip(g_surface);
    }
}

void put_pixel(SDL_Surface*, int, int, int) {}
void lock_surface(SDL_Surface*) {}
void unlock_surface(SDL_Surface*) {}
void render_tile(int, int, uint8_t) {}
void render_sprites() {}
