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

int display_open();
void vdp_render();
void display_flip();
void put_pixel(SDL_Surface* surface, int x, int y, int colour);
void lock_surface(SDL_Surface* surface);
void unlock_surface(SDL_Surface* surface);
void render_tile(int column, int row, uint8_t name);
void render_sprites();
