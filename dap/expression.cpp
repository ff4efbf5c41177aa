#include "dap/expression.h"

#include <array>
#include <cctype>
#include <cstdint>

#include "dap/names.h"
#include "isa/numbers.h"

namespace {

constexpr int DEEPEST_NESTING = 64;
constexpr uint64_t LARGEST_NUMBER = 0xFFFFFFFF;

enum class Operator : uint8_t { OR, AND, EQ, NE, LE, GE, LT, GT, BIT_OR, BIT_XOR, BIT_AND, ADD, SUB, MUL, DIV, MOD };

struct BinaryOperator {
    std::string_view text;
    Operator op;
    int level;  // binds tighter as it grows
};

// Longer spellings first, so that `<=` is not read as `<`.
constexpr std::array<BinaryOperator, 16> BINARY_OPERATORS{{
    {"||", Operator::OR, 1},      {"&&", Operator::AND, 2},   {"==", Operator::EQ, 3},  {"!=", Operator::NE, 3},
    {"<=", Operator::LE, 3},      {">=", Operator::GE, 3},    {"<", Operator::LT, 3},   {">", Operator::GT, 3},
    {"|", Operator::BIT_OR, 4},   {"^", Operator::BIT_XOR, 5}, {"&", Operator::BIT_AND, 6}, {"+", Operator::ADD, 7},
    {"-", Operator::SUB, 7},      {"*", Operator::MUL, 8},    {"/", Operator::DIV, 8},  {"%", Operator::MOD, 8},
}};
constexpr int LOWEST_LEVEL = 1;
constexpr int HIGHEST_LEVEL = 8;

struct Parser {
    std::string_view text;
    std::size_t at = 0;
    int depth = 0;
    std::string error;

    void skip_blanks()
    {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
    }

    bool take(char c)
    {
        skip_blanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }

