// The window's surface, the palette and the one pixel primitive through which
// the picture and the debugger overlay draw.
#include "display/display.h"

#include <cstring>

SDL_Surface* g_surface = nullptr;

const std::array<PaletteColour, 16> g_palette{{
    {0, 0, 0},       {0, 0, 0},       {72, 156, 8},    {112, 191, 136},
    {40, 60, 138},   {80, 108, 207},  {208, 72, 0},    {0, 204, 255},
    {208, 88, 40},   {255, 160, 64},  {252, 240, 80},  {255, 255, 128},
    {0, 128, 0},     {205, 88, 205},  {224, 224, 224}, {255, 255, 255},
}};

namespace {

// SDL_MapRGB costs more than the rest of a pixel, so the sixteen values it
// gives for the last pixel format seen are kept. A 16-bit format has no
// palette: its mapping follows from the four channel masks, so they make the
// key together with the format's address (a new surface whose format reuses
// the address of an old one is still recognised as different).
struct MappedPalette {
    const SDL_PixelFormat* format = nullptr;
    std::array<uint32_t, 4> masks{};
    std::array<uint16_t, 16> values{};
};

MappedPalette mapped;

std::array<uint32_t, 4> channel_masks(const SDL_PixelFormat* format)
{
    return {format->Rmask, format->Gmask, format->Bmask, format->Amask};
}

uint16_t pixel_value(SDL_PixelFormat* format, int colour)
{
    if (mapped.format != format || mapped.masks != channel_masks(format)) {
        for (std::size_t i = 0; i < g_palette.size(); ++i) {
            const PaletteColour& c = g_palette[i];
            mapped.values[i] = static_cast<uint16_t>(SDL_MapRGB(format, c.red, c.green, c.blue));
        }
        mapped.format = format;
        mapped.masks = channel_masks(format);
    }
    return mapped.values[static_cast<std::size_t>(colour)];
}

}  // namespace

void display_flip()
{
    if (g_surface != nullptr) {
        SDL_Flip(g_surface);
    }
}

void put_pixel(SDL_Surface* surface, int x, int y, int colour)
{
    // Only the 16-bit surfaces this program opens are drawn on.
    if (surface == nullptr || surface->pixels == nullptr || surface->format->BytesPerPixel != 2) {
        return;
    }
    if (x < 0 || y < 0 || x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT || x >= surface->w || y >= surface->h) {
        return;
    }
    const uint16_t value = pixel_value(surface->format, colour & 0xF);
    auto* row = static_cast<uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    std::memcpy(row + 2 * x, &value, sizeof value);
}

void lock_surface(SDL_Surface* surface)
{
    if (surface != nullptr && SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
}

void unlock_surface(SDL_Surface* surface)
{
    if (surface != nullptr && SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
}
