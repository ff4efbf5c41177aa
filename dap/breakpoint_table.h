// The adapter's breakpoints: each an address with an optional condition
// (an expression, dap/expression.h) and hit condition, kept beside the
// debugger's own bit per address, which they set. A breakpoint set from the
// window (F9) has no entry here and always stops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dap/arguments.h"

// The kinds a request replaces as a whole: every instruction breakpoint,
// or the source-line breakpoints of one source file.
enum class BreakKind : uint8_t { INSTRUCTION, SOURCE_LINE };

// `N` or `>= N`: from the Nth hit on; `== N`: the Nth only; `> N`; `% N`:
// every Nth. Hits count the times the processor, running, reached the
// breakpoint with its condition true. The counts are kept with the machine:
// going back in time takes them back to what they were there.
struct HitCondition {
    enum class Test : uint8_t { ALWAYS, AT_LEAST, EQUAL, MORE, EVERY } test = Test::ALWAYS;
    uint64_t count = 0;
};

// So many breakpoints may have a hit condition at once.
constexpr std::size_t COUNTED_BREAKPOINTS = 64;
constexpr int NOT_COUNTED = -1;

struct AdapterBreakpoint {
    int64_t id;
    BreakKind kind;
    std::string source;  // SOURCE_LINE: the file as the client names it
    uint16_t address;
    std::string condition;  // empty: always true
    HitCondition hit;
    int counter = NOT_COUNTED;         // its hit count's slot, given by breakpoints_replace
    bool condition_error_told = false;
};

bool parse_hit_condition(std::string_view text, HitCondition& hit, std::string& error);

int64_t next_breakpoint_id();

// A breakpoint of the answer that is not set, and why.
Json refused_breakpoint(int64_t id, const std::string& why);

// A breakpoint's `condition` and `hitCondition` from the client's fields;
// false, with the reason, for a bad hit condition or one more than the
// counters left.
bool take_conditions(Arguments& fields, AdapterBreakpoint& breakpoint, std::size_t& counters_left, std::string& why);

// How many more breakpoints may have a hit condition, once every one of
// `kind` (in `source`) is replaced.
std::size_t hit_counters_left(BreakKind kind, std::string_view source = {});

// Every breakpoint of `kind` (in `source`) is replaced by `fresh`.
void breakpoints_replace(BreakKind kind, const std::vector<AdapterBreakpoint>& fresh, std::string_view source = {});

std::vector<int64_t> breakpoint_ids_at(uint16_t address);

// At a breakpoint, before it stops: whether its conditions let it.
bool breakpoint_condition_met(uint16_t pc);
