#include "debugger/breakpoints.h"

#include "debugger/debug_hooks.h"

std::bitset<MEMORY_SIZE> g_breakpoints;

void breakpoint_set(uint16_t address)
{
    g_breakpoints.set(address);
    debug_hooks_update();
}

void breakpoint_toggle(uint16_t address)
{
    g_breakpoints.flip(address);
    debug_hooks_update();
}

void breakpoints_clear()
{
    g_breakpoints.reset();
    debug_hooks_update();
}
