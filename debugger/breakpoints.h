// Breakpoints: addresses at which the processor stops in the debugger before
// it executes the instruction there. Set them through debug_hooks.h, which
// then knows that they are in use.
#pragma once

#include <bitset>
#include <cstdint>

#include "machine/memory_map.h"

// One bit per address, tested before every instruction while any is set.
extern std::bitset<MEMORY_SIZE> g_breakpoints;

// Where the checks' quick path hands over to the slow one: every
// breakpoint, and every address that a call of the call stack returns to.
// One bit test before each instruction finds both.
extern std::bitset<MEMORY_SIZE> g_looked_at;

inline bool breakpoint_at(uint16_t address)
{
    return g_breakpoints.test(address);
}

inline bool looked_at(uint16_t address)
{
    return g_looked_at.test(address);
}

void breakpoint_set(uint16_t address);

// Sets a breakpoint where there is none and removes the one there is.
void breakpoint_toggle(uint16_t address);

void breakpoints_clear();

// The addresses that calls return to. A mark stays for good, so that a call
// stack put back from the kept past still finds its returns; a mark that no
// frame needs any more costs only a look at the call stack there.
extern std::bitset<MEMORY_SIZE> g_return_marks;

inline bool return_address_marked(uint16_t address)
{
    return g_return_marks.test(address);
}

void return_address_mark(uint16_t address);
