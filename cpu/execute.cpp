// One instruction: one look-up in the opcode map and one call. The word
// chooses the decoder; the decoder reads its fields from `instruction`, which
// every caller has set to the same word.
#include "cpu/cpu.h"
#include "cpu/opcode_map.h"

void cpu_execute(uint16_t op)
{
    OPCODE_MAP[op](g_cpu.instruction);
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + 2);
}
