// Turns one instruction of the emulated program into a line of assembler text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cpu/cpu.h"

constexpr std::size_t DISASSEMBLY_BUFFER = 40;  // no line is longer than 29 characters

// Disassembles the instruction at `current` (whose address is `address`) into
// `text`. Each extension word read advances both `address` and `current` by 2.
void disassemble(Location instruction_word, char (&text)[DISASSEMBLY_BUFFER], uint16_t& address, Location& current);
