// The workspace registers and the general operand modes. The registers are
// sixteen words of memory from WP on, reached straight in the image (no port
// side effects). Locations are 16-bit, so every address sum here wraps
// modulo >10000.
#pragma once

#include <array>
#include <cstdint>

#include "bus/bus.h"
#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "machine/instruction_format.h"

inline Location reg_ptr(int n)
{
    return static_cast<Location>(g_cpu.WP + 2 * n);
}

inline uint16_t reg_read(int n)
{
    return mem_read_word(reg_ptr(n));
}

// A register's word reaches ROM when it starts below >C000, or at >FFFF,
// from where it wraps round to >0000 (a workspace in ROM, or one running past
// the top of memory). The bus refuses and reports that write as it does an
// operand's; every other register write goes straight into the image.
inline void register_write_word(Location at, uint16_t value)
{
    if (static_cast<Location>(at + 1) <= ROM_END) [[unlikely]] {
        bus_write_register_word(at, value);
        return;
    }
    mem_write_word(at, value);
}

inline void reg_write(int n, uint16_t value)
{
    register_write_word(reg_ptr(n), value);
}

// The word after the instruction (or after the extension word already used).
inline uint16_t next_word()
{
    return mem_read_word(static_cast<Location>(g_cpu.PC + 2));
}

// @A(Rn), or @A when R is 0; callers keep the low 16 bits.
inline int indexed_address(int r)
{
    return (r == 0 ? 0 : reg_read(r)) + next_word();
}

// Cycles each mode adds, for word and for byte operands.
constexpr std::array<int32_t, 4> WORD_ADDRESSING_CYCLES = {0, 4, 8, 8};
constexpr std::array<int32_t, 4> BYTE_ADDRESSING_CYCLES = {0, 4, 6, 8};

inline Location operand_indirect_word(int r)
{
    return static_cast<Location>(reg_read(r) & 0xFFFE);
}

inline Location operand_indirect_byte(int r)
{
    return reg_read(r);
}

inline Location operand_indexed_word(int r)
{
    return static_cast<Location>(indexed_address(r) & 0xFFFE);
}

inline Location operand_indexed_byte(int r)
{
    return static_cast<Location>(indexed_address(r));
}

inline Location operand_autoinc_word(int r)
{
    const uint16_t v = reg_read(r);
    reg_write(r, static_cast<uint16_t>(v + 2));
    return static_cast<Location>(v & 0xFFFE);
}

inline Location operand_autoinc_byte(int r)
{
    const uint16_t v = reg_read(r);
    reg_write(r, static_cast<uint16_t>(v + 1));
    return v;
}

// Turns operand field (Mode, r) into a location and charges the mode's cycles.
// Word operands reached through memory lie at even addresses; a register
// operand is the register's own location, even or not.
template <int Mode, bool Byte>
Location resolve_operand(int r)
{
    g_cycles += Byte ? BYTE_ADDRESSING_CYCLES[Mode] : WORD_ADDRESSING_CYCLES[Mode];
    if constexpr (Mode == MODE_REGISTER) {
        return reg_ptr(r);
    } else if constexpr (Mode == MODE_INDIRECT) {
        return Byte ? operand_indirect_byte(r) : operand_indirect_word(r);
    } else if constexpr (Mode == MODE_INDEXED) {
        return Byte ? operand_indexed_byte(r) : operand_indexed_word(r);
    } else {
        return Byte ? operand_autoinc_byte(r) : operand_autoinc_word(r);
    }
}
