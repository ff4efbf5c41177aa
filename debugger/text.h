// The overlay's 40 by 24 character grid and the primitives that fill and
// paint it. Each cell is 6 by 8 pixels, so the grid covers the left 240
// columns of the window.
#pragma once

constexpr int CELL_WIDTH = 6;
constexpr int CELL_HEIGHT = 8;
constexpr int TEXT_INK = 1;    // black
constexpr int TEXT_PAPER = 5;  // light blue

// Formats the text and stores it from (column, row) on, running on into the
// next row past column 39; characters beyond the last cell are dropped.
// Nothing is painted.
void text_print(int column, int row, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Empties every cell.
void text_clear();

// Paints every cell.
void text_draw_all();

// Paints cells from..to-1 of a row.
void text_draw_span(int from, int row, int to);

// Paints one 6 by 8 cell; characters without a glyph are drawn blank.
void draw_glyph(int column, int row, int character);
