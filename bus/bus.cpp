// Address decoding for operand accesses. RAM is tested first: it is where
// nearly every access of a running program goes, and it is silent.
#include "bus/bus.h"

#include "cpu/memory.h"
#include "machine/debugger_record.h"
#include "machine/messages.h"
#include "video/vdp.h"

namespace {

bool is_vdp_port(Location a)
{
    return a == VDP_DATA_PORT || a == VDP_CONTROL_PORT;
}

// Writes into the port window (and the refused ones into ROM) are traced.
bool is_traced_write(Location a)
{
    return a < RAM_START && !is_vdp_port(a) && a != ROM_PORT_WORD;
}

void report_rom_write(Location a)
{
    machine_diagnostic("Write to ROM address 0x%x at PC=0x%04x.\n", a, g_cpu.PC);
}

void trace_word_write(Location a, uint16_t value)
{
    machine_diagnostic("PC:0x%04x 0x%04X = 0x%04x.\n", g_cpu.PC, a, value);
}

void notify_vdp(Location a)
{
    if (a == VDP_CONTROL_PORT) {
        vdp_write_control(g_memory[VDP_CONTROL_PORT]);
    } else if (a == VDP_DATA_PORT) {
        vdp_write_data(g_memory[VDP_DATA_PORT]);
    }
}

}  // namespace

void bus_write_word(Location at, uint16_t value)
{
    const Location a = at & 0xFFFE;
    if (a >= RAM_START) {
        mem_write_word(a, value);
        return;
    }
    if (a >= PORT_WINDOW_START || a == ROM_PORT_WORD) {
        mem_write_word(a, value);
    } else {
        report_rom_write(a);
    }
    if (is_traced_write(a)) {
        trace_word_write(a, value);
    }
    notify_vdp(a);
}

void bus_write_register_word(Location at, uint16_t value)
{
    if (at == ROM_PORT_WORD) {
        mem_write_word(at, value);
        return;
    }
    const Location a = at < ROM_END ? at : ROM1_START;
    report_rom_write(a);
    trace_word_write(a, value);
}

void bus_write_byte(Location at, uint8_t value)
{
    const Location a = at;
    if (a >= RAM_START) {
        g_memory[a] = value;
        return;
    }
    if (a >= PORT_WINDOW_START) {
        g_memory[a] = value;
    } else {
        report_rom_write(a);
        g_debugger.stopped = 1;
        g_debugger.machine_stop = MACHINE_STOP_ROM_WRITE;
    }
    if (is_traced_write(a)) {
        machine_diagnostic("PC:0x%04x 0x%04X = 0x%02x.\n", g_cpu.PC, a, value);
    }
    notify_vdp(a);
}

uint16_t bus_read_word(Location at)
{
    const Location a = at & 0xFFFE;
    if (a >= RAM_START || a < PORT_WINDOW_START) {
        return mem_read_word(a);
    }
    if (a == VDP_DATA_PORT) {
        g_memory[VDP_DATA_PORT] = vdp_read_data();
        return mem_read_word(a);
    }
    if (a == VDP_CONTROL_PORT) {
        g_memory[VDP_CONTROL_PORT] = vdp_read_status();
        return mem_read_word(a);
    }
    mem_write_word(a, 0);
    return 0;
}

uint8_t bus_read_byte(Location at)
{
    const Location a = at;
    if (a >= RAM_START || a < PORT_WINDOW_START) {
        return g_memory[a];
    }
    if (a == VDP_DATA_PORT) {
        g_memory[a] = vdp_read_data();
    } else if (a == VDP_CONTROL_PORT) {
        g_memory[a] = vdp_read_status();
    } else if (a != VDP_DATA_PORT + 1) {
        // No device answers here; the data lines float high.
        machine_diagnostic("Read from other port 0x%04x at PC=0x%04x.\n", a, g_cpu.PC);
        g_memory[a] = 0xFF;
    }
    return g_memory[a];
}
