// Helpers for processor tests: registers of the workspace at >F000, and
// instructions placed at PC and executed as the frame loop does.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "machine.h"

constexpr Location TEST_WP = 0xF000;

inline uint16_t reg(int n)
{
    return mem_read_word(static_cast<Location>(g_cpu.WP + 2 * n));
}

inline void set_reg(int n, uint16_t value)
{
    mem_write_word(static_cast<Location>(g_cpu.WP + 2 * n), value);
}

inline void step()
{
    cpu_execute(cpu_fetch());
}

// Places the words at PC and executes the first.
inline void run(std::initializer_list<uint16_t> words)
{
    poke_words(g_cpu.PC, words);
    step();
}

// The condition bits L> A> EQ C OV OP, for comparing in tables.
constexpr uint16_t FLAG_BITS = ST_LGT | ST_AGT | ST_EQ | ST_C | ST_OV | ST_OP;

inline uint16_t flags()
{
    return g_cpu.ST & FLAG_BITS;
}
