#include "render_oracle.h"

#include <cstdint>

#include "display/display.h"
#include "video/vdp.h"

namespace {

uint32_t reg(int n)
{
    return g_vdp.registers[static_cast<std::size_t>(n)] & 0xFFu;
}

bool bit_set(uint8_t byte, int from_left)
{
    return (byte >> (7 - from_left)) & 1;
}

void draw_cell(SDL_Surface* surface, int column, int row, uint8_t name)
{
    uint32_t pattern;
    uint8_t colours;
    if (reg(0) & 0x02) {
        const uint32_t third = static_cast<uint32_t>(row / 8) * 0x800;
        pattern = third + name * 8u;
        colours = vram_at(0x2000 + third + name * 8u);
    } else {
        pattern = reg(4) * 0x800 + name * 8u;
        colours = vram_at(reg(3) * 0x40 + name / 8u);
    }
    int background = colours & 0xF;
    int foreground = colours >> 4;
    if (background == 0) {
        background = static_cast<int>(reg(7) & 0xF);
    }
    if (foreground == 0) {
        foreground = static_cast<int>(reg(7) & 0xF);
    }
    for (int line = 0; line < 8; ++line) {
        for (int pixel = 0; pixel < 8; ++pixel) {
            const bool set = bit_set(vram_at(pattern + static_cast<uint32_t>(line)), pixel);
            put_pixel(surface, column * 8 + pixel, row * 8 + line, set ? foreground : background);
        }
    }
}

void draw_sprite(SDL_Surface* surface, int k)
{
    const int size = (reg(1) & 0x02) ? 16 : 8;
    const int s = (reg(1) & 0x01) ? 2 : 1;
    const uint32_t attributes = reg(5) * 0x80 + 4u * static_cast<uint32_t>(k);
    const int y_value = vram_at(attributes);
    const int x_value = vram_at(attributes + 1);
    const uint32_t pattern = reg(6) * 0x800 + vram_at(attributes + 2) * 8u;
    const uint8_t colour_byte = vram_at(attributes + 3);
    const int colour = colour_byte & 0xF;
    const bool early = colour_byte & 0x80;
    if (colour == 0) {
        return;
    }
    const int top = (y_value + 1) & 0xFF;
    const int x = early ? (x_value - 32) & 0xFF : x_value;
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            const uint8_t bits = vram_at(pattern + static_cast<uint32_t>((c / 8) * 16 + r));
            if ((early && x + c >= 208) || top + r >= 192 || !bit_set(bits, c % 8) || x + c >= 256) {
                continue;
            }
            if (s == 1) {
                put_pixel(surface, x + c, top + r, colour);
            } else {
                put_pixel(surface, x + 2 * c, top + 2 * r, colour);
                put_pixel(surface, x + 2 * c, top + 2 * r + 1, colour);
                put_pixel(surface, x + 2 * c + 1, top + 2 * r + 1, colour);
                put_pixel(surface, x + 2 * c + 1, top + 2 * r, colour);
            }
        }
    }
}

}  // namespace

void render_per_pixel(SDL_Surface* surface)
{
    for (int i = 0; i < 768; ++i) {
        draw_cell(surface, i % 32, i / 32, vram_at(reg(2) * 0x400 + static_cast<uint32_t>(i)));
    }
    for (int k = 31; k >= 0; --k) {
        draw_sprite(surface, k);
    }
}
