// The pattern layer: 32 by 24 character cells from the name table, in either
// of the two character modes, each line of a cell written as eight pixels at
// once.
#include <array>
#include <cstddef>
#include <cstring>

#include "display/display.h"
#include "display/render.h"
#include "display/sprites.h"
#include "video/vdp.h"

namespace {

constexpr int COLUMNS = 32;
constexpr int ROWS = 24;
constexpr uint32_t BITMAP_THIRD_SIZE = 0x800;  // each screen third has its own tables
constexpr uint32_t BITMAP_COLOURS = 0x2000;

// One line of a cell: eight pixels, each all ones where the pattern byte's
// bit is set (bit 7 is the leftmost pixel) and all zeros where it is clear.
using LineMask = std::array<uint16_t, 8>;

constexpr std::array<LineMask, 256> make_line_masks()
{
    std::array<LineMask, 256> masks{};
    for (std::size_t bits = 0; bits < masks.size(); ++bits) {
        for (std::size_t pixel = 0; pixel < 8; ++pixel) {
            masks[bits][pixel] = ((bits << pixel) & 0x80) ? 0xFFFF : 0;
        }
    }
    return masks;
}

constexpr std::array<LineMask, 256> LINE_MASKS = make_line_masks();

struct CellSource {
    uint32_t pattern;  // address of the cell's first pattern line
    uint8_t colours;   // foreground in the high nibble, background in the low
};

CellSource cell_source(int row, uint32_t name)
{
    if (vdp_register(0) & R0_BITMAP_MODE) {
        // One colour byte per cell: the one of the character's first line.
        const uint32_t third_base = static_cast<uint32_t>(row / 8) * BITMAP_THIRD_SIZE + name * 8u;
        return {third_base, vram_at(BITMAP_COLOURS + third_base)};
    }
    return {vdp_register(4) * PATTERN_TABLE_UNIT + name * 8u, vram_at(vdp_register(3) * COLOUR_TABLE_UNIT + name / 8u)};
}

struct CellColours {
    uint16_t foreground;
    uint16_t background;
};

// A transparent nibble shows the backdrop colour of R7.
CellColours cell_colours(const PixelRows& screen, uint8_t colours)
{
    const uint32_t backdrop = vdp_register(7) & 0xF;
    const uint32_t foreground = colours >> 4;
    const uint32_t background = colours & 0xFu;
    return {screen.colours[foreground != 0 ? foreground : backdrop],
            screen.colours[background != 0 ? background : backdrop]};
}

// The mask picks the foreground where the pattern has a set bit.
void draw_line(uint16_t* pixels, uint8_t bits, CellColours colours)
{
    const LineMask& mask = LINE_MASKS[bits];
    LineMask line;
    for (std::size_t i = 0; i < line.size(); ++i) {
        line[i] = static_cast<uint16_t>((colours.foreground & mask[i]) | (colours.background & ~mask[i]));
    }
    std::memcpy(pixels, line.data(), sizeof line);
}

void draw_cell(const PixelRows& screen, int column, int row, uint8_t name)
{
    const CellSource source = cell_source(row, name);
    const CellColours colours = cell_colours(screen, source.colours);
    for (int line = 0; line < 8; ++line) {
        const uint8_t bits = vram_at(source.pattern + static_cast<uint32_t>(line));
        draw_line(screen.row(row * 8 + line) + column * 8, bits, colours);
    }
}

}  // namespace

void vdp_render()
{
    vdp_draw();
    display_flip();
}

void vdp_draw()
{
    if (g_surface == nullptr) {
        return;
    }
    lock_surface(g_surface);
    const PixelRows screen = pixel_rows(g_surface);
    if (screen.pixels != nullptr) {
        draw_pattern_layer(screen);
        draw_sprites(screen);
    }
    unlock_surface(g_surface);
}

// The name table is read in row order, 32 names per row.
void draw_pattern_layer(const PixelRows& screen)
{
    const uint32_t names = vdp_register(2) * NAME_TABLE_UNIT;
    for (int row = 0; row < ROWS; ++row) {
        for (int column = 0; column < COLUMNS; ++column) {
            const uint32_t cell = static_cast<uint32_t>(row * COLUMNS + column);
            draw_cell(screen, column, row, vram_at(names + cell));
        }
    }
}
