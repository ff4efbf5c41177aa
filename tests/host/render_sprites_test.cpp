// Sprites over a plain backdrop: size, magnification, early clock, the
// screen's edges, transparency and priority.
#include <gtest/gtest.h>

#include <vector>

#include "render_helpers.h"

namespace {

constexpr int BACKDROP = 4;
constexpr uint32_t ATTRIBUTES = 0x1000;  // R5 = >20
constexpr uint32_t PATTERNS = 0x0800;    // R6 = 1
constexpr uint8_t SOLID = 0;             // a 16 by 16 block, every bit set
constexpr uint8_t DOT = 4;               // only the top left pixel
constexpr uint8_t RIGHT_DOT = 8;         // only the top left pixel of the right half

struct Sprite {
    uint8_t y, x, name, colour;
};

struct Probe {
    int x, y, colour;
};

struct Case {
    const char* name;
    uint8_t r1;
    std::vector<Sprite> sprites;  // sprite 0 first
    std::vector<Probe> probes;
};

void render_with(const Case& c)
{
    open_display_and_reset();
    fill_vram(0, 0x4000, 0);
    g_vdp.registers = {0, c.r1, 0, 0, 0, 0x20, 0x01, BACKDROP};
    fill_vram(PATTERNS + SOLID * 8, 32, 0xFF);
    g_vdp.vram[PATTERNS + DOT * 8] = 0x80;
    g_vdp.vram[PATTERNS + RIGHT_DOT * 8 + 16] = 0x80;
    for (std::size_t k = 0; k < c.sprites.size(); ++k) {
        const Sprite& s = c.sprites[k];
        const uint32_t at = ATTRIBUTES + 4 * static_cast<uint32_t>(k);
        g_vdp.vram[at] = s.y;
        g_vdp.vram[at + 1] = s.x;
        g_vdp.vram[at + 2] = s.name;
        g_vdp.vram[at + 3] = s.colour;
    }
    vdp_render();
}

int count_sprite_pixels()
{
    int count = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            count += colour_at(x, y) != BACKDROP;
        }
    }
    return count;
}

void check(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        render_with(c);
        for (const Probe& p : c.probes) {
            EXPECT_EQ(colour_at(p.x, p.y), p.colour) << "at (" << p.x << ", " << p.y << ")";
        }
    }
}

TEST(RenderSprites, Placement)
{
    check({
        {"drawn one line below Y", 0, {{0x10, 0x20, SOLID, 6}},
         {{0x20, 0x11, 6}, {0x27, 0x18, 6}, {0x20, 0x10, BACKDROP}, {0x28, 0x11, BACKDROP}, {0x20, 0x19, BACKDROP}}},
        {"Y = >FF starts at line 0", 0, {{0xFF, 0x20, SOLID, 6}},
         {{0x20, 0, 6}, {0x20, 7, 6}, {0x20, 8, BACKDROP}}},
        {"bottom edge cuts the sprite", 0, {{0xBB, 0x20, SOLID, 6}},
         {{0x20, 188, 6}, {0x20, 191, 6}, {0x20, 0, BACKDROP}, {0x20, 1, BACKDROP}}},
        {"right edge at X = 252 keeps four columns", 0, {{0x10, 252, SOLID, 6}},
         {{252, 0x11, 6}, {255, 0x18, 6}, {0, 0x11, BACKDROP}, {3, 0x11, BACKDROP}}},
        {"a clear pattern bit is transparent", 0, {{0x10, 0x20, DOT, 6}},
         {{0x20, 0x11, 6}, {0x21, 0x11, BACKDROP}, {0x20, 0x12, BACKDROP}}},
        {"early clock at X = 40 starts at column 8", 0, {{0x10, 40, SOLID, 0x86}},
         {{8, 0x11, 6}, {15, 0x18, 6}, {7, 0x11, BACKDROP}, {16, 0x11, BACKDROP}}},
        {"early clock stops at column 208", 0, {{0x10, 236, SOLID, 0x86}},
         {{204, 0x11, 6}, {207, 0x11, 6}, {208, 0x11, BACKDROP}}},
        {"early clock leaves other sprites alone", 0, {{0x10, 10, SOLID, 0x86}, {0x30, 230, SOLID, 0x07}},
         {{230, 0x31, 7}, {237, 0x31, 7}, {234, 0x11, BACKDROP}, {0, 0x11, BACKDROP}}},
    });
}

