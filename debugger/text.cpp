#include "debugger/text.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "debugger/debugger.h"
#include "debugger/font.h"
#include "debugger/screen.h"

namespace {

constexpr int TEXT_CELLS = TEXT_COLUMNS * TEXT_ROWS;

const Glyph BLANK_GLYPH{};

const Glyph& glyph_of(int character)
{
    if (character < FONT_FIRST || character > FONT_LAST) {
        return BLANK_GLYPH;
    }
    return g_font[static_cast<std::size_t>(character - FONT_FIRST)];
}

}  // namespace

void text_print(int column, int row, const char* format, ...)
{
    char text[TEXT_COLUMNS + 1];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);

    int cell = row * TEXT_COLUMNS + column;
    for (const char* c = text; *c != '\0'; ++c, ++cell) {
        if (cell >= 0 && cell < TEXT_CELLS) {
            g_debugger.text_grid[static_cast<std::size_t>(cell)] = static_cast<uint8_t>(*c);
        }
    }
}

void text_clear()
{
    g_debugger.text_grid.fill(0);
}

void text_draw_all()
{
    for (int row = 0; row < TEXT_ROWS; ++row) {
        text_draw_span(0, row, TEXT_COLUMNS);
    }
}

void text_draw_span(int from, int row, int to)
{
    if (row < 0 || row >= TEXT_ROWS) {
        return;
    }
    from = std::max(from, 0);
    to = std::min(to, TEXT_COLUMNS);
    for (int column = from; column < to; ++column) {
        draw_glyph(column, row, g_debugger.text_grid[static_cast<std::size_t>(row * TEXT_COLUMNS + column)]);
    }
}

// The overlay paints without locking the surface, straight over the picture.
void draw_glyph(int column, int row, int character)
{
    const Glyph& glyph = glyph_of(character);
    for (int q = 0; q < CELL_HEIGHT; ++q) {
        for (int p = 0; p < CELL_WIDTH; ++p) {
            const bool ink = (glyph[static_cast<std::size_t>(q)] >> (7 - p)) & 1;
            g_overlay_screen.put_pixel(column * CELL_WIDTH + p, row * CELL_HEIGHT + q, ink ? TEXT_INK : TEXT_PAPER);
        }
    }
}
