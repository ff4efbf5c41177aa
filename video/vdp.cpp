// The VDP's processor-facing side: the control port's two-byte protocol, the
// auto-incrementing data port and the status read.
#include "video/vdp.h"

#include "machine/messages.h"

Vdp g_vdp{};

namespace {

constexpr uint8_t VRAM_FILL = 0xCD;
constexpr uint8_t COMMAND_MASK = 0xC0;
constexpr uint8_t COMMAND_READ_SETUP = 0x00;
constexpr uint8_t COMMAND_WRITE_SETUP = 0x40;
constexpr uint8_t COMMAND_REGISTER = 0x80;

}  // namespace

void vdp_reset()
{
    g_vdp.registers.fill(0);
    g_vdp.address = 0;
    g_vdp.status = 0;
    g_vdp.vram.fill(VRAM_FILL);
}

// Control bytes come in pairs: a data byte, then a command byte whose top two
// bits say what to do with it.
void vdp_write_control(uint8_t byte)
{
    if (!g_vdp.latch_pending) {
        g_vdp.latch_byte = byte;
        g_vdp.latch_pending = true;
        return;
    }
    switch (byte & COMMAND_MASK) {
    case COMMAND_READ_SETUP:
    case COMMAND_WRITE_SETUP:
        g_vdp.address = static_cast<uint16_t>((byte & 0x3F) * 256 + g_vdp.latch_byte);
        g_vdp.latch_pending = false;
        break;
    case COMMAND_REGISTER:
        g_vdp.registers[byte & 7] = g_vdp.latch_byte;
        g_vdp.latch_pending = false;
        break;
    default:
        machine_message("Eek! Invalid mode writing to VDP.\n");
        break;
    }
}

void vdp_write_data(uint8_t byte)
{
    vram_at(g_vdp.address) = byte;
    ++g_vdp.address;
}

uint8_t vdp_read_data()
{
    const uint8_t byte = vram_at(g_vdp.address);
    ++g_vdp.address;
    return byte;
}

uint8_t vdp_read_status()
{
    g_vdp.status |= VDP_FRAME_FLAG;
    return g_vdp.status;
}
