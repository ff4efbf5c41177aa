// The video display processor as the processor sees it: its registers, its
// 16 KB of video memory, and the data and control ports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t VRAM_SIZE = 0x4000;
constexpr uint16_t VRAM_MASK = 0x3FFF;
constexpr uint8_t VDP_FRAME_FLAG = 0x80;

struct Vdp {
    uint16_t address;                   // next video-memory address of a data-port access
    uint8_t status;                     // status register; bit 7 is the frame flag
    std::array<uint16_t, 8> registers;  // R0 to R7, 8-bit values in 16-bit slots
    std::array<uint8_t, VRAM_SIZE> vram;
    bool latch_pending;                 // the first of two control bytes has arrived
    uint8_t latch_byte;                 // that first byte
};

extern Vdp g_vdp;

// What the registers hold, as the picture reads them: the mode and sprite
// bits of R0 and R1, and where each table starts.
constexpr uint8_t R0_BITMAP_MODE = 0x02;  // bitmap mode (graphics mode otherwise)
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

// Video memory at any address: the chip only decodes fourteen address bits.
inline uint8_t& vram_at(uint32_t address)
{
    return g_vdp.vram[address & VRAM_MASK];
}

void vdp_reset();
void vdp_write_control(uint8_t byte);
void vdp_write_data(uint8_t byte);
uint8_t vdp_read_data();
uint8_t vdp_read_status();
