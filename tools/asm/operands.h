// The operands of one statement: parsed in the first pass (which needs only
// their shape to know the statement's size), evaluated in the second.
#pragma once

#include <string>
#include <string_view>

#include "machine/instruction_format.h"
#include "tools/asm/lexer.h"

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
