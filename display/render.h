// The VDP picture drawn into the window's surface: the pattern layer of 32 by
// 24 character cells, then the sprites over it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "video/vdp.h"

constexpr uint8_t R0_BITMAP_MODE = 0x02;
constexpr uint8_t R1_SPRITE_MAGNIFY = 0x01;
constexpr uint8_t R1_SPRITE_16 = 0x02;

// Each table starts at its register's value times its unit: the name table
// (R2), the colour table (R3), the character patterns (R4), the sprite
// attributes (R5) and the sprite patterns (R6).
constexpr uint32_t NAME_TABLE_UNIT = 0x400;
constexpr uint32_t COLOUR_TABLE_UNIT = 0x40;
constexpr uint32_t PATTERN_TABLE_UNIT = 0x800;
constexpr uint32_t ATTRIBUTE_TABLE_UNIT = 0x80;

// A register's 8-bit value. The slots are 16 bits wide and a loaded state
// file may bring a high byte, which the chip would never hold.
inline uint32_t vdp_register(int number)
{
    return g_vdp.registers[static_cast<std::size_t>(number)] & 0xFFu;
}

// Redraws the whole VDP picture (pattern layer, then sprites) and presents it.
void vdp_render();

// The same without presenting: the debugger overlay is painted over it
// before the surface is next presented.
void vdp_draw();

struct PixelRows;

// The picture's two layers, drawn into the rows of a locked surface: the
// 32 by 24 character cells, then the 32 sprites over them, sprite 0 on top.
void draw_pattern_layer(const PixelRows& screen);
void draw_sprites(const PixelRows& screen);
