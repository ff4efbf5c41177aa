// The pattern layer: 32 by 24 character cells from the name table, in either
// of the two character modes.
#include "display/display.h"
#include "display/render.h"
#include "video/vdp.h"

namespace {

constexpr int COLUMNS = 32;
constexpr int CELLS = 768;
constexpr uint32_t NAME_TABLE_UNIT = 0x400;
constexpr uint32_t PATTERN_TABLE_UNIT = 0x800;
constexpr uint32_t COLOUR_TABLE_UNIT = 0x40;
constexpr uint32_t BITMAP_THIRD_SIZE = 0x800;  // each screen third has its own tables
constexpr uint32_t BITMAP_COLOURS = 0x2000;

struct CellSource {
    uint32_t pattern;  // address of the cell's first pattern line
    uint8_t colours;   // foreground in the high nibble, background in the low
};

CellSource cell_source(int row, uint8_t name)
{
    if (vdp_register(0) & R0_BITMAP_MODE) {
        // One colour byte per cell: the one of the character's first line.
        const uint32_t third_base = static_cast<uint32_t>(row / 8) * BITMAP_THIRD_SIZE + name * 8u;
        return {third_base, vram_at(BITMAP_COLOURS + third_base)};
    }
    return {vdp_register(4) * PATTERN_TABLE_UNIT + name * 8u, vram_at(vdp_register(3) * COLOUR_TABLE_UNIT + name / 8u)};
}

}  // namespace

void vdp_render()
{
    if (g_surface == nullptr) {
        return;
    }
    lock_surface(g_surface);
    const uint32_t names = vdp_register(2) * NAME_TABLE_UNIT;
    for (int i = 0; i < CELLS; ++i) {
        render_tile(i % COLUMNS, i / COLUMNS, vram_at(names + static_cast<uint32_t>(i)));
    }
    render_sprites();
    unlock_surface(g_surface);
    display_flip();
}

void render_tile(int column, int row, uint8_t name)
{
    const CellSource source = cell_source(row, name);
    // A transparent nibble shows the backdrop colour of R7.
    const int backdrop = static_cast<int>(vdp_register(7) & 0xF);
    int background = source.colours & 0xF;
    int foreground = source.colours >> 4;
    if (background == 0) {
        background = backdrop;
    }
    if (foreground == 0) {
        foreground = backdrop;
    }
    for (int line = 0; line < 8; ++line) {
        const uint8_t bits = vram_at(source.pattern + static_cast<uint32_t>(line));
        for (int pixel = 0; pixel < 8; ++pixel) {
            const bool set = (bits << pixel) & 0x80;
            put_pixel(g_surface, column * 8 + pixel, row * 8 + line, set ? foreground : background);
        }
    }
}
