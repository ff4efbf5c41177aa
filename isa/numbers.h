// Numbers as the machine's programmers write them, on command lines and in
// files: decimal (4660), hexadecimal in the assembler's style (>1234) or in
// C's (0x1234). No sign, no spaces.
#pragma once

#include <cstdint>
#include <string_view>

// True, with the value, when `text` is such a number no larger than `limit`.
bool parse_number(std::string_view text, uint64_t limit, uint64_t& value);
