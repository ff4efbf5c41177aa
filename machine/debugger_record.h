// The debugger's record, as data. The overlay owns it, but the machine sets
// its hold flags: a byte written into ROM and an odd workspace pointer stop
// the processor, and an interrupt marks its service until the RTWP that ends
// it. So the record lives here, where the machine can reach it.
#pragma once

#include <array>
#include <cstdint>

#include "machine/memory_map.h"

constexpr int TEXT_COLUMNS = 40;
constexpr int TEXT_ROWS = 24;

struct Debugger {
    int32_t stopped;          // the debugger holds the processor
    int32_t in_interrupt;     // an interrupt was taken and its RTWP not yet executed
    int32_t overlay_visible;  // the overlay is on screen
    int32_t show_vdp_memory;  // 0: CPU view, 1: VDP view
    int32_t dump_address;     // first address of the memory dump of the view shown
    int32_t saved_cpu_address;
    int32_t saved_vdp_address;
    std::array<uint8_t, TEXT_COLUMNS * TEXT_ROWS> text_grid;
    int32_t machine_stop;     // why the machine itself last set `stopped` (a MachineStop)
    int32_t hold_here;        // the debugger's own stop: held where it stands, inside a service too
};

// The machine's own reasons to stop the processor, which it notes beside
// `stopped` for the debugger to tell.
enum MachineStop : int32_t {
    MACHINE_STOP_NONE = 0,
    MACHINE_STOP_ROM_WRITE = 1,      // a byte written into ROM
    MACHINE_STOP_ODD_WORKSPACE = 2,  // a workspace pointer made odd
};

// The overlay starts in its processor view with the dump in RAM, but not yet
// built: debugger_init switches to that view once.
constexpr Debugger DEBUGGER_START{0, 0, 0, 1, 0, RAM_START, 0, {}, MACHINE_STOP_NONE, 0};

extern Debugger g_debugger;

// The processor stands still: stopped, and not running an interrupt service
// on to its RTWP. A stop of the machine's own (a byte written into ROM, an
// odd workspace pointer) or of the stop key waits for the service in
// progress to return; a breakpoint, a watchpoint or the end of a step over
// holds the processor where it stands (`hold_here`).
inline bool processor_held()
{
    return g_debugger.stopped != 0 && (g_debugger.in_interrupt == 0 || g_debugger.hold_here != 0);
}
