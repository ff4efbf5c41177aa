// The instruction set as the assembler sees it: each mnemonic, the shape of
// its operands and the word that its fields are added to.
#pragma once

#include <cstdint>
#include <string_view>

enum class Format {
    TwoOperand,      // MOV  source, destination
    RegisterSource,  // COC  source, Rd
    Xop,             // XOP  source, vector number 0-15
    CruMultiple,     // LDCR source, bit count 0-15
    SingleOperand,   // CLR  operand
    Shift,           // SLA  Rw, count 0-15 (0: count from R0)
    Jump,            // JEQ  target address
    CruBit,          // SBO  displacement -128 to 255
    Immediate,       // LI   Rw, value
    ImmediateOnly,   // LWPI value (also written @value)
    RegisterOnly,    // STST Rw
    NoOperand,       // RTWP
};

struct Opcode {
    std::string_view mnemonic;
    Format format;
    uint16_t base;
};

// The opcode for an upper-case mnemonic, or nullptr.
const Opcode* find_opcode(std::string_view mnemonic);

// How many operands an instruction of the format takes.
int operand_count(Format format);