    bool fail(std::string reason)
    {
        if (error.empty()) {
            error = std::move(reason);
        }
        return false;
    }
};

bool is_name_start(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool is_name_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool read_word(Place place, Evaluation& out)
{
    out.value = place_read(place);
    out.place = place;
    return true;
}

bool parse_binary(Parser& p, int level, Evaluation& out);

// A word of memory at the value of `address`.
bool memory_word(Parser& p, int64_t address, Evaluation& out)
{
    if (address < 0 || address > 0xFFFF) {
        return p.fail("the address " + std::to_string(address) + " lies outside >0000 to >FFFF");
    }
    return read_word(memory_place(static_cast<uint16_t>(address)), out);
}

bool parse_literal(Parser& p, Evaluation& out)
{
    const std::size_t start = p.at;
    if (p.text[p.at] == '>') {
        ++p.at;
    }
    while (p.at < p.text.size() && is_name_char(p.text[p.at])) {
        ++p.at;
    }
    const std::string_view word = p.text.substr(start, p.at - start);
    uint64_t value = 0;
    if (!::parse_number(word, LARGEST_NUMBER, value)) {
        return p.fail("'" + std::string(word) + "' is not a number (42, >2A or 0x2A, up to 32 bits)");
    }
    out = {static_cast<int64_t>(value), std::nullopt, {}};
    return true;
}

bool parse_name(Parser& p, Evaluation& out)
{
    const std::size_t start = p.at;
    while (p.at < p.text.size() && is_name_char(p.text[p.at])) {
        ++p.at;
    }
    const std::string_view name = p.text.substr(start, p.at - start);
    if (const std::optional<Place> place = register_place(name)) {
        return read_word(*place, out);
    }
    int64_t value = 0;
    if (!name_value(name, value)) {
        return p.fail("unknown name '" + std::string(name) + "'");
    }
    out = {value, std::nullopt, {}};
    return true;
}

bool parse_unary(Parser& p, Evaluation& out);

bool parse_primary(Parser& p, Evaluation& out)
{
    p.skip_blanks();
    if (p.at == p.text.size()) {
        return p.fail("the expression ends where a value is due");
    }
    const char c = p.text[p.at];
    if (c == '(') {
        ++p.at;
        if (!parse_binary(p, LOWEST_LEVEL, out)) {
            return false;
        }
        out.place.reset();
        return p.take(')') || p.fail("a ')' is missing");
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '>') {
        return parse_literal(p, out);
    }
    if (is_name_start(c)) {
        return parse_name(p, out);
    }
    return p.fail(std::string("unexpected '") + c + "'");
}

// @ADDR, @ADDR(Rn) and *R5: the word at an address.
bool parse_memory(Parser& p, char sign, Evaluation& out)
{
    Evaluation address;
    if (!parse_unary(p, address)) {
        return false;
    }
    int64_t at = address.value;
    if (sign == '@' && p.take('(')) {
        Evaluation index;
        if (!parse_binary(p, LOWEST_LEVEL, index)) {
            return false;
        }
        if (!p.take(')')) {
            return p.fail("a ')' is missing");
        }
        // The processor's sum wraps.
        at = static_cast<int64_t>((static_cast<uint64_t>(at) + static_cast<uint64_t>(index.value)) & 0xFFFF);
    }
    return memory_word(p, at, out);
}

bool parse_unary(Parser& p, Evaluation& out)
{
    if (++p.depth > DEEPEST_NESTING) {
        return p.fail("the expression is nested too deeply");
    }
    p.skip_blanks();
    bool good = true;
    const char c = p.at < p.text.size() ? p.text[p.at] : '\0';
    if (c == '-' || c == '!' || c == '~') {
        ++p.at;
        good = parse_unary(p, out) && (c != '-' || out.value != INT64_MIN || p.fail("the value grows past 64 bits"));
        if (good) {
            out.place.reset();
            out.value = c == '-' ? -out.value : c == '!' ? int64_t{out.value == 0} : ~out.value;
        }
    } else if (c == '@' || c == '*') {
        ++p.at;
        good = parse_memory(p, c, out);
    } else {
        good = parse_primary(p, out);
    }
    --p.depth;
    return good;
}

const BinaryOperator* next_operator(Parser& p, int level)
{
    p.skip_blanks();
    const std::string_view rest = p.text.substr(p.at);
    for (const BinaryOperator& op : BINARY_OPERATORS) {
        if (rest.starts_with(op.text)) {
            return op.level == level ? &op : nullptr;
        }
    }
    return nullptr;
}

bool apply(Parser& p, Operator op, int64_t a, int64_t b, int64_t& result)
{
    switch (op) {
    case Operator::OR: result = a != 0 || b != 0; return true;
    case Operator::AND: result = a != 0 && b != 0; return true;
    case Operator::EQ: result = a == b; return true;
    case Operator::NE: result = a != b; return true;
    case Operator::LE: result = a <= b; return true;
    case Operator::GE: result = a >= b; return true;
    case Operator::LT: result = a < b; return true;
    case Operator::GT: result = a > b; return true;
    case Operator::BIT_OR: result = a | b; return true;
    case Operator::BIT_XOR: result = a ^ b; return true;
    case Operator::BIT_AND: result = a & b; return true;
    case Operator::ADD: return !__builtin_add_overflow(a, b, &result) || p.fail("the value grows past 64 bits");
    case Operator::SUB: return !__builtin_sub_overflow(a, b, &result) || p.fail("the value grows past 64 bits");
    case Operator::MUL: return !__builtin_mul_overflow(a, b, &result) || p.fail("the value grows past 64 bits");
    case Operator::DIV:
    case Operator::MOD:
        if (b == 0 || (b == -1 && a == INT64_MIN)) {
            return p.fail("division by zero");
        }
        result = op == Operator::DIV ? a / b : a % b;
        return true;
    }
    return false;
}

// Operators of `level` and tighter, left to right.
bool parse_binary(Parser& p, int level, Evaluation& out)
{
    if (level > HIGHEST_LEVEL) {
        return parse_unary(p, out);
    }
    if (!parse_binary(p, level + 1, out)) {
        return false;
    }
    while (const BinaryOperator* op = next_operator(p, level)) {
        p.at += op->text.size();
        Evaluation right;
        if (!parse_binary(p, level + 1, right) || !apply(p, op->op, out.value, right.value, out.value)) {
            return false;
        }
        out.place.reset();
    }
    return true;
}

}  // namespace

Evaluation evaluate_expression(std::string_view text)
{
    Parser p{text, 0, 0, {}};
    Evaluation out;
    if (text.size() > LONGEST_EXPRESSION) {
        out.error = "the expression is longer than " + std::to_string(LONGEST_EXPRESSION) + " characters";
        return out;
    }
    if (parse_binary(p, LOWEST_LEVEL, out)) {
        p.skip_blanks();
        if (p.at < text.size()) {
            p.fail("unexpected '" + std::string(text.substr(p.at, 1)) + "'");
        }
    }
    if (!p.error.empty()) {
        out = {};
        out.error = p.error;
    }
    return out;
}
