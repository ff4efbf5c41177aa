// The renderer against a per-pixel reference over random video memory and
// registers: both character modes, every sprite size, sprites on every edge,
// tables past the end of video memory and register slots with high bytes.
// The reference draws one put_pixel per pixel, as a plain reading of the
// drawing rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "render_helpers.h"

namespace {

uint32_t reg(int n)
{
    return g_vdp.registers[static_cast<std::size_t>(n)] & 0xFFu;
}

bool bit_set(uint8_t byte, int from_left)
{
    return (byte >> (7 - from_left)) & 1;
}

void draw_cell(int column, int row, uint8_t name)
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
    const int backdrop = static_cast<int>(reg(7) & 0xF);
    const int background = (colours & 0xF) != 0 ? colours & 0xF : backdrop;
    const int foreground = (colours >> 4) != 0 ? colours >> 4 : backdrop;
    for (int line = 0; line < 8; ++line) {
        for (int pixel = 0; pixel < 8; ++pixel) {
            const bool set = bit_set(vram_at(pattern + static_cast<uint32_t>(line)), pixel);
            put_pixel(g_surface, column * 8 + pixel, row * 8 + line, set ? foreground : background);
        }
    }
}

void draw_sprite(int k)
{
    const int size = (reg(1) & 0x02) ? 16 : 8;
    const int s = (reg(1) & 0x01) ? 2 : 1;
    const uint32_t attributes = reg(5) * 0x80 + 4u * static_cast<uint32_t>(k);
    const uint32_t pattern = reg(6) * 0x800 + vram_at(attributes + 2) * 8u;
    const uint8_t colour_byte = vram_at(attributes + 3);
    const int colour = colour_byte & 0xF;
    const bool early = colour_byte & 0x80;
    if (colour == 0) {
        return;
    }
    const int top = (vram_at(attributes) + 1) & 0xFF;
    const int x = early ? (vram_at(attributes + 1) - 32) & 0xFF : vram_at(attributes + 1);
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            const uint8_t bits = vram_at(pattern + static_cast<uint32_t>((c / 8) * 16 + r));
            if ((early && x + c >= 208) || top + r >= 192 || !bit_set(bits, c % 8) || x + c >= 256) {
                continue;
            }
            for (int dy = 0; dy < s; ++dy) {
                for (int dx = 0; dx < s; ++dx) {
                    put_pixel(g_surface, x + s * c + dx, top + s * r + dy, colour);
                }
            }
        }
    }
}

void render_per_pixel()
{
    for (int i = 0; i < 768; ++i) {
        draw_cell(i % 32, i / 32, vram_at(reg(2) * 0x400 + static_cast<uint32_t>(i)));
    }
    for (int k = 31; k >= 0; --k) {
        draw_sprite(k);
    }
}

// Whole runs of set and clear bits as well as scattered ones.
uint8_t random_byte(std::mt19937& random)
{
    const uint32_t kind = random() % 4;
    return kind == 0 ? 0xFF : kind == 1 ? 0x00 : static_cast<uint8_t>(random());
}

// Positions on and beside the screen's edges and the early-clock limit.
constexpr uint8_t EDGE_Y[] = {0x00, 0xAF, 0xB0, 0xB7, 0xBE, 0xBF, 0xC0, 0xD0, 0xE1, 0xF0, 0xFE, 0xFF};
constexpr uint8_t EDGE_X[] = {0, 1, 31, 32, 40, 199, 200, 207, 208, 224, 225, 232, 239, 240, 241, 247, 248, 252, 255};

void randomise_vdp(std::mt19937& random)
{
    for (uint8_t& byte : g_vdp.vram) {
        byte = random_byte(random);
    }
    for (uint16_t& slot : g_vdp.registers) {
        slot = static_cast<uint16_t>(random());
    }
    if (random() % 2) {
        const uint32_t attributes = reg(5) * 0x80;
        for (uint32_t k = 0; k < 32; ++k) {
            vram_at(attributes + 4 * k) = EDGE_Y[random() % std::size(EDGE_Y)];
            vram_at(attributes + 4 * k + 1) = EDGE_X[random() % std::size(EDGE_X)];
        }
    }
}

TEST(RenderDifferential, MatchesThePerPixelPictureOverRandomStates)
{
    open_display_and_reset();
    std::mt19937 random(12);
    for (int state = 0; state < 300; ++state) {
        randomise_vdp(random);
        vdp_render();
        const std::vector<uint16_t> picture = surface_pixels();
        render_per_pixel();
        const std::vector<uint16_t> reference = surface_pixels();
        const auto at = static_cast<std::size_t>(
            std::mismatch(picture.begin(), picture.end(), reference.begin()).first - picture.begin());
        ASSERT_EQ(at, picture.size()) << "state " << state << ": pixel (" << at % SCREEN_WIDTH << ", "
                                      << at / SCREEN_WIDTH << ") differs";
    }
}

}  // namespace
