#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu/memory.h"
#include "debugger/debugger.h"
#include "debugger/font.h"
#include "debugger/text.h"
#include "display/display.h"
#include "display/render.h"
#include "display/window.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "video/vdp.h"

namespace {

struct CellText {
    int column;
    int row;
    std::string text;
};

void expect_cells(const std::vector<CellText>& cells)
{
    for (const CellText& cell : cells) {
        EXPECT_EQ(screen_text(cell.column, cell.row, static_cast<int>(cell.text.size())), cell.text)
            << "at column " << cell.column << ", row " << cell.row;
    }
}

// A processor state whose every value is recognisable on screen.
void set_up_cpu()
{
    g_cpu.PC = 0x6000;
    g_cpu.ST = 0xC003;
    g_cpu.WP = 0xF000;
    for (uint16_t n = 0; n < 16; ++n) {
        poke_words(static_cast<Location>(0xF000 + 2 * n), {static_cast<uint16_t>(n * 0x1111)});
    }
    poke_words(0x6000, {0xCCA1, 0x8300});  // MOV @>8300(R1), *R2+
}

void set_up_vdp()
{
    g_vdp.address = 0x1234;
    g_vdp.status = 0x80;
    g_vdp.registers = {0x02, 0xE2, 0x06, 0xFF, 0x03, 0x36, 0x07, 0x4F};
    for (int i = 0; i < 8; ++i) {
        vram_at(static_cast<uint32_t>(i)) = static_cast<uint8_t>(i);
        vram_at(static_cast<uint32_t>(0x2000 + i)) = static_cast<uint8_t>(0xA0 + i);
    }
}

}  // namespace

TEST(Overlay, StartsHiddenInTheCpuView)
{
    start_overlay_machine();
    EXPECT_EQ(g_debugger.overlay_visible, 0);
    EXPECT_EQ(g_debugger.stopped, 0);
    EXPECT_EQ(g_debugger.in_interrupt, 0);
    EXPECT_EQ(g_debugger.show_vdp_memory, 0);
    EXPECT_EQ(g_debugger.dump_address, 0xF000);
    EXPECT_EQ(g_debugger.saved_vdp_address, 0);
    const std::vector<uint16_t> shown = surface_pixels();
    vdp_render();
    EXPECT_EQ(shown, surface_pixels()) << "the VDP picture is on screen";
}

TEST(Overlay, CpuViewCells)
{
    start_overlay_machine();
    set_up_cpu();
    debugger_show();
    expect_cells({
        {0, 0, "CPU REGISTERS"},
        {0, 1, "PC  6000"},
        {0, 2, "ST  C003"},
        {0, 3, "WP  F000"},
        {0, 5, "WORKSPACE"},
        {0, 6, "R0  0000 R8  8888"},
        {0, 7, "R1  1111 R9  9999"},
        {0, 13, "R7  7777 R15 FFFF"},
        {18, 0, "F000  0000111122223333"},
        {18, 1, "F008  4444555566667777"},
        {18, 15, "F078  CDCDCDCDCDCDCDCD"},
        {0, 17, "MOV @>8300(R1), *R2+          "},
    });
}

TEST(Overlay, VdpViewCells)
{
    start_overlay_machine();
    set_up_vdp();
    debugger_show_vdp();
    debugger_show();
    expect_cells({
        {0, 0, "VGP REGISTERS"},
        {0, 1, "MP  1234"},
        {0, 2, "SR  0080"},
        {0, 3, "        "},
        {0, 4, "R0  0002"},
        {0, 5, "R1  00E2"},
        {0, 11, "R7  004F"},
        {18, 0, "0000  0001020304050607"},
        {18, 1, "0008  CDCDCDCDCDCDCDCD"},
        {0, 17, "                              "},
    });
}

// Video memory decodes fourteen address bits; the address space is 64 KB.
TEST(Overlay, DumpsStayInsideTheirMemory)
{
    start_overlay_machine();
    set_up_vdp();
    poke_words(0xFFF8, {0x0102, 0x0304, 0x0506, 0x0708});

    g_debugger.dump_address = 0xFF80;
    debugger_show();
    expect_cells({{18, 15, "FFF8  0102030405060708"}});

    debugger_show_vdp();
    g_debugger.dump_address = 0xE000;
    debugger_show();
    expect_cells({{18, 0, "E000  A0A1A2A3A4A5A6A7"}, {18, 15, "E078  CDCDCDCDCDCDCDCD"}});
}

