// Splits one source line into its fields and cuts the operand field into
// tokens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The fields of a line: `label:  MNEMONIC  operands  ; comment`.
struct LineFields {
    std::string label;     // empty when the line defines none
    std::string mnemonic;  // as written; empty for a blank or label-only line
    std::string operands;  // the rest, comment removed
};

enum class TokenKind { Number, Identifier, String, Dollar, Plus, Minus, Star, At, LeftParen, RightParen };

struct Token {
    TokenKind kind;
    std::string text;   // identifier name, string contents, or the character itself
    int64_t value = 0;  // for numbers
};

using Tokens = std::vector<Token>;

// False, with the reason in `error`, when the line cannot be split (a label
// that is not a valid name, a string that never ends).
bool split_line(std::string_view line, LineFields& fields, std::string& error);

// False, with the reason in `error`, on a character that starts no token or a
// malformed number or string.
bool tokenize(std::string_view text, Tokens& tokens, std::string& error);

// Cuts an operand field at the commas outside quotes, each operand trimmed.
// An empty field gives no operand.
std::vector<std::string> split_operands(std::string_view field);

std::string upper_case(std::string_view text);
