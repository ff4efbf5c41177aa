// The two-operand instructions, in word and byte form. Every operand access
// goes through the bus, in a fixed order: source, destination (except MOV and
// MOVB, which never read it), then the write (except C and CB). The order
// matters because reading a port has side effects.
#pragma once

#include <cstdint>

#include "cpu/operand_access.h"
#include "cpu/status.h"

constexpr int32_t DUAL_OPERAND_CYCLES = 14;

inline void op_szc(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    const auto r = static_cast<uint16_t>(operand_read_word(d) & ~src);
    operand_write_word(d, r);
    set_result_flags(r);
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_szcb(Location s, Location d)
{
    const uint8_t src = operand_read_byte(s);
    const auto r = static_cast<uint8_t>(operand_read_byte(d) & ~src);
    operand_write_byte(d, r);
    set_result_flags_byte(r);
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_s(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    const uint16_t dst = operand_read_word(d);
    operand_write_word(d, subtract_with_flags(src, dst));
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_sb(Location s, Location d)
{
    const uint8_t src = operand_read_byte(s);
    const uint8_t dst = operand_read_byte(d);
    operand_write_byte(d, subtract_byte_with_flags(src, dst));
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_c(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    set_compare_flags(src, operand_read_word(d));
    g_cycles += DUAL_OPERAND_CYCLES;
}

// OP comes from the byte compared against, the destination.
inline void op_cb(Location s, Location d)
{
    const uint8_t src = operand_read_byte(s);
    const uint8_t dst = operand_read_byte(d);
    set_compare_flags_byte(src, dst);
    st_set_parity(dst);
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_a(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    const uint16_t dst = operand_read_word(d);
    operand_write_word(d, add_with_flags(src, dst));
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_ab(Location s, Location d)
{
    const uint8_t src = operand_read_byte(s);
    const uint8_t dst = operand_read_byte(d);
    operand_write_byte(d, add_byte_with_flags(src, dst));
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_mov(Location s, Location d)
{
    const uint16_t r = operand_read_word(s);
    operand_write_word(d, r);
    set_result_flags(r);
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_movb(Location s, Location d)
{
    const uint8_t r = operand_read_byte(s);
    operand_write_byte(d, r);
    set_result_flags_byte(r);
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_soc(Location s, Location d)
{
    const uint16_t src = operand_read_word(s);
    const auto r = static_cast<uint16_t>(operand_read_word(d) | src);
    operand_write_word(d, r);
    set_result_flags(r);
    g_cycles += DUAL_OPERAND_CYCLES;
}

inline void op_socb(Location s, Location d)
{
    const uint8_t src = operand_read_byte(s);
    const auto r = static_cast<uint8_t>(operand_read_byte(d) | src);
    operand_write_byte(d, r);
    set_result_flags_byte(r);
    g_cycles += DUAL_OPERAND_CYCLES;
}
