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
