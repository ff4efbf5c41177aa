// The window's surface, the palette, the pixel primitive that the debugger
// overlay draws with, and the surface's rows that the picture is written into.
#include "display/display.h"

#include <chrono>
#include <cstdint>
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

const std::array<uint16_t, 16>& mapped_palette(SDL_PixelFormat* format)
{
    if (mapped.format != format || mapped.masks != channel_masks(format)) {
        for (std::size_t i = 0; i < g_palette.size(); ++i) {
            const PaletteColour& c = g_palette[i];
            mapped.values[i] = static_cast<uint16_t>(SDL_MapRGB(format, c.red, c.green, c.blue));
        }
        mapped.format = format;
        mapped.masks = channel_masks(format);
    }
    return mapped.values;
}

// Pixel memory that can be written as 16-bit values, row by row.
bool holds_16_bit_rows(const SDL_Surface* surface)
{
    return surface->pixels != nullptr && surface->format->BytesPerPixel == 2 && surface->pitch % 2 == 0 &&
           reinterpret_cast<std::uintptr_t>(surface->pixels) % alignof(uint16_t) == 0;
}

// A present costs far more than a picture: SDL converts and uploads the whole
// surface and redraws the window. No host display shows pictures faster than
// it refreshes, so a flip that comes sooner than this after the last present
// is held back until the next flip, or until display_flush.
constexpr auto PRESENT_INTERVAL = std::chrono::microseconds(1'000'000 / 120);

std::chrono::steady_clock::time_point last_present;
bool present_pending = false;

void present()
{
    last_present = std::chrono::steady_clock::now();
    present_pending = false;
    SDL_Flip(g_surface);
}

}  // namespace

void display_flip()
{
    if (g_surface == nullptr) {
        return;
    }
    if (std::chrono::steady_clock::now() - last_present < PRESENT_INTERVAL) {
        present_pending = true;
        return;
    }
    present();
}

void display_flush()
{
    if (g_surface != nullptr && present_pending) {
        present();
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
    const uint16_t value = mapped_palette(surface->format)[static_cast<std::size_t>(colour & 0xF)];
    auto* row = static_cast<uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    std::memcpy(row + 2 * x, &value, sizeof value);
}

PixelRows pixel_rows(SDL_Surface* surface)
{
    PixelRows rows;
    if (surface == nullptr || !holds_16_bit_rows(surface) || surface->w < SCREEN_WIDTH ||
        surface->h < SCREEN_HEIGHT) {
        return rows;
    }
    rows.pixels = static_cast<uint16_t*>(surface->pixels);
    rows.pitch = surface->pitch / 2;
    rows.colours = mapped_palette(surface->format);
    return rows;
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
