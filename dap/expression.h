// Expressions over the machine, for breakpoint conditions, hovers, the
// watch list and the debug console:
//   numbers    42, >2A, 0x2A
//   registers  R0 to R15, PC, WP, ST, VR0 to VR7, VADDR, VSTAT
//   memory     @ADDR and *R5 (the word there), @ADDR(R5) (indexed)
//   names      the program's labels, once they are known (dap/names.h)
//   operators  unary - ! ~, then * / %, + -, &, ^, |, comparisons
//              == != < <= > >=, && and ||; parentheses
// Values are whole numbers; a comparison gives 1 or 0. A number's '>'
// stands where an operand is due, so `R1 > >2A` compares.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dap/places.h"

constexpr std::size_t LONGEST_EXPRESSION = 1000;

struct Evaluation {
    int64_t value = 0;
    std::optional<Place> place;  // set when the whole expression names a register or a word
    std::string error;           // empty when the expression was good
};

Evaluation evaluate_expression(std::string_view text);
