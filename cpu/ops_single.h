// Single-operand instructions: branches and context switches, X, and the
// arithmetic on one word. The arithmetic ones read their operand straight
// from the image and write the result through the bus; CLR only writes
// through the bus; SETO and SWPB work in the image and so change even ROM,
// except in a register, which no write changes in ROM.
#pragma once

#include <cstdint>

#include "cpu/operand_access.h"
#include "cpu/addressing.h"
#include "cpu/status.h"

constexpr int32_t BLWP_CYCLES = 26;
constexpr int32_t B_CYCLES = 8;
constexpr int32_t X_CYCLES = 8;
constexpr int32_t CLR_CYCLES = 10;
constexpr int32_t NEG_CYCLES = 12;
constexpr int32_t INV_CYCLES = 10;
constexpr int32_t INC_CYCLES = 10;
constexpr int32_t DEC_CYCLES = 10;
constexpr int32_t BL_CYCLES = 12;
constexpr int32_t SWPB_CYCLES = 10;
constexpr int32_t SETO_CYCLES = 10;
constexpr int32_t ABS_CYCLES = 12;
constexpr int32_t ABS_NEGATIVE_CYCLES = 14;
constexpr int32_t DIVS_CYCLES = 52;
constexpr int32_t MPYS_CYCLES = 16;

// Executions of X may nest (X of an X); past this depth the innermost one is
// abandoned, so no emulated program can exhaust the host's stack.
constexpr int MAX_X_DEPTH = 16;

// Context switch through the vector at d; RTWP returns after the BLWP.
inline void op_blwp(Location d)
{
    context_switch(d, static_cast<uint16_t>(g_cpu.PC + 2));
    g_cycles += BLWP_CYCLES;
}

inline void op_b(uint16_t target)
{
    g_cpu.PC = target;
    g_cycles += B_CYCLES;
}

inline void op_bl(uint16_t target)
{
    reg_write(11, static_cast<uint16_t>(g_cpu.PC + 2));
    g_cpu.PC = target;
    g_cycles += BL_CYCLES;
}

// Executes the word at d as if it had been fetched; its extension words
// follow those of the X.
void op_x(Location d);

inline void op_clr(Location d)
{
    operand_write_word(d, 0);
    g_cycles += CLR_CYCLES;
}

// The image writes of SETO and SWPB: an operand in register mode is written
// as every register is.
template <bool Register>
void write_in_image(Location d, uint16_t value)
{
    if constexpr (Register) {
        register_write_word(d, value);
    } else {
        mem_write_word(d, value);
    }
}

template <bool Register>
void op_seto(Location d)
{
    write_in_image<Register>(d, 0xFFFF);
    g_cycles += SETO_CYCLES;
}

template <bool Register>
void op_swpb(Location d)
{
    uint16_t v = mem_read_word(d);
    write_in_image<Register>(d, swap_word(&v));
    g_cycles += SWPB_CYCLES;
}

inline void op_inv(Location d)
{
    const auto r = static_cast<uint16_t>(~mem_read_word(d));
    set_result_flags(r);
    operand_write_word(d, r);
    g_cycles += INV_CYCLES;
}

// NEG and ABS overflow only on >8000, whose negation does not fit.
inline void write_negation_result(Location d, uint16_t r)
{
    set_result_flags(r);
    st_set_bit(ST_OV_BIT, r == 0x8000);
    operand_write_word(d, r);
}

inline void op_neg(Location d)
{
    write_negation_result(d, static_cast<uint16_t>(-mem_read_word(d)));
    g_cycles += NEG_CYCLES;
}

// The value is written back even when it was already positive.
inline void op_abs(Location d)
{
    const uint16_t v = mem_read_word(d);
    const bool negative = (v & 0x8000) != 0;
    write_negation_result(d, negative ? static_cast<uint16_t>(-v) : v);
    g_cycles += negative ? ABS_NEGATIVE_CYCLES : ABS_CYCLES;
}

inline void add_to_operand(Location d, uint16_t amount)
{
    operand_write_word(d, add_with_flags(amount, mem_read_word(d)));
    g_cycles += INC_CYCLES;
}

inline void subtract_from_operand(Location d, uint16_t amount)
{
    operand_write_word(d, subtract_with_flags(amount, mem_read_word(d)));
    g_cycles += DEC_CYCLES;
}

inline void op_inc(Location d) { add_to_operand(d, 1); }
inline void op_inct(Location d) { add_to_operand(d, 2); }
inline void op_dec(Location d) { subtract_from_operand(d, 1); }
inline void op_dect(Location d) { subtract_from_operand(d, 2); }

// The signed multiply and divide are not provided: the codes only resolve
// their operand and take their time.
inline void op_divs(Location /*s*/)
{
    g_cycles += DIVS_CYCLES;
}

inline void op_mpys(Location /*s*/)
{
    g_cycles += MPYS_CYCLES;
}