TEST(Overlay, PaintsInkAndPaperOverTheLeftColumnsOnly)
{
    for (int view = 0; view < 2; ++view) {
        start_overlay_machine();
        set_up_cpu();
        const std::vector<uint16_t> picture = surface_pixels();
        if (view == 1) {
            debugger_show_vdp();
        }
        debugger_show();
        debugger_draw_view();
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            for (int x = 0; x < SCREEN_WIDTH; ++x) {
                const uint16_t pixel = pixel_at(x, y);
                if (x < TEXT_COLUMNS * CELL_WIDTH) {
                    ASSERT_TRUE(pixel == colour_value(TEXT_INK) || pixel == colour_value(TEXT_PAPER))
                        << "view " << view << " at " << x << ", " << y;
                } else {
                    ASSERT_EQ(pixel, picture[static_cast<std::size_t>(y * SCREEN_WIDTH + x)])
                        << "view " << view << " at " << x << ", " << y;
                }
            }
        }
    }
}

TEST(Overlay, ShorterDisassemblyLeavesNoTrace)
{
    start_overlay_machine();
    g_cpu.PC = 0x6000;
    poke_words(0x6000, {0xDBEF, 0xFFFF, 0xFFFF, 0x1000});
    debugger_show();
    expect_cells({{0, 17, "MOVB @>FFFF(R15), @>FFFF(R15) "}});

    g_cpu.PC = 0x6006;
    debugger_draw_view();
    expect_cells({{0, 17, std::string("NOP") + std::string(27, ' ')}});
}

TEST(Overlay, SwitchingToTheShownViewChangesNothing)
{
    start_overlay_machine();
    debugger_show();
    g_debugger.dump_address = 0xF100;
    text_print(0, 23, "MARK");
    debugger_show_cpu();
    EXPECT_EQ(g_debugger.dump_address, 0xF100);
    EXPECT_EQ(g_debugger.saved_vdp_address, 0);
    EXPECT_EQ(g_debugger.text_grid[23 * TEXT_COLUMNS], 'M');
}

TEST(Glyphs, CellsShowTheirCharacters)
{
    start_overlay_machine();
    for (int c = FONT_FIRST; c <= FONT_LAST; ++c) {
        draw_glyph(c % TEXT_COLUMNS, 20, c);
        EXPECT_EQ(cell_character(c % TEXT_COLUMNS, 20), static_cast<char>(c));
    }
    for (int c : {0, int{' '}, int{'\''}, int{'['}, int{'a'}, 0x7F, 0xFF}) {
        draw_glyph(3, 21, 'A');
        draw_glyph(3, 21, c);
        EXPECT_EQ(cell_character(3, 21), ' ') << c;
    }
}

// Bit 7 of a glyph row is the cell's left pixel column, byte 0 its top row.
TEST(Glyphs, PixelPlacement)
{
    start_overlay_machine();
    draw_glyph(1, 2, 'A');  // rows 00 10 28 44 7C 44 44 44
    const int left = 6;
    const int top = 16;
    struct Pixel {
        int x;
        int y;
        int colour;
    };
    const Pixel pixels[] = {
        {left + 3, top + 1, TEXT_INK},   {left + 2, top + 1, TEXT_PAPER}, {left + 1, top + 3, TEXT_INK},
        {left + 5, top + 3, TEXT_INK},   {left + 0, top + 4, TEXT_PAPER}, {left + 1, top + 4, TEXT_INK},
        {left + 3, top + 0, TEXT_PAPER}, {left + 5, top + 7, TEXT_INK},   {left + 0, top + 7, TEXT_PAPER},
    };
    for (const Pixel& p : pixels) {
        EXPECT_EQ(pixel_at(p.x, p.y), colour_value(p.colour)) << p.x << ", " << p.y;
    }
}
