// What the pattern layer and the sprites share: the register bits they read.
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

struct PixelRows;

// The picture's two layers, drawn into the rows of a locked surface.
void draw_pattern_layer(const PixelRows& screen);
void draw_sprites(const PixelRows& screen);
