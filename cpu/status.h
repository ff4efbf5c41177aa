// The status register's condition bits and the flag rules that instructions
// apply to their results. Bits are numbered as the processor numbers them:
// bit 0 is the most significant (>8000).
#pragma once

#include <cstdint>

#include "cpu/cpu.h"

constexpr int ST_LGT_BIT = 0;
constexpr int ST_AGT_BIT = 1;
constexpr int ST_EQ_BIT = 2;
constexpr int ST_C_BIT = 3;
constexpr int ST_OV_BIT = 4;
constexpr int ST_OP_BIT = 5;
constexpr int ST_X_BIT = 6;

// Sets (flag non-zero) or clears one bit of ST; the others keep their values.
inline void st_set_bit(int bit, int flag)
{
    const auto mask = static_cast<uint16_t>(1u << (15 - bit));
    g_cpu.ST = static_cast<uint16_t>((g_cpu.ST & ~mask) | (flag ? mask : 0));
}

inline int st_get_bit(int bit)
{
    return (g_cpu.ST >> (15 - bit)) & 1;
}

// OP is set when the low byte of `value` has an odd number of 1 bits.
inline void st_set_parity(int value)
{
    unsigned v = static_cast<unsigned>(value) & 0xFF;
    v ^= v >> 4;
    v ^= v >> 2;
    v ^= v >> 1;
    st_set_bit(ST_OP_BIT, static_cast<int>(v & 1));
}

// L>, A> and EQ of a word result: A> means greater than 0 as a signed number.
inline void set_result_flags(uint16_t r)
{
    st_set_bit(ST_LGT_BIT, r != 0);
    st_set_bit(ST_AGT_BIT, static_cast<int16_t>(r) > 0);
    st_set_bit(ST_EQ_BIT, r == 0);
}

// The same for a byte result, which also sets OP from its parity.
inline void set_result_flags_byte(uint8_t r)
{
    st_set_bit(ST_LGT_BIT, r != 0);
    st_set_bit(ST_AGT_BIT, static_cast<int8_t>(r) > 0);
    st_set_bit(ST_EQ_BIT, r == 0);
    st_set_parity(r);
}

// Comparison of a first operand s with a second operand d.
inline void set_compare_flags(uint16_t s, uint16_t d)
{
    st_set_bit(ST_LGT_BIT, s > d);
    st_set_bit(ST_AGT_BIT, static_cast<int16_t>(s) > static_cast<int16_t>(d));
    st_set_bit(ST_EQ_BIT, s == d);
}

inline void set_compare_flags_byte(uint8_t s, uint8_t d)
{
    st_set_bit(ST_LGT_BIT, s > d);
    st_set_bit(ST_AGT_BIT, static_cast<int8_t>(s) > static_cast<int8_t>(d));
    st_set_bit(ST_EQ_BIT, s == d);
}

// Overflow of d + s = r: both operands share a sign and the result lacks it.
// `sign` is >8000 for words and >80 for bytes.
constexpr bool add_overflows(unsigned s, unsigned d, unsigned r, unsigned sign)
{
    return (~(s ^ d) & (r ^ d) & sign) != 0;
}

// Overflow of d - s = r: the operands' signs differ and the result's sign
// differs from d's.
constexpr bool sub_overflows(unsigned s, unsigned d, unsigned r, unsigned sign)
{
    return ((s ^ d) & (r ^ d) & sign) != 0;
}

// d + s, setting the result flags, C (carry out of the top bit) and OV.
inline uint16_t add_with_flags(uint16_t s, uint16_t d)
{
    const uint32_t sum = uint32_t{d} + s;
    const auto r = static_cast<uint16_t>(sum);
    set_result_flags(r);
    st_set_bit(ST_C_BIT, sum > 0xFFFF);
    st_set_bit(ST_OV_BIT, add_overflows(s, d, r, 0x8000));
    return r;
}

inline uint8_t add_byte_with_flags(uint8_t s, uint8_t d)
{
    const unsigned sum = unsigned{d} + s;
    const auto r = static_cast<uint8_t>(sum);
    set_result_flags_byte(r);
    st_set_bit(ST_C_BIT, sum > 0xFF);
    st_set_bit(ST_OV_BIT, add_overflows(s, d, r, 0x80));
    return r;
}

// d - s, setting the result flags, C (no borrow) and OV.
inline uint16_t subtract_with_flags(uint16_t s, uint16_t d)
{
    const auto r = static_cast<uint16_t>(d - s);
    set_result_flags(r);
    st_set_bit(ST_C_BIT, d >= s);
    st_set_bit(ST_OV_BIT, sub_overflows(s, d, r, 0x8000));
    return r;
}

inline uint8_t subtract_byte_with_flags(uint8_t s, uint8_t d)
{
    const auto r = static_cast<uint8_t>(d - s);
    set_result_flags_byte(r);
    st_set_bit(ST_C_BIT, d >= s);
    st_set_bit(ST_OV_BIT, sub_overflows(s, d, r, 0x80));
    return r;
}
