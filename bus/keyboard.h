// The emulated keyboard: an 8 by 8 matrix whose rows STCR reads on the CRU,
// with R12 holding the row's base address (>EC00 to >EC70).
#pragma once

#include <cstdint>

#include "cpu/cpu.h"

constexpr int32_t STCR_CYCLES = 42;

// STCR: stores up to eight CRU bits as a byte at `location`. A row base in R12
// gives that row's keys; any other address reads `count` one-bits. A count
// above 8 transfers nothing.
void op_stcr(Location location, int count);
