#include "tools/asm/expression.h"

namespace {

constexpr int64_t RESULT_LIMIT = int64_t{1} << 32;
constexpr int MAX_SIGNS = 64;  // unary signs in a row: each one nests a call

// Recursive descent over the tokens: `*` binds tighter than `+` and `-`.
struct Parser {
    const Tokens& tokens;
    const SymbolTable& symbols;
    int64_t here;
    std::size_t next = 0;
    std::string error;
    int signs = 0;

    bool at(TokenKind kind) const { return next < tokens.size() && tokens[next].kind == kind; }

    bool fail(std::string message)
    {
        if (error.empty()) {
            error = std::move(message);
        }
        return false;
    }

    bool check_range(int64_t value)
    {
        return (value < RESULT_LIMIT && value > -RESULT_LIMIT) || fail("value out of range: result too large");
    }

    bool primary(int64_t& value)
    {
        if (next >= tokens.size()) {
            return fail("bad expression: value missing");
        }
        const Token& token = tokens[next++];
        switch (token.kind) {
        case TokenKind::Number:
            value = token.value;
            return true;
        case TokenKind::Dollar:
            value = here;
            return true;
        case TokenKind::String:
            if (token.text.size() != 1) {
                return fail("bad expression: a character constant holds one character");
            }
            value = static_cast<unsigned char>(token.text[0]);
            return true;
        case TokenKind::Identifier: {
            if (register_number(token.text) >= 0) {
                return fail("bad expression: register " + token.text + " where a value is expected");
            }
            const auto found = symbols.find(token.text);
            if (found == symbols.end()) {
                return fail("undefined label '" + token.text + "'");
            }
            value = found->second.value;
            return true;
        }
        default:
            return fail("bad expression: unexpected '" + token.text + "'");
        }
    }

    bool unary(int64_t& value)
    {
        if (at(TokenKind::Minus) || at(TokenKind::Plus)) {
            if (++signs > MAX_SIGNS) {
                return fail("bad expression: more than " + std::to_string(MAX_SIGNS) + " signs in a row");
            }
            const bool negate = tokens[next++].kind == TokenKind::Minus;
            if (!unary(value)) {
                return false;
            }
            value = negate ? -value : value;
            return true;
        }
        signs = 0;
        return primary(value);
    }

    bool product(int64_t& value)
    {
        if (!unary(value)) {
            return false;
        }
        while (at(TokenKind::Star)) {
            ++next;
            int64_t factor = 0;
            if (!unary(factor)) {
                return false;
            }
            if (__builtin_mul_overflow(value, factor, &value) || !check_range(value)) {
                return fail("value out of range: result too large");
            }
        }
        return true;
    }

    bool sum(int64_t& value)
    {
        if (!product(value)) {
            return false;
        }
        while (at(TokenKind::Plus) || at(TokenKind::Minus)) {
            const bool add = tokens[next++].kind == TokenKind::Plus;
            int64_t term = 0;
            if (!product(term)) {
                return false;
            }
            value = add ? value + term : value - term;
            if (!check_range(value)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

int register_number(std::string_view name)
{
    if (name.size() < 2 || name.size() > 3 || (name[0] != 'R' && name[0] != 'r')) {
        return -1;
    }
    int number = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -1;
        }
        number = number * 10 + (name[i] - '0');
    }
    if (number > 15 || (name.size() == 3 && name[1] == '0')) {
        return -1;
    }
    return number;
}

bool evaluate(const Tokens& tokens, const SymbolTable& symbols, int64_t here, int64_t& value, std::string& error)
{
    Parser parser{tokens, symbols, here, 0, {}};
    if (tokens.empty()) {
        error = "bad expression: value missing";
        return false;
    }
    if (!parser.sum(value)) {
        error = parser.error;
        return false;
    }
    if (parser.next < tokens.size()) {
        error = "bad expression: unexpected '" + tokens[parser.next].text + "'";
        return false;
    }
    return true;
}
