#include "overlay_screen.h"

#include "debugger/debugger.h"
#include "debugger/font.h"
#include "debugger/text.h"
#include "display/display.h"
#include "display/render.h"
#include "display/window.h"
#include "host_events.h"
#include "host_machine.h"
#include "shell/events.h"

void start_overlay_machine()
{
    open_window();
    reset_host_machine();
    drain_events();
    debugger_init();
}

uint16_t pixel_at(int x, int y)
{
    const auto* pixels = static_cast<const uint16_t*>(g_surface->pixels);
    return pixels[g_surface->pitch * y / 2 + x];
}

uint16_t colour_value(int colour)
{
    const PaletteColour& c = g_palette[static_cast<std::size_t>(colour)];
    return static_cast<uint16_t>(SDL_MapRGB(g_surface->format, c.red, c.green, c.blue));
}

char cell_character(int column, int row)
{
    Glyph seen{};
    for (int q = 0; q < CELL_HEIGHT; ++q) {
        for (int p = 0; p < CELL_WIDTH; ++p) {
            const uint16_t pixel = pixel_at(column * CELL_WIDTH + p, row * CELL_HEIGHT + q);
            if (pixel == colour_value(TEXT_INK)) {
                seen[static_cast<std::size_t>(q)] |= static_cast<uint8_t>(0x80 >> p);
            } else if (pixel != colour_value(TEXT_PAPER)) {
                return '~';
            }
        }
    }
    if (seen == Glyph{}) {
        return ' ';
    }
    for (int c = FONT_FIRST; c <= FONT_LAST; ++c) {
        if (g_font[static_cast<std::size_t>(c - FONT_FIRST)] == seen) {
            return static_cast<char>(c);
        }
    }
    return '~';
}

std::string screen_text(int column, int row, int length)
{
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += cell_character(column + i, row);
    }
    return text;
}

std::vector<uint16_t> surface_pixels()
{
    std::vector<uint16_t> pixels;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            pixels.push_back(pixel_at(x, y));
        }
    }
    return pixels;
}

void push_key(SDLKey key)
{
    push_key_event(true, key);
    push_key_event(false, key);
}

void press_key(SDLKey key)
{
    push_key(key);
    poll_events();
}
