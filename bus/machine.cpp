#include "bus/machine.h"

#include <array>

#include "cpu/cpu.h"
#include "machine/debugger_record.h"
#include "machine/key_state.h"
#include "video/vdp.h"

namespace {

const std::array<RecordPart, 8> MACHINE_PARTS{{
    {"memory", g_memory.data(), sizeof g_memory},
    {"video chip", &g_vdp, sizeof g_vdp},
    {"processor", &g_cpu, sizeof g_cpu},
    {"cycles", &g_cycles, sizeof g_cycles},
    {"decrementer", &g_decrementer_enabled, sizeof g_decrementer_enabled},
    {"decrementer mode", &g_decrementer_mode, sizeof g_decrementer_mode},
    {"keys", g_keys.data(), sizeof g_keys},
    // The processor runs a service through to its RTWP before the debugger
    // may hold it.
    {"interrupt service", &g_debugger.in_interrupt, sizeof g_debugger.in_interrupt},
}};

}  // namespace

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

std::span<const RecordPart> machine_parts()
{
    return MACHINE_PARTS;
}
