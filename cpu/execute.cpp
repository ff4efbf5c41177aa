// Placeholder until the instruction set lands: every word is skipped.
#include "cpu/cpu.h"

void cpu_execute(uint16_t)
{
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + 2);
    g_cycles += 14;
}
