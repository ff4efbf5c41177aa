#include <gtest/gtest.h>

#include <set>

#include "debugger/font.h"

namespace {

const Glyph& glyph(char c)
{
    return g_font[static_cast<std::size_t>(c - FONT_FIRST)];
}

}  // namespace

TEST(Font, GivenGlyphsAreExact)
{
    struct Case {
        char character;
        Glyph rows;
    };
    const Case cases[] = {
        {'(', {0x00, 0x18, 0x30, 0x30, 0x30, 0x30, 0x30, 0x18}},
        {'0', {0x00, 0x38, 0x44, 0x4C, 0x54, 0x64, 0x44, 0x38}},
        {'A', {0x00, 0x10, 0x28, 0x44, 0x7C, 0x44, 0x44, 0x44}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(glyph(c.character), c.rows) << c.character;
    }
}

// 5 by 7 dots: the top row, the left column and the two undrawn bits stay
// clear; every character has a shape of its own.
TEST(Font, EveryGlyphHasTheFormAndIsDistinct)
{
    std::set<Glyph> seen;
    for (int c = FONT_FIRST; c <= FONT_LAST; ++c) {
        const Glyph& g = glyph(static_cast<char>(c));
        EXPECT_EQ(g[0], 0) << static_cast<char>(c);
        for (uint8_t row : g) {
            EXPECT_EQ(row & 0x83, 0) << static_cast<char>(c);
        }
        EXPECT_NE(g, Glyph{}) << static_cast<char>(c);
        EXPECT_TRUE(seen.insert(g).second) << static_cast<char>(c) << " looks like another character";
    }
}