TEST(RenderSprites, SizeAndMagnification)
{
    check({
        {"16 by 16", 0x02, {{0x10, 0x20, SOLID, 6}},
         {{0x2F, 0x20, 6}, {0x30, 0x11, BACKDROP}, {0x20, 0x21, BACKDROP}}},
        {"16 by 16 right half comes from bytes 16 to 31", 0x02, {{0x10, 0x20, RIGHT_DOT, 6}},
         {{0x28, 0x11, 6}, {0x20, 0x11, BACKDROP}, {0x28, 0x12, BACKDROP}}},
        {"magnified 8 by 8 covers 16 by 16", 0x01, {{0x10, 0x20, SOLID, 6}},
         {{0x2F, 0x20, 6}, {0x30, 0x11, BACKDROP}, {0x20, 0x21, BACKDROP}}},
        {"magnified 16 by 16 covers 32 by 32", 0x03, {{0x10, 0x20, SOLID, 6}},
         {{0x20, 0x11, 6}, {0x3F, 0x30, 6}, {0x40, 0x11, BACKDROP}, {0x20, 0x31, BACKDROP}}},
        {"a magnified dot is 2 by 2", 0x01, {{0x10, 0x20, DOT, 6}},
         {{0x20, 0x11, 6}, {0x21, 0x11, 6}, {0x20, 0x12, 6}, {0x21, 0x12, 6}, {0x22, 0x11, BACKDROP},
          {0x20, 0x13, BACKDROP}}},
        {"magnified early clock tests the unmagnified column", 0x01, {{0x10, 232, SOLID, 0x86}},
         {{200, 0x11, 6}, {215, 0x11, 6}, {216, 0x11, BACKDROP}}},
    });
}

TEST(RenderSprites, Priority)
{
    std::vector<Sprite> only_last(32, Sprite{0x10, 0x20, SOLID, 0});
    only_last[31].colour = 9;
    check({
        {"sprite 0 covers sprite 1", 0, {{0x10, 0x20, SOLID, 6}, {0x10, 0x20, SOLID, 15}},
         {{0x20, 0x11, 6}, {0x27, 0x18, 6}}},
        {"a transparent pixel of sprite 0 shows sprite 1", 0, {{0x10, 0x20, DOT, 6}, {0x10, 0x20, SOLID, 15}},
         {{0x20, 0x11, 6}, {0x21, 0x11, 15}}},
        {"sprite 31 is drawn too", 0, only_last, {{0x20, 0x11, 9}}},
    });
}

// Each case's first sprite draws nothing; a second sprite, where there is
// one, still draws its 64 pixels.
TEST(RenderSprites, NotDrawn)
{
    const Sprite visible{0x60, 0x60, SOLID, 3};
    const std::vector<Case> cases = {
        {"colour 0 is transparent", 0, {{0x10, 0x20, SOLID, 0x00}}, {}},
        {"colour 0 with early clock", 0, {{0x10, 0x20, SOLID, 0x80}}, {}},
        {"Y = >BF puts the top at line 192", 0, {{0xBF, 0x20, SOLID, 6}}, {}},
        {"Y = >D0 does not end the list", 0, {{0xD0, 0x20, SOLID, 6}, visible}, {}},
        {"Y = >F8 does not hang over the top", 0, {{0xF8, 0x20, SOLID, 6}}, {}},
        {"early clock at X = 10 lands beyond column 208", 0, {{0x10, 10, SOLID, 0x86}, visible}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        render_with(c);
        EXPECT_EQ(count_sprite_pixels(), 64 * static_cast<int>(c.sprites.size() - 1));
    }
}

// Table addresses past video memory wrap round it: attribute table at
// >7F80, patterns at >3800, and a 16 by 16 sprite named 255 whose right half
// lies at >4008 and on, that is at >0008.
TEST(RenderSprites, TablesWrapRoundVideoMemory)
{
    open_display_and_reset();
    fill_vram(0, 0x4000, 0);
    g_vdp.registers = {0, 0x02, 0, 0, 0, 0xFF, 0x07, BACKDROP};
    const Sprite sprite{0x10, 0x20, 0xFF, 6};
    g_vdp.vram[0x3F80] = sprite.y;
    g_vdp.vram[0x3F81] = sprite.x;
    g_vdp.vram[0x3F82] = sprite.name;
    g_vdp.vram[0x3F83] = sprite.colour;
    g_vdp.vram[0x0008] = 0x80;
    vdp_render();
    EXPECT_EQ(colour_at(0x28, 0x11), 6);
    EXPECT_EQ(count_sprite_pixels(), 1);
}

}  // namespace
