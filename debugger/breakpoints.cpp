#include "debugger/breakpoints.h"


std::bitset<MEMORY_SIZE> g_breakpoints;

void breakpoint_set(uint16_t address)
{
    g_breakpoints.set(address);
}

void breakpoint_toggle(uint16_t address)
{
    g_breakpoints.flip(address);
}

void breakpoints_clear()
{
    g_breakpoints.reset();
}
