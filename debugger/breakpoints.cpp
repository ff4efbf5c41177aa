#include "debugger/breakpoints.h"

std::bitset<MEMORY_SIZE> g_breakpoints;
std::bitset<MEMORY_SIZE> g_looked_at;
std::bitset<MEMORY_SIZE> g_return_marks;

void breakpoint_set(uint16_t address)
{
    g_breakpoints.set(address);
    g_looked_at.set(address);
}

void breakpoint_toggle(uint16_t address)
{
    g_breakpoints.flip(address);
    g_looked_at[address] = g_breakpoints[address] || g_return_marks[address];
}

void breakpoints_clear()
{
    g_breakpoints.reset();
    g_looked_at = g_return_marks;
}

void return_address_mark(uint16_t address)
{
    g_return_marks.set(address);
    g_looked_at.set(address);
}
