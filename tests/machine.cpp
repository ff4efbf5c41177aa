#include "machine.h"

#include "cpu/memory.h"
#include "debugger/debugger.h"
#include "shell/events.h"
#include "video/vdp.h"

void reset_machine()
{
    g_memory.fill(0xCD);
    vdp_reset();
    g_vdp.latch_pending = false;
    g_vdp.latch_byte = 0;
    g_debugger.stopped = 0;
    g_debugger.in_interrupt = 0;
    g_debugger.overlay_visible = 0;
    g_keys.fill(0);
    g_shift_held = 0;
    g_quit = 0;
    g_decrementer_enabled = 0;
    g_decrementer_mode = 0;
    g_cycles = 0;
    g_cpu = Cpu{};
    g_cpu.WP = 0xF000;
    g_cpu.workspace = 0xF000;
    g_cpu.PC = 0x0100;
}

void poke_words(Location at, std::initializer_list<uint16_t> words)
{
    for (uint16_t word : words) {
        mem_write_word(at, word);
        at = static_cast<Location>(at + 2);
    }
}
