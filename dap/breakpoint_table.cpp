#include "dap/breakpoint_table.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "dap/expression.h"
#include "dap/session.h"
#include "debugger/breakpoints.h"
#include "debugger/debug_hooks.h"
#include "isa/numbers.h"

namespace {

constexpr uint64_t LARGEST_HIT_COUNT = 0xFFFFFFFF;

std::vector<AdapterBreakpoint> table;
int64_t last_id = 0;

struct HitTest {
    std::string_view text;
    HitCondition::Test test;
};

// Longer spellings first.
constexpr std::array<HitTest, 5> HIT_TESTS{{
    {">=", HitCondition::Test::AT_LEAST},
    {"==", HitCondition::Test::EQUAL},
    {">", HitCondition::Test::MORE},
    {"%", HitCondition::Test::EVERY},
    {"=", HitCondition::Test::EQUAL},
}};

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool hit_allows(const HitCondition& hit, uint64_t hits)
{
    switch (hit.test) {
    case HitCondition::Test::ALWAYS: return true;
    case HitCondition::Test::AT_LEAST: return hits >= hit.count;
    case HitCondition::Test::EQUAL: return hits == hit.count;
    case HitCondition::Test::MORE: return hits > hit.count;
    case HitCondition::Test::EVERY: return hit.count != 0 && hits % hit.count == 0;
    }
    return true;
}

// One breakpoint reached: its condition, then its hit count.
bool stops(AdapterBreakpoint& breakpoint)
{
    if (!breakpoint.condition.empty()) {
        const Evaluation result = evaluate_expression(breakpoint.condition);
        if (!result.error.empty()) {
            // A condition that cannot be read stops, and says why.
            send_event("output", {{"category", "console"},
                                  {"output", "pavon: breakpoint condition '" + breakpoint.condition + "': " +
                                                 result.error + "\n"}});
            return true;
        }
        if (result.value == 0) {
            return false;
        }
    }
    ++breakpoint.hits;
    return hit_allows(breakpoint.hit, breakpoint.hits);
}

}  // namespace

bool parse_hit_condition(std::string_view text, HitCondition& hit, std::string& error)
{
    text = trimmed(text);
    hit = {HitCondition::Test::AT_LEAST, 0};
    if (text.empty()) {
        hit.test = HitCondition::Test::ALWAYS;
        return true;
    }
    std::string_view count = text;
    for (const HitTest& row : HIT_TESTS) {
        if (text.starts_with(row.text)) {
            hit.test = row.test;
            count = trimmed(text.substr(row.text.size()));
            break;
        }
    }
    if (parse_number(count, LARGEST_HIT_COUNT, hit.count)) {
        return true;
    }
    hit.test = HitCondition::Test::AT_LEAST;  // a bare >2A is a number
    if (parse_number(text, LARGEST_HIT_COUNT, hit.count)) {
        return true;
    }
    error = "the hit condition '" + std::string(text) + "' is not N, >= N, == N, > N or % N";
    return false;
}

int64_t next_breakpoint_id()
{
    return ++last_id;
}

void breakpoints_replace(BreakKind kind, const std::vector<AdapterBreakpoint>& fresh)
{
    std::vector<uint16_t> old;
    for (const AdapterBreakpoint& breakpoint : table) {
        if (breakpoint.kind == kind) {
            old.push_back(breakpoint.address);
        }
    }
    std::erase_if(table, [kind](const AdapterBreakpoint& breakpoint) { return breakpoint.kind == kind; });
    table.insert(table.end(), fresh.begin(), fresh.end());
    for (const uint16_t address : old) {
        const bool still = std::any_of(table.begin(), table.end(),
                                       [address](const AdapterBreakpoint& b) { return b.address == address; });
        if (!still && breakpoint_at(address)) {
            breakpoint_toggle(address);
        }
    }
    for (const AdapterBreakpoint& breakpoint : fresh) {
        debug_break_at(breakpoint.address);
    }
    debug_hooks_update();
}

std::vector<int64_t> breakpoint_ids_at(uint16_t address)
{
    std::vector<int64_t> ids;
    for (const AdapterBreakpoint& breakpoint : table) {
        if (breakpoint.address == address) {
            ids.push_back(breakpoint.id);
        }
    }
    return ids;
}

bool breakpoint_condition_met(uint16_t pc)
{
    bool any = false;
    bool stop = false;
    for (AdapterBreakpoint& breakpoint : table) {
        if (breakpoint.address == pc) {
            any = true;
            stop = stops(breakpoint) || stop;  // every one counts its hit
        }
    }
    return !any || stop;
}
