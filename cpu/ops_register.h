// Instructions that combine a general source with workspace register D:
// COC, CZC, XOR, MPY and DIV, and LDCR with its bit count. Register D + 1 is
// the word after register D, wrapping from >FFFE to >0000.
#pragma once

#include <cstdint>

#include "cpu/operand_access.h"
#include "cpu/memory.h"
#include "cpu/status.h"

constexpr int32_t COC_CYCLES = 14;
constexpr int32_t CZC_CYCLES = 14;
constexpr int32_t XOR_CYCLES = 14;
constexpr int32_t MPY_CYCLES = 52;
constexpr int32_t DIV_CYCLES = 92;
constexpr int32_t LDCR_CYCLES = 20;

inline Location next_register(Location d)
{
    return static_cast<Location>(d + 2);
}

// EQ: every 1 bit of S is 1 in D.
inline void op_coc(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    st_set_bit(ST_EQ_BIT, (src & ~operand_read_word(d)) == 0);
    g_cycles += COC_CYCLES;
}

// EQ: every 1 bit of S is 0 in D.
inline void op_czc(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    st_set_bit(ST_EQ_BIT, (src & operand_read_word(d)) == 0);
    g_cycles += CZC_CYCLES;
}

inline void op_xor(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    const auto r = static_cast<uint16_t>(operand_read_word(d) ^ src);
    operand_write_word(d, r);
    set_result_flags(r);
    g_cycles += XOR_CYCLES;
}

// D:D+1 = S x D, unsigned; the low word is stored first.
inline void op_mpy(Location s, Location d)
{
    const uint32_t src = operand_read_word(s);
    const uint32_t product = src * operand_read_word(d);
    operand_write_word(next_register(d), static_cast<uint16_t>(product));
    operand_write_word(d, static_cast<uint16_t>(product >> 16));
    g_cycles += MPY_CYCLES;
}

// D = D:D+1 / S, D+1 = remainder. A quotient that would not fit in 16 bits
// (S <= D, division by zero included) only sets OV.
inline void op_div(Location s, Location d)
{
    const uint16_t divisor = operand_read_word(s);
    const uint16_t high = operand_read_word(d);
    g_cycles += DIV_CYCLES;
    if (divisor <= high) {
        st_set_bit(ST_OV_BIT, 1);
        return;
    }
    const uint32_t dividend = uint32_t{high} << 16 | operand_read_word(next_register(d));
    operand_write_word(d, static_cast<uint16_t>(dividend / divisor));
    operand_write_word(next_register(d), static_cast<uint16_t>(dividend % divisor));
    st_set_bit(ST_OV_BIT, 0);
}

// No CRU output lines exist, so LDCR only sets the flags of its whole source
// word, whatever the count, and leaves OP at 0.
inline void op_ldcr(Location s, int /*count*/)
{
    set_result_flags(mem_read_word(s));
    st_set_parity(0);
    g_cycles += LDCR_CYCLES;
}
