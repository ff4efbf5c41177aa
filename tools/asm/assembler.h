// A two-pass assembler for the machine's processor. Source lines read
//
//     label:  MNEMONIC  operand, operand   ; comment
//
// Everything it produces is collected in a Program: the bytes placed in the
// address space, and the errors with their source lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machine/memory_map.h"  // code and data must lie below ROM_END
#include "tools/asm/expression.h"

// Bytes placed from `start` on by the statement on `line`.
struct Segment {
    uint16_t start;
    int line;
    std::vector<uint8_t> bytes;
};

struct Diagnostic {
    int line;
    std::string message;
};

struct Program {
    std::string file;
    std::vector<Segment> segments;
    std::vector<Diagnostic> errors;  // in line order; the program is usable only when empty
    SymbolTable symbols;
};

Program assemble(std::string_view source, std::string_view file_name);

// "file:line: error: message"
std::string format_diagnostic(const Program& program, const Diagnostic& diagnostic);
