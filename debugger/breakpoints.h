// Breakpoints: addresses at which the processor stops in the debugger before
// it executes the instruction there. Set them through debug_hooks.h, which
// then knows that they are in use.
#pragma once

#include <bitset>
#include <cstdint>

#include "machine/memory_map.h"

// One bit per address, tested before every instruction while any is set.
extern std::bitset<MEMORY_SIZE> g_breakpoints;

inline bool breakpoint_at(uint16_t address)
{
    return g_breakpoints.test(address);
}

void breakpoint_set(uint16_t address);

// Sets a breakpoint where there is none and removes the one there is.
void breakpoint_toggle(uint16_t address);

void breakpoints_clear();
