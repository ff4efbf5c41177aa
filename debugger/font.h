// The overlay's 5 by 7 dot font for the characters '(' to 'Z'.
#pragma once

#include <array>
#include <cstdint>

// One byte per pixel row, top row first; bit 7 is the leftmost of six pixel
// columns and bit 2 the rightmost. Row 0 and bit 7 stay blank, so that
// neighbouring characters are one dot apart.
using Glyph = std::array<uint8_t, 8>;

constexpr int FONT_FIRST = '(';
constexpr int FONT_LAST = 'Z';
constexpr int FONT_GLYPHS = FONT_LAST - FONT_FIRST + 1;

extern const std::array<Glyph, FONT_GLYPHS> g_font;
