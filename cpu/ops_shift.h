// The shifts of register W by a count of 1 to 16. The register is read
// straight from the image and the result written back through the bus.
// C is always the last bit shifted out.
#pragma once

#include <cstdint>

#include "cpu/operand_access.h"
#include "cpu/addressing.h"
#include "cpu/status.h"

constexpr int32_t SHIFT_CYCLES = 12;
constexpr int32_t SHIFT_CYCLES_PER_BIT = 2;

inline void finish_shift(int w, int count, uint16_t r, unsigned carry)
{
    set_result_flags(r);
    st_set_bit(ST_C_BIT, static_cast<int>(carry & 1));
    operand_write_word(reg_ptr(w), r);
    g_cycles += SHIFT_CYCLES + SHIFT_CYCLES_PER_BIT * count;
}

// The sign bit fills the vacated bits.
inline void op_sra(int w, int count)
{
    const uint16_t v = reg_read(w);
    const auto r = static_cast<uint16_t>(static_cast<int16_t>(v) >> count);
    finish_shift(w, count, r, v >> (count - 1));
}

inline void op_srl(int w, int count)
{
    const uint16_t v = reg_read(w);
    finish_shift(w, count, static_cast<uint16_t>(v >> count), v >> (count - 1));
}

// OV compares only the sign before and after, not each step of the shift.
inline void op_sla(int w, int count)
{
    const uint16_t v = reg_read(w);
    const auto r = static_cast<uint16_t>(uint32_t{v} << count);
    st_set_bit(ST_OV_BIT, ((r ^ v) & 0x8000) != 0);
    finish_shift(w, count, r, v >> (16 - count));
}

inline void op_src(int w, int count)
{
    const uint16_t v = reg_read(w);
    const auto r = static_cast<uint16_t>(v >> count | uint32_t{v} << (16 - count));
    finish_shift(w, count, r, v >> (count - 1));
}
