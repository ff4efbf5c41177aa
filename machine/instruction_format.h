// Where an instruction word keeps its fields. The processor takes them
// apart, the disassembler reads them and the assembler puts them together,
// all from the definitions here.
#pragma once

#include <cstdint>

// The modes of a general operand: the two-bit T field beside its register.
constexpr int MODE_REGISTER = 0;  // Rn
constexpr int MODE_INDIRECT = 1;  // *Rn
constexpr int MODE_INDEXED = 2;   // @A or @A(Rn); takes an extension word
constexpr int MODE_AUTOINC = 3;   // *Rn+

// Source (S, Ts) in bits 5 to 0, destination (D, Td) in bits 11 to 6. The
// destination's register field also holds a register number, a CRU bit
// count or an XOP number, and the source's register field the W register.
constexpr int source_register(uint16_t op) { return op & 0xF; }
constexpr int source_mode(uint16_t op) { return (op >> 4) & 3; }
constexpr int destination_register(uint16_t op) { return (op >> 6) & 0xF; }
constexpr int destination_mode(uint16_t op) { return (op >> 10) & 3; }
constexpr int shift_count_field(uint16_t op) { return (op >> 4) & 0xF; }
constexpr int displacement(uint16_t op) { return static_cast<int8_t>(op & 0xFF); }

// The six bits of a general operand, as they stand in the source field.
constexpr uint16_t operand_field(int mode, int reg)
{
    return static_cast<uint16_t>((mode & 3) << 4 | (reg & 0xF));
}

// A source-field value moved to the destination field (also for a register
// number, a count or an XOP number in the low four bits).
constexpr uint16_t destination_field(uint16_t field)
{
    return static_cast<uint16_t>((field & 0x3F) << 6);
}

// A shift count in bits 7 to 4.
constexpr uint16_t shift_count_bits(int count)
{
    return static_cast<uint16_t>((count & 0xF) << 4);
}
