#include "machine.h"

#include "bus/machine.h"
#include "cpu/memory.h"
#include "video/vdp.h"

void reset_machine()
{
    machine_reset();
    g_memory.fill(0xCD);  // as cpu_create leaves every byte no image covers
    vdp_reset();          // as the window's opening leaves the video chip
    g_cpu.WP = 0xF000;
    cpu_set_workspace(g_cpu.WP);
    g_cpu.PC = 0x0100;
}

void poke_words(Location at, std::initializer_list<uint16_t> words)
{
    for (uint16_t word : words) {
        mem_write_word(at, word);
        at = static_cast<Location>(at + 2);
    }
}
