// The pattern layer, the window's start state and the pixel primitive.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render_helpers.h"

// SDL leaks a few bytes of its own each time the video mode is set again,
// which tests do and the program never does.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libSDL2";
}

namespace {

// Every pixel of the screen, as expected from its position.
template <typename Expected>
void expect_whole_screen(Expected expected)
{
    int wrong = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            if (colour_at(x, y) != expected(x, y) && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << colour_at(x, y) << ", expected "
                              << expected(x, y);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(RenderOpen, WindowStartsLightBlueAndVdpIsReset)
{
    open_display_and_reset();
    g_vdp.registers[1] = 0x42;
    g_vdp.vram[0x1234] = 0;
    ASSERT_EQ(display_open(), 0);
    ASSERT_NE(g_surface, nullptr);
    EXPECT_EQ(g_surface->w, 256);
    EXPECT_EQ(g_surface->h, 192);
    EXPECT_EQ(g_surface->format->BitsPerPixel, 16);
    expect_whole_screen([](int, int) { return 5; });
    EXPECT_EQ(g_vdp.registers[1], 0);
    EXPECT_EQ(g_vdp.vram[0x1234], 0xCD);
}

TEST(RenderPattern, ResetPictureIsPatternCdIn12On13)
{
    open_display_and_reset();
    vdp_render();
    expect_whole_screen([](int x, int) { return (0xCD << (x % 8)) & 0x80 ? 12 : 13; });
}

TEST(RenderPattern, EveryPixelIsRedrawn)
{
    open_display_and_reset();
    for (int y = 0; y < SCREEN_HEIGHT; y += 7) {
        put_pixel(g_surface, y, y, 9);
    }
    fill_vram(0, 0x4000, 0);
    g_vdp.registers[7] = 0x03;
    vdp_render();
    expect_whole_screen([](int, int) { return 3; });
}

// Cell (0, 0) shows name 0, whose pattern lines are >F0: left half
// foreground, right half background.
TEST(RenderPattern, TransparentNibblesTakeTheBackdrop)
{
    struct Case {
        const char* name;
        uint8_t colours;
        uint8_t r7;
        int foreground;
        int background;
    };
    const Case cases[] = {
        {"both transparent", 0x00, 0x04, 4, 4},
        {"both transparent, backdrop 0", 0x00, 0x00, BLACK, BLACK},
        {"background transparent", 0xF0, 0x06, 15, 6},
        {"foreground transparent", 0x0E, 0x06, 6, 14},
        {"opaque ignores backdrop", 0x2E, 0x07, 2, 14},
        {"only R7's low nibble counts", 0x00, 0xA9, 9, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open_display_and_reset();
        fill_vram(0, 0x4000, 0);
        g_vdp.registers[4] = 1;  // patterns at >0800
        g_vdp.registers[3] = 0x40;  // colours at >1000
        fill_vram(0x0800, 8, 0xF0);
        g_vdp.vram[0x1000] = c.colours;
        g_vdp.registers[7] = c.r7;
        vdp_render();
        EXPECT_EQ(colour_at(0, 0), c.foreground);
        EXPECT_EQ(colour_at(3, 7), c.foreground);
        EXPECT_EQ(colour_at(4, 0), c.background);
        EXPECT_EQ(colour_at(7, 7), c.background);
    }
}

// Where the character modes find a cell's name, pattern and colour.
TEST(RenderPattern, TableAddresses)
{
    struct Case {
        const char* name;
        uint8_t r0, r2, r3, r4;
        int column, row;
        uint32_t name_at;     // where the cell's name byte is
        uint8_t cell_name;
        uint32_t pattern_at;  // first pattern line
        uint32_t colour_at;
    };
    const Case cases[] = {
        {"character mode", 0x00, 0x01, 0x80, 0x02, 3, 2, 0x0400 + 67, 9, 0x1000 + 72, 0x2000 + 1},
        {"names share colours in groups of eight", 0x00, 0x00, 0x80, 0x02, 0, 0, 0x0000, 15, 0x1000 + 120, 0x2001},
        {"bitmap first third", 0x02, 0x0E, 0x00, 0x00, 5, 0, 0x3805, 3, 0x0018, 0x2018},
        {"bitmap second third", 0x02, 0x0E, 0x00, 0x00, 5, 8, 0x3905, 3, 0x0818, 0x2818},
        {"bitmap third third", 0x02, 0x0E, 0x00, 0x00, 31, 23, 0x3AFF, 200, 0x1640, 0x3640},
        {"bitmap ignores R3 and R4", 0x02, 0x0E, 0xFF, 0xFF, 5, 8, 0x3905, 3, 0x0818, 0x2818},
        {"pattern table wraps", 0x00, 0x00, 0x7F, 0xFF, 0, 0, 0x0000, 1, 0x3808, 0x1FC0},
        {"name table wraps", 0x00, 0xFF, 0x7F, 0x07, 0, 0, 0x3C00, 2, 0x3810, 0x1FC0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open_display_and_reset();
        fill_vram(0, 0x4000, 0);
        g_vdp.registers = {c.r0, 0, c.r2, c.r3, c.r4, 0, 0, 0x01};
        g_vdp.vram[c.name_at] = c.cell_name;
        g_vdp.vram[c.pattern_at] = 0x81;      // first line: outer pixels set
        g_vdp.vram[c.pattern_at + 7] = 0x18;  // last line: middle pixels set
        g_vdp.vram[c.colour_at] = 0xA6;
        vdp_render();
        const int x = c.column * 8;
        const int y = c.row * 8;
        EXPECT_EQ(colour_at(x, y), 10);
        EXPECT_EQ(colour_at(x + 1, y), 6);
        EXPECT_EQ(colour_at(x + 7, y), 10);
        EXPECT_EQ(colour_at(x + 3, y + 7), 10);
        EXPECT_EQ(colour_at(x, y + 7), 6);
        EXPECT_EQ(colour_at(x, y + 1), 6);
    }
}

TEST(RenderPattern, BitmapCellUsesItsFirstLineColourForAllLines)
{
    open_display_and_reset();
    fill_vram(0, 0x4000, 0);
    g_vdp.registers[0] = 0x02;
    g_vdp.registers[2] = 0x0E;  // names at >3800, all 0
    fill_vram(0x0800, 8, 0xF0);
    g_vdp.vram[0x2800] = 0x2C;
    fill_vram(0x2801, 7, 0x9B);
    vdp_render();
    for (int line = 0; line < 8; ++line) {
        EXPECT_EQ(colour_at(0, 64 + line), 2) << "line " << line;
        EXPECT_EQ(colour_at(4, 64 + line), 12) << "line " << line;
    }
}

TEST(RenderSurface, NoWindowMeansNoDrawing)
{
    open_display_and_reset();
    SDL_Surface* const window = g_surface;
    g_surface = nullptr;
    vdp_render();
    display_flip();
    put_pixel(nullptr, 0, 0, 3);
    g_surface = window;
}

TEST(RenderSurface, PixelsOffTheScreenAreNotDrawn)
{
    open_display_and_reset();
    vdp_render();
    const std::vector<uint8_t> before(static_cast<uint8_t*>(g_surface->pixels),
                                      static_cast<uint8_t*>(g_surface->pixels) + g_surface->pitch * 192);
    const int outside[][2] = {{-1, 0}, {0, -1}, {256, 0}, {0, 192}, {-100000, 5}, {1000000, 1000000}};
    for (const auto& p : outside) {
        put_pixel(g_surface, p[0], p[1], 3);
    }
    const std::vector<uint8_t> after(static_cast<uint8_t*>(g_surface->pixels),
                                     static_cast<uint8_t*>(g_surface->pixels) + g_surface->pitch * 192);
    EXPECT_EQ(before, after);
    put_pixel(g_surface, 255, 191, 3);
    EXPECT_EQ(colour_at(255, 191), 3);
}

// The renderer writes whole rows only into a 16-bit surface at least as large
// as the screen, in the colour values SDL_MapRGB gives for that surface.
TEST(RenderSurface, RowsOnlyFromScreenSized16BitSurfaces)
{
    struct Case {
        const char* name;
        int width, height, depth;
        bool drawn;
    };
    const Case cases[] = {
        {"the screen's size", 256, 192, 16, true},
        {"larger", 320, 200, 16, true},
        {"too narrow", 255, 192, 16, false},
        {"too short", 256, 191, 16, false},
        {"32 bits per pixel", 256, 192, 32, false},
        {"8 bits per pixel", 256, 192, 8, false},
    };
    open_display_and_reset();
    EXPECT_EQ(pixel_rows(nullptr).pixels, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, c.width, c.height, c.depth, 0, 0, 0, 0);
        ASSERT_NE(surface, nullptr);
        const PixelRows rows = pixel_rows(surface);
        EXPECT_EQ(rows.pixels != nullptr, c.drawn);
        if (c.drawn) {
            EXPECT_EQ(rows.row(1), static_cast<uint16_t*>(surface->pixels) + surface->pitch / 2);
            for (int colour = 0; colour < 16; ++colour) {
                const PaletteColour& p = g_palette[static_cast<std::size_t>(colour)];
                EXPECT_EQ(rows.colours[static_cast<std::size_t>(colour)],
                          SDL_MapRGB(surface->format, p.red, p.green, p.blue));
            }
        }
        SDL_FreeSurface(surface);
    }
}

// The colour values put_pixel stores are SDL_MapRGB's for the surface drawn
// on, also when surfaces of different formats are drawn on in turn.
TEST(RenderSurface, ColoursFollowEachSurfaceFormat)
{
    open_display_and_reset();
    SDL_Surface* bgr = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 192, 16, 0x001F, 0x07E0, 0xF800, 0);
    SDL_Surface* rgb555 = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 192, 16, 0x7C00, 0x03E0, 0x001F, 0);
    ASSERT_NE(bgr, nullptr);
    ASSERT_NE(rgb555, nullptr);
    for (int round = 0; round < 2; ++round) {
        for (SDL_Surface* s : {g_surface, bgr, rgb555}) {
            for (int colour = 0; colour < 16; ++colour) {
                put_pixel(s, colour, round, colour);
                const PaletteColour& c = g_palette[static_cast<std::size_t>(colour)];
                uint16_t value;
                std::memcpy(&value, static_cast<uint8_t*>(s->pixels) + round * s->pitch + 2 * colour, 2);
                EXPECT_EQ(value, SDL_MapRGB(s->format, c.red, c.green, c.blue)) << "colour " << colour;
            }
        }
    }
    SDL_FreeSurface(bgr);
    SDL_FreeSurface(rgb555);
}

}  // namespace
