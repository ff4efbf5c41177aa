// The sprite layer: 32 sprites from the attribute table, drawn from 31 down
// to 0 so that a lower-numbered sprite covers a higher-numbered one. There is
// no end-of-list Y value and no limit of sprites per line.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#include "display/display.h"
#include "display/sprites.h"
#include "video/vdp.h"

namespace {

constexpr int SPRITES = 32;
constexpr uint8_t EARLY_CLOCK = 0x80;  // colour byte bit: shift the sprite 32 pixels left
constexpr int EARLY_CLOCK_LIMIT = 208;
constexpr int RUN_BITS = 32;  // the widest sprite: 16 pixels magnified

// A row of a sprite is a run mask: bit 31 is its leftmost pixel on screen.
using RunMask = uint32_t;

struct SpriteLayout {
    int size;   // 8 or 16 sprite pixels square
    int scale;  // host pixels per sprite pixel, 1 or 2
    uint32_t patterns;
};

// Each bit of a byte twice over: a magnified row's pixels.
constexpr std::array<uint16_t, 256> make_doubled_bits()
{
    std::array<uint16_t, 256> doubled{};
    for (std::size_t bits = 0; bits < doubled.size(); ++bits) {
        for (int bit = 0; bit < 8; ++bit) {
            if ((bits >> bit) & 1) {
                doubled[bits] = static_cast<uint16_t>(doubled[bits] | (3u << (2 * bit)));
            }
        }
    }
    return doubled;
}

constexpr std::array<uint16_t, 256> DOUBLED_BITS = make_doubled_bits();

// The leftmost `count` bits of a run mask, for count 0 to 32.
RunMask leftmost(int count)
{
    return count <= 0 ? 0 : ~RunMask{0} << (RUN_BITS - std::min(count, RUN_BITS));
}

// Sprite row r of the pattern: a 16 by 16 pattern is four 8 by 8 blocks, the
// left half's 16 rows first, then the right half's.
RunMask pattern_row(uint32_t pattern, int r)
{
    const uint32_t left = vram_at(pattern + static_cast<uint32_t>(r));
    const uint32_t right = vram_at(pattern + 16 + static_cast<uint32_t>(r));
    return (left << 24) | (right << 16);
}

RunMask magnified(RunMask row)
{
    return (RunMask{DOUBLED_BITS[row >> 24]} << 16) | DOUBLED_BITS[(row >> 16) & 0xFF];
}

// Fills each run of set bits with the colour, from column x on; the caller
// has cut the runs at the screen's right edge.
void draw_runs(uint16_t* pixels, int x, RunMask runs, uint16_t colour)
{
    while (runs != 0) {
        const int gap = std::countl_zero(runs);
        runs <<= gap;
        x += gap;
        const int length = std::countl_one(runs);
        std::fill_n(pixels + x, length, colour);
        x += length;
        runs = length < RUN_BITS ? runs << length : 0;
    }
}

void draw_sprite(const PixelRows& screen, uint32_t attributes, const SpriteLayout& layout)
{
    const int y_value = vram_at(attributes);
    const int x_value = vram_at(attributes + 1);
    const uint8_t name = vram_at(attributes + 2);
    const uint8_t colour_byte = vram_at(attributes + 3);
    if ((colour_byte & 0xF) == 0) {
        return;
    }
    const uint16_t colour = screen.colours[colour_byte & 0xFu];
    const uint32_t pattern = layout.patterns + name * 8u;
    // The chip shows a sprite one line below its Y value.
    const int top = (y_value + 1) & 0xFF;
    const bool early = colour_byte & EARLY_CLOCK;
    const int x = early ? (x_value - 32) & 0xFF : x_value;
    // The limits test the unmagnified offsets, also for a magnified sprite;
    // what a magnified sprite then reaches past the screen's edges is cut.
    const int limit = early ? EARLY_CLOCK_LIMIT : SCREEN_WIDTH;
    const RunMask shown_columns = leftmost(std::min(layout.size, limit - x));
    const RunMask on_screen = leftmost(SCREEN_WIDTH - x);
    for (int r = 0; r < layout.size && top + r < SCREEN_HEIGHT; ++r) {
        RunMask runs = pattern_row(pattern, r) & shown_columns;
        if (layout.scale == 2) {
            runs = magnified(runs) & on_screen;
        }
        for (int y = top + layout.scale * r; y < top + layout.scale * (r + 1) && y < SCREEN_HEIGHT; ++y) {
            draw_runs(screen.row(y), x, runs, colour);
        }
    }
}

}  // namespace

void draw_sprites(const PixelRows& screen)
{
    const uint32_t r1 = vdp_register(1);
    const SpriteLayout layout{
        (r1 & R1_SPRITE_16) ? 16 : 8,
        (r1 & R1_SPRITE_MAGNIFY) ? 2 : 1,
        vdp_register(6) * PATTERN_TABLE_UNIT,
    };
    const uint32_t table = vdp_register(5) * ATTRIBUTE_TABLE_UNIT;
    for (int k = SPRITES - 1; k >= 0; --k) {
        draw_sprite(screen, table + 4u * static_cast<uint32_t>(k), layout);
    }
}
