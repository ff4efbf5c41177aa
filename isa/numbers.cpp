#include "isa/numbers.h"

namespace {

int digit_value(char c, int base)
{
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

}  // namespace

bool parse_number(std::string_view text, uint64_t limit, uint64_t& value)
{
    int base = 10;
    if (text.starts_with('>')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return false;
    }
    uint64_t result = 0;
    for (char c : text) {
        const int digit = digit_value(c, base);
        const auto d = static_cast<uint64_t>(digit);
        if (digit < 0 || d > limit || result > (limit - d) / static_cast<uint64_t>(base)) {
            return false;
        }
        result = result * static_cast<uint64_t>(base) + d;
    }
    value = result;
    return true;
}
