// The operands of one statement: parsed in the first pass (which needs only
// their shape to know the statement's size), evaluated in the second.
#pragma once

#include <string>
#include <string_view>

#include "tools/asm/lexer.h"

// Addressing modes of a general operand, as encoded in its 2-bit field.
constexpr int MODE_REGISTER = 0;   // Rn
constexpr int MODE_INDIRECT = 1;   // *Rn
constexpr int MODE_SYMBOLIC = 2;   // @address, @address(Rn)
constexpr int MODE_INCREMENT = 3;  // *Rn+

struct Operand {
    std::string text;  // as written, for messages
    int mode = MODE_REGISTER;
    int reg = 0;
    Tokens expression;  // the address of a symbolic operand, or a plain value
};

// Rn, *Rn, *Rn+, @address or @address(Rn).
bool parse_general(std::string_view text, Operand& operand, std::string& error);

// A register R0 to R15.
bool parse_register(std::string_view text, Operand& operand, std::string& error);

// An expression; with `allow_at`, an '@' in front of it is accepted and
// dropped (the debugger shows LWPI and LIMI operands that way).
bool parse_value(std::string_view text, bool allow_at, Operand& operand, std::string& error);

// A quoted string, whose characters end up in `expression`'s one token.
bool parse_string(std::string_view text, Operand& operand, std::string& error);
