#include "tools/asm/operands.h"

#include "tools/asm/expression.h"

namespace {

bool tokenize_operand(std::string_view text, Operand& operand, std::string& error)
{
    operand = Operand{};
    operand.text = std::string(text);
    if (text.empty()) {
        error = "bad operand: operand missing";
        return false;
    }
    std::string reason;
    if (!tokenize(text, operand.expression, reason)) {
        error = "bad operand '" + operand.text + "': " + reason;
        return false;
    }
    return true;
}

int token_register(const Token& token)
{
    return token.kind == TokenKind::Identifier ? register_number(token.text) : -1;
}

bool is(const Tokens& tokens, std::size_t i, TokenKind kind)
{
    return i < tokens.size() && tokens[i].kind == kind;
}

}  // namespace

bool parse_general(std::string_view text, Operand& operand, std::string& error)
{
    if (!tokenize_operand(text, operand, error)) {
        return false;
    }
    Tokens& tokens = operand.expression;
    const std::size_t n = tokens.size();
    if (n == 1 && token_register(tokens[0]) >= 0) {
        operand.mode = MODE_REGISTER;
        operand.reg = token_register(tokens[0]);
        tokens.clear();
        return true;
    }
    if ((n == 2 || n == 3) && is(tokens, 0, TokenKind::Star) && token_register(tokens[1]) >= 0 &&
        (n == 2 || is(tokens, 2, TokenKind::Plus))) {
        operand.mode = n == 2 ? MODE_INDIRECT : MODE_AUTOINC;
        operand.reg = token_register(tokens[1]);
        tokens.clear();
        return true;
    }
    if (n >= 2 && is(tokens, 0, TokenKind::At)) {
        operand.mode = MODE_INDEXED;
        tokens.erase(tokens.begin());
        const std::size_t m = tokens.size();
        if (m >= 4 && is(tokens, m - 3, TokenKind::LeftParen) && is(tokens, m - 1, TokenKind::RightParen)) {
            operand.reg = token_register(tokens[m - 2]);
            if (operand.reg <= 0) {
                error = "bad operand '" + operand.text + "': the index register must be R1 to R15";
                return false;
            }
            tokens.resize(m - 3);
        }
        return true;
    }
    error = "bad operand '" + operand.text + "': expected Rn, *Rn, *Rn+, @address or @address(Rn)";
    return false;
}

bool parse_register(std::string_view text, Operand& operand, std::string& error)
{
    if (!tokenize_operand(text, operand, error)) {
        return false;
    }
    const Tokens& tokens = operand.expression;
    if (tokens.size() != 1 || token_register(tokens[0]) < 0) {
        error = "bad operand '" + operand.text + "': expected a register R0 to R15";
        return false;
    }
    operand.reg = token_register(tokens[0]);
    operand.expression.clear();
    return true;
}

bool parse_value(std::string_view text, bool allow_at, Operand& operand, std::string& error)
{
    if (!tokenize_operand(text, operand, error)) {
        return false;
    }
    Tokens& tokens = operand.expression;
    if (allow_at && is(tokens, 0, TokenKind::At)) {
        tokens.erase(tokens.begin());
    }
    if (tokens.empty()) {
        error = "bad operand '" + operand.text + "': value missing";
        return false;
    }
    return true;
}

bool parse_string(std::string_view text, Operand& operand, std::string& error)
{
    if (!tokenize_operand(text, operand, error)) {
        return false;
    }
    if (operand.expression.size() != 1 || operand.expression[0].kind != TokenKind::String) {
        error = "bad operand '" + operand.text + "': expected a quoted string";
        return false;
    }
    return true;
}
