#include "tools/asm/lexer.h"

#include <cctype>

namespace {

constexpr int64_t LITERAL_LIMIT = 0xFFFFFFFF;

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool is_identifier_start(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool is_identifier_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The line up to its comment: a ';' outside quotes starts one.
bool strip_comment(std::string_view line, std::string_view& code, std::string& error)
{
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;  // a doubled quote closes and reopens: same result
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            code = line.substr(0, i);
            return true;
        }
    }
    if (quote != 0) {
        error = "string has no closing quote";
        return false;
    }
    code = line;
    return true;
}

std::size_t identifier_length(std::string_view text)
{
    if (text.empty() || !is_identifier_start(text[0])) {
        return 0;
    }
    std::size_t n = 1;
    while (n < text.size() && is_identifier_char(text[n])) {
        ++n;
    }
    return n;
}

std::string_view first_word(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && !is_blank(text[n])) {
        ++n;
    }
    return text.substr(0, n);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    return -1;
}

// Reads digits of the given base from text[i] on into `value`.
bool read_digits(std::string_view text, std::size_t& i, int base, int64_t& value, std::string& error)
{
    const std::size_t start = i;
    value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex_digit(text[i]);
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value * base + digit;
        if (value > LITERAL_LIMIT) {
            error = "value out of range: number too large";
            return false;
        }
    }
    if (i == start) {
        error = "bad number: '>' needs hexadecimal digits";
        return false;
    }
    if (i < text.size() && is_identifier_char(text[i])) {
        error = "bad number '" + std::string(text.substr(start, i - start + 1)) + "...'";
        return false;
    }
    return true;
}

bool read_string(std::string_view text, std::size_t& i, std::string& contents, std::string& error)
{
    const char quote = text[i++];
    contents.clear();
    while (i < text.size()) {
        const char c = text[i++];
        if (c != quote) {
            contents += c;
        } else if (i < text.size() && text[i] == quote) {
            contents += quote;  // a doubled quote stands for itself
            ++i;
        } else {
            return true;
        }
    }
    error = "string has no closing quote";
    return false;
}

TokenKind punctuation_kind(char c, bool& found)
{
    found = true;
    switch (c) {
    case '$': return TokenKind::Dollar;
    case '+': return TokenKind::Plus;
    case '-': return TokenKind::Minus;
    case '*': return TokenKind::Star;
    case '@': return TokenKind::At;
    case '(': return TokenKind::LeftParen;
    case ')': return TokenKind::RightParen;
    default: found = false; return TokenKind::Number;
    }
}

}  // namespace

std::string upper_case(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return result;
}

bool split_line(std::string_view line, LineFields& fields, std::string& error)
{
    fields = LineFields{};
    std::string_view rest = trim(line);
    if (rest.empty() || rest.front() == '*' || rest.front() == ';') {
        return true;  // blank line or whole-line comment
    }
    if (!strip_comment(rest, rest, error)) {
        return false;
    }
    rest = trim(rest);

    const std::size_t name = identifier_length(rest);
    if (name > 0 && name < rest.size() && rest[name] == ':') {
        fields.label = std::string(rest.substr(0, name));
        rest = trim(rest.substr(name + 1));
    } else if (!rest.empty() && first_word(rest).back() == ':') {
        error = "bad label '" + std::string(first_word(rest)) + "'";
        return false;
    } else {
        // `NAME EQU value` needs no colon after its name.
        const std::string_view word = first_word(rest);
        const std::string_view next = first_word(trim(rest.substr(word.size())));
        if (upper_case(next) == "EQU") {
            if (identifier_length(word) != word.size()) {
                error = "bad label '" + std::string(word) + "'";
                return false;
            }
            fields.label = std::string(word);
            rest = trim(rest.substr(word.size()));
        }
    }

    const std::string_view mnemonic = first_word(rest);
    fields.mnemonic = std::string(mnemonic);
    fields.operands = std::string(trim(rest.substr(mnemonic.size())));
    return true;
}

bool tokenize(std::string_view text, Tokens& tokens, std::string& error)
{
    tokens.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (is_blank(c)) {
            ++i;
            continue;
        }
        Token token{TokenKind::Number, {}, 0};
        bool punctuation = false;
        const TokenKind kind = punctuation_kind(c, punctuation);
        const std::size_t start = i;
        if (c == '>' || std::isdigit(static_cast<unsigned char>(c)) != 0) {
            const int base = c == '>' ? 16 : 10;
            i += c == '>' ? 1 : 0;
            if (!read_digits(text, i, base, token.value, error)) {
                return false;
            }
            token.text = std::string(text.substr(start, i - start));
        } else if (is_identifier_start(c)) {
            const std::size_t n = identifier_length(text.substr(i));
            token.kind = TokenKind::Identifier;
            token.text = std::string(text.substr(i, n));
            i += n;
        } else if (c == '\'' || c == '"') {
            token.kind = TokenKind::String;
            if (!read_string(text, i, token.text, error)) {
                return false;
            }
        } else if (punctuation) {
            token.kind = kind;
            token.text = std::string(1, c);
            ++i;
        } else {
            error = "unexpected character '" + std::string(1, c) + "'";
            return false;
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

std::vector<std::string> split_operands(std::string_view field)
{
    std::vector<std::string> operands;
    if (trim(field).empty()) {
        return operands;
    }
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ',') {
            operands.emplace_back(trim(field.substr(start, i - start)));
            start = i + 1;
        }
    }
    operands.emplace_back(trim(field.substr(start)));
    return operands;
}
