// The sprite layer: 32 sprites from the attribute table, drawn from 31 down
// to 0 so that a lower-numbered sprite covers a higher-numbered one. There is
// no end-of-list Y value and no limit of sprites per line.
#include "display/display.h"
#include "display/render.h"
#include "video/vdp.h"

namespace {

constexpr int SPRITES = 32;
constexpr uint32_t ATTRIBUTE_TABLE_UNIT = 0x80;
constexpr uint32_t PATTERN_TABLE_UNIT = 0x800;
constexpr uint8_t EARLY_CLOCK = 0x80;  // colour byte bit: shift the sprite 32 pixels left
constexpr int EARLY_CLOCK_LIMIT = 208;

struct SpriteLayout {
    int size;   // 8 or 16 sprite pixels square
    int scale;  // host pixels per sprite pixel, 1 or 2
    uint32_t patterns;
};

// The sprite pixel (c, r) is set in its pattern: a 16 by 16 pattern is four
// 8 by 8 blocks, the left half's 16 rows first, then the right half's.
bool pattern_bit(uint32_t pattern, int c, int r)
{
    const uint8_t bits = vram_at(pattern + static_cast<uint32_t>((c / 8) * 16 + r));
    return (bits << (c % 8)) & 0x80;
}

void draw_block(int x, int y, int scale, int colour)
{
    for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
            put_pixel(g_surface, x + dx, y + dy, colour);
        }
    }
}

void draw_sprite(uint32_t attributes, const SpriteLayout& layout)
{
    const int y_value = vram_at(attributes);
    const int x_value = vram_at(attributes + 1);
    const uint8_t name = vram_at(attributes + 2);
    const uint8_t colour_byte = vram_at(attributes + 3);
    const int colour = colour_byte & 0xF;
    if (colour == 0) {
        return;
    }
    const uint32_t pattern = layout.patterns + name * 8u;
    // The chip shows a sprite one line below its Y value.
    const int top = (y_value + 1) & 0xFF;
    const bool early = colour_byte & EARLY_CLOCK;
    const int x = early ? (x_value - 32) & 0xFF : x_value;
    // The limits test the unmagnified offsets, also for a magnified sprite.
    for (int r = 0; r < layout.size && top + r < SCREEN_HEIGHT; ++r) {
        for (int c = 0; c < layout.size; ++c) {
            if ((early && x + c >= EARLY_CLOCK_LIMIT) || x + c >= SCREEN_WIDTH || !pattern_bit(pattern, c, r)) {
                continue;
            }
            draw_block(x + layout.scale * c, top + layout.scale * r, layout.scale, colour);
        }
    }
}

}  // namespace

void render_sprites()
{
    const uint32_t r1 = vdp_register(1);
    const SpriteLayout layout{
        (r1 & R1_SPRITE_16) ? 16 : 8,
        (r1 & R1_SPRITE_MAGNIFY) ? 2 : 1,
        vdp_register(6) * PATTERN_TABLE_UNIT,
    };
    const uint32_t table = vdp_register(5) * ATTRIBUTE_TABLE_UNIT;
    for (int k = SPRITES - 1; k >= 0; --k) {
        draw_sprite(table + 4u * static_cast<uint32_t>(k), layout);
    }
}
