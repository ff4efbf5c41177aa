// Turns one instruction of the emulated program into a line of assembler
// text: the mnemonic and its operands, without address or instruction words.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cpu/cpu.h"

constexpr std::size_t DISASSEMBLY_BUFFER = 40;  // no line is longer than 29 characters

// Disassembles the instruction word at `instruction_word` into `text`.
// `address` is the instruction's address, used for jump targets; `current` is
// the location of the last word read, normally equal to both on entry.
// Extension words are taken from current + 2 on, and each one read advances
// `address` and `current` by 2 (modulo >10000: an instruction at >FFFE finds
// its extension words at >0000 on). Returns the number of extension words
// read (0, 1 or 2). Memory is read straight from the image, never through the
// bus, so nothing in the machine changes.
int disassemble(Location instruction_word, char (&text)[DISASSEMBLY_BUFFER], uint16_t& address, Location& current);
