#include "bus/machine.h"

#include "cpu/cpu.h"
#include "machine/debugger_record.h"
#include "machine/key_state.h"
#include "video/vdp.h"

void machine_reset()
{
    g_memory.fill(0);
    g_cpu = Cpu{};
    g_cycles = 0;
    g_decrementer_enabled = 0;
    g_decrementer_mode = 0;
    g_vdp = Vdp{};
    g_keys.fill(0);
    g_debugger = DEBUGGER_START;
}
