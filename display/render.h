// The VDP picture drawn into the window's surface: the pattern layer of 32 by
// 24 character cells, then the sprites over it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "video/vdp.h"

constexpr uint8_t R0_BITMAP_MODE = 0x02;
constexpr uint8_t R1_SPRITE_MAGNIFY = 0x01;
constexpr uint8_t R1_SPRITE_16 = 0x02;

// A register's 8-bit value. The slots are 16 bits wide and a loaded state
// file may bring a high byte, which the chip would never hold.
inline uint32_t vdp_register(int number)
{
    return g_vdp.registers[static_cast<std::size_t>(number)] & 0xFFu;
}

// Redraws the whole VDP picture (pattern layer, then sprites) and presents it.
void vdp_render();

// Draws the 8 by 8 character cell at (column, row) for the given name.
void render_tile(int column, int row, uint8_t name);

// Draws the 32 sprites over the pattern layer, sprite 0 on top.
void render_sprites();
