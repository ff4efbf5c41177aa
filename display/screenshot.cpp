#include "display/screenshot.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "display/display.h"
#include "platform/atomic_file.h"

namespace {

constexpr int CHANNELS = 3;

unsigned g_last_number = 0;

int fail(const char* path, const char* reason)
{
    std::fprintf(stderr, "pavon: screenshot %s not written: %s\n", path, reason);
    return -1;
}

// Each pixel of the surface in its palette colour; a value that no palette
// colour maps to keeps the colour SDL reads from it.
std::vector<uint8_t> picture_rgb(SDL_Surface* surface)
{
    std::array<uint16_t, 16> mapped{};
    for (std::size_t i = 0; i < g_palette.size(); ++i) {
        const PaletteColour& c = g_palette[i];
        mapped[i] = static_cast<uint16_t>(SDL_MapRGB(surface->format, c.red, c.green, c.blue));
    }
    std::vector<uint8_t> rgb;
    rgb.reserve(SCREEN_WIDTH * SCREEN_HEIGHT * CHANNELS);
    lock_surface(surface);
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const auto* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            uint16_t value = 0;
            std::memcpy(&value, row + 2 * x, sizeof value);
            PaletteColour colour{};
            const auto* found = std::find(mapped.begin(), mapped.end(), value);
            if (found != mapped.end()) {
                colour = g_palette[static_cast<std::size_t>(found - mapped.begin())];
            } else {
                SDL_GetRGB(value, surface->format, &colour.red, &colour.green, &colour.blue);
            }
            rgb.insert(rgb.end(), {colour.red, colour.green, colour.blue});
        }
    }
    unlock_surface(surface);
    return rgb;
}

}  // namespace

int save_screenshot(const char* path)
{
    SDL_Surface* surface = g_surface;
    if (surface == nullptr || surface->pixels == nullptr || surface->format->BytesPerPixel != 2 ||
        surface->w < SCREEN_WIDTH || surface->h < SCREEN_HEIGHT) {
        return fail(path, "there is no picture (no window)");
    }
    const std::vector<uint8_t> rgb = picture_rgb(surface);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = SCREEN_WIDTH;
    image.height = SCREEN_HEIGHT;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, rgb.data(), 0, nullptr)) {
        return fail(path, image.message);
    }
    std::vector<uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr)) {
        return fail(path, image.message);
    }
    errno = 0;
    if (write_file_atomically(path, png.data(), size) != 0) {
        return fail(path, errno != 0 ? std::strerror(errno) : "the name is taken by something that is not a writable file");
    }
    return 0;
}

std::string next_screenshot_name()
{
    namespace fs = std::filesystem;
    char name[32];
    std::error_code error;
    do {
        ++g_last_number;
        std::snprintf(name, sizeof name, "pavon-%04u.png", g_last_number);
        // A name that cannot be looked at is taken: writing to it will say why.
    } while (fs::symlink_status(name, error).type() != fs::file_type::not_found && !error);
    return name;
}
