#include "display/screenshot.h"

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
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

// Each pixel of the picture in its palette colour; a value that no palette
// colour maps to keeps the colour SDL reads from it.
std::vector<uint8_t> picture_rgb(const PixelRows& screen, const SDL_PixelFormat* format)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(SCREEN_WIDTH * SCREEN_HEIGHT * CHANNELS);
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            const uint16_t value = screen.row(y)[x];
            PaletteColour colour{};
            const auto* found = std::find(screen.colours.begin(), screen.colours.end(), value);
            if (found != screen.colours.end()) {
                colour = g_palette[static_cast<std::size_t>(found - screen.colours.begin())];
            } else {
                SDL_GetRGB(value, format, &colour.red, &colour.green, &colour.blue);
            }
            rgb.insert(rgb.end(), {colour.red, colour.green, colour.blue});
        }
    }
    return rgb;
}

}  // namespace

int save_screenshot(const char* path)
{
    lock_surface(g_surface);
    const PixelRows screen = pixel_rows(g_surface);
    const std::vector<uint8_t> rgb = screen.pixels != nullptr ? picture_rgb(screen, g_surface->format)
                                                               : std::vector<uint8_t>{};
    unlock_surface(g_surface);
    if (rgb.empty()) {
        return fail(path, "there is no picture (no window)");
    }
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
    if (write_file_atomically(path, png.data(), size) != 0) {
        return fail(path, replacement_failure());
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
