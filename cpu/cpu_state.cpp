// Creation from the reset vector, the context switch of interrupts, BLWP and
// XOP, the fetch and the once-a-frame decrementer.
#include "cpu/cpu.h"

#include <algorithm>

#include "bus/bus.h"
#include "cpu/addressing.h"
#include "cpu/memory.h"
#include "machine/debugger_record.h"
#include "machine/messages.h"

Cpu g_cpu{};
std::array<uint8_t, MEMORY_SIZE> g_memory{};
int32_t g_cycles = 0;
int32_t g_decrementer_enabled = 0;
int32_t g_decrementer_mode = 0;

namespace {

constexpr uint8_t MEMORY_FILL = 0xCD;
constexpr int32_t INTERRUPT_CYCLES = 26;

}  // namespace

void cpu_create(const std::array<uint8_t, ROM1_SIZE>& rom1, const std::array<uint8_t, ROM2_SIZE>& rom2)
{
    g_memory.fill(MEMORY_FILL);
    std::copy(rom1.begin(), rom1.end(), g_memory.begin());
    std::copy(rom2.begin(), rom2.end(), g_memory.begin() + ROM2_START);
    g_cpu.WP = mem_read_word(RESET_VECTOR);
    g_cpu.PC = mem_read_word(RESET_VECTOR + 2);
    g_cpu.ST = 0;
    cpu_set_workspace(g_cpu.WP);
    machine_message("CPU created....\n WP is 0x%x, PC is 0x%x.\n", g_cpu.WP, g_cpu.PC);
}

// The vector and the saved context are reached straight in the image: no ROM
// protection, no port side effects.
void context_switch(Location vector, uint16_t return_pc)
{
    const uint16_t old_wp = g_cpu.WP;
    const uint16_t old_st = g_cpu.ST;
    g_cpu.WP = mem_read_word(vector);
    g_cpu.PC = mem_read_word(static_cast<Location>(vector + 2));
    cpu_set_workspace(g_cpu.WP);
    reg_write(13, old_wp);
    reg_write(14, return_pc);
    reg_write(15, old_st);
}

void cpu_interrupt(int level)
{
    context_switch(static_cast<Location>(4 * (level & 0xF)), g_cpu.PC);
    g_cycles += INTERRUPT_CYCLES;
    g_debugger.in_interrupt = 1;
}

uint16_t cpu_fetch()
{
    g_cpu.instruction = mem_read_word(g_cpu.PC);
    return g_cpu.instruction;
}

int cpu_interrupt_mask()
{
    return g_cpu.ST & ST_INT_MASK;
}

void cpu_set_workspace(uint16_t wp)
{
    g_cpu.workspace = wp;
    if (wp & 1) {
        g_debugger.stopped = 1;
        g_debugger.machine_stop = MACHINE_STOP_ODD_WORKSPACE;
    }
}

void decrementer_tick()
{
    const uint16_t count = mem_read_word(DECREMENTER_ADDRESS);
    bus_write_word(DECREMENTER_ADDRESS, static_cast<uint16_t>(count - 1));
}
