// Expressions in operands and directives: numbers, character constants,
// labels and `$`, combined with unary minus, `*`, `+` and `-`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "tools/asm/lexer.h"

struct Symbol {
    int64_t value;
    int line;  // where it is defined
    int file = 0;
    bool equ = false;       // an EQU name, else a label
    std::size_t order = 0;  // its line's place in reading order
};

using SymbolTable = std::unordered_map<std::string, Symbol>;

// 0 to 15 for a register name R0 to R15 (either case), else -1.
int register_number(std::string_view name);

// Evaluates all of `tokens` as one expression; `here` is the value of `$`.
// False, with the reason in `error`, on bad syntax, an undefined label or an
// intermediate result beyond 32 bits.
bool evaluate(const Tokens& tokens, const SymbolTable& symbols, int64_t here, int64_t& value, std::string& error);
