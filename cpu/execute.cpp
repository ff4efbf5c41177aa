// One instruction: one look-up in the opcode map and one call. The word
// chooses the decoder and hands it the fields.
#include "cpu/cpu.h"
#include "cpu/opcode_map.h"

void cpu_execute(uint16_t op)
{
    OPCODE_MAP[op](op);
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + 2);
}
