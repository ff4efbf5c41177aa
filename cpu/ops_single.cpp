#include "cpu/ops_single.h"

namespace {

int x_depth = 0;  // X instructions whose executed word is still running

}  // namespace

// While the executed word runs, PC holds the address of the X's last word, so
// that word takes its extension words (and a jump its base) from after the X.
// cpu_execute advances PC past the executed word; that advance is undone here
// because the X's own decoder advances it once more.
void op_x(Location d)
{
    if (x_depth == MAX_X_DEPTH) {
        return;
    }
    g_cpu.instruction = mem_read_word(d);
    ++x_depth;
    cpu_execute(g_cpu.instruction);
    --x_depth;
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC - 2);
    g_cycles += X_CYCLES;
}
