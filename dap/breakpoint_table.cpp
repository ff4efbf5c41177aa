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

// The hit counts, a record of plain words that the kept past holds with the
// machine. A counter names the breakpoint it counts for: one that names
// another was last written before this breakpoint was set, when it had no
// hits yet.
struct HitCounter {
    int64_t breakpoint_id;
    uint64_t hits;
};
std::array<HitCounter, COUNTED_BREAKPOINTS> counters{};

const std::array<RecordPart, 1> KEPT_PARTS{{
    {"breakpoint hit counts", counters.data(), sizeof counters},
}};

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

// The breakpoints that one request replaces together.
bool in_group(const AdapterBreakpoint& breakpoint, BreakKind kind, std::string_view source)
{
    return breakpoint.kind == kind && (kind != BreakKind::SOURCE_LINE || breakpoint.source == source);
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
            // A condition that cannot be read stops, and says why once.
            if (!breakpoint.condition_error_told) {
                breakpoint.condition_error_told = true;
                send_event("output", {{"category", "console"},
                                      {"output", "pavon: breakpoint condition '" + breakpoint.condition + "': " +
                                                     result.error + "\n"}});
            }
            return true;
        }
        if (result.value == 0) {
            return false;
        }
    }
    if (breakpoint.counter == NOT_COUNTED) {
        return true;
    }
    HitCounter& counter = counters[static_cast<std::size_t>(breakpoint.counter)];
    if (counter.breakpoint_id != breakpoint.id) {
        counter = {breakpoint.id, 0};
    }
    ++counter.hits;
    return hit_allows(breakpoint.hit, counter.hits);
}

// Each new breakpoint with a hit condition takes a counter that no other
// breakpoint holds, from no hits.
void give_counters(std::vector<AdapterBreakpoint>::iterator fresh)
{
    std::array<bool, COUNTED_BREAKPOINTS> taken{};
    for (auto breakpoint = table.begin(); breakpoint != fresh; ++breakpoint) {
        if (breakpoint->counter != NOT_COUNTED) {
            taken[static_cast<std::size_t>(breakpoint->counter)] = true;
        }
    }
    std::size_t slot = 0;
    for (; fresh != table.end(); ++fresh) {
        fresh->counter = NOT_COUNTED;
        while (slot < taken.size() && taken[slot]) {
            ++slot;
        }
        if (fresh->hit.test != HitCondition::Test::ALWAYS && slot < taken.size()) {
            fresh->counter = static_cast<int>(slot);
            counters[slot] = {fresh->id, 0};
            taken[slot] = true;
        }
    }
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

Json refused_breakpoint(int64_t id, const std::string& why)
{
    return {{"id", id}, {"verified", false}, {"message", why}};
}

bool take_conditions(Arguments& fields, AdapterBreakpoint& breakpoint, std::size_t& counters_left, std::string& why)
{
    breakpoint.condition = fields.text("condition");
    if (!parse_hit_condition(fields.text("hitCondition"), breakpoint.hit, why)) {
        return false;
    }
    if (breakpoint.hit.test != HitCondition::Test::ALWAYS) {
        if (counters_left == 0) {
            why = "at most " + std::to_string(COUNTED_BREAKPOINTS) + " breakpoints may have a hit condition";
            return false;
        }
        --counters_left;
    }
    return true;
}

std::size_t hit_counters_left(BreakKind kind, std::string_view source)
{
    const auto counted = std::count_if(table.begin(), table.end(), [&](const AdapterBreakpoint& breakpoint) {
        return !in_group(breakpoint, kind, source) && breakpoint.counter != NOT_COUNTED;
    });
    return COUNTED_BREAKPOINTS - static_cast<std::size_t>(counted);
}

std::span<const RecordPart> adapter_kept_parts()
{
    return KEPT_PARTS;
}

void breakpoints_replace(BreakKind kind, const std::vector<AdapterBreakpoint>& fresh, std::string_view source)
{
    std::vector<uint16_t> old;
    for (const AdapterBreakpoint& breakpoint : table) {
        if (in_group(breakpoint, kind, source)) {
            old.push_back(breakpoint.address);
        }
    }
    std::erase_if(table, [&](const AdapterBreakpoint& breakpoint) { return in_group(breakpoint, kind, source); });
    give_counters(table.insert(table.end(), fresh.begin(), fresh.end()));
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
