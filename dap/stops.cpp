#include "dap/stops.h"

#include <array>
#include <string>

#include "cpu/cpu.h"
#include "dap/breakpoint_table.h"
#include "dap/session.h"
#include "debugger/debug_hooks.h"
#include "machine/debugger_record.h"

namespace {

enum class Filter : uint8_t { NONE, ROM_WRITE, ODD_WORKSPACE, ZERO_CYCLES };

struct ExceptionFilter {
    Filter filter;
    const char* id;
    const char* label;
    const char* description;
    bool on;
};

std::array<ExceptionFilter, 3> filters{{
    {Filter::ROM_WRITE, "rom-write", "Byte written into ROM", "a byte write to >0000 to >BFFF", true},
    {Filter::ODD_WORKSPACE, "odd-workspace", "Odd workspace pointer", "WP set to an odd address", true},
    {Filter::ZERO_CYCLES, "zero-cycles", "Frame without cycles",
     "a frame whose instructions use no cycles, so that it never ends", true},
}};

// The debugger's reasons, by the words each begins with (a stop inside an
// interrupt service adds where it took hold).
struct StopKind {
    std::string_view opening;
    const char* reason;
    Filter filter;
};

constexpr std::array<StopKind, 8> STOP_KINDS{{
    {"breakpoint at", "breakpoint", Filter::NONE},
    {"watched memory changed", "data breakpoint", Filter::NONE},
    {"step over ended", "step", Filter::NONE},
    {"step ended", "step", Filter::NONE},
    {"byte written into ROM", "exception", Filter::ROM_WRITE},
    {"odd workspace pointer", "exception", Filter::ODD_WORKSPACE},
    {ENDLESS_FRAME_REASON, "exception", Filter::ZERO_CYCLES},
    {"stopped", "pause", Filter::NONE},
}};

bool filter_on(Filter filter)
{
    for (const ExceptionFilter& row : filters) {
        if (row.filter == filter) {
            return row.on;
        }
    }
    return true;
}

}  // namespace

void note_hold(const char* reason)
{
    const std::string_view text = reason;
    const StopKind* kind = nullptr;
    for (const StopKind& row : STOP_KINDS) {
        if (text.starts_with(row.opening)) {
            kind = &row;
            break;
        }
    }
    if (kind != nullptr && !filter_on(kind->filter)) {
        g_debugger.stopped = 0;  // the client does not want to see this stop
        return;
    }
    StopNote& note = g_session.pending;
    if (kind != nullptr && std::string_view(kind->reason) == "pause") {
        // No check saw it: the stop key, or the adapter's own pause, entry or step.
        if (note.text.empty()) {
            note.text = text;
        }
        return;
    }
    note.reason = kind != nullptr ? kind->reason : "exception";
    note.text = text;
    note.breakpoint_ids = kind != nullptr && kind->filter == Filter::NONE && note.reason == "breakpoint"
                              ? breakpoint_ids_at(g_cpu.PC)
                              : std::vector<int64_t>{};
}

void exception_filters_reset()
{
    for (ExceptionFilter& row : filters) {
        row.on = true;
    }
}

Json exception_filters()
{
    Json list = Json::array();
    for (const ExceptionFilter& row : filters) {
        list.push_back({{"filter", row.id}, {"label", row.label}, {"description", row.description}, {"default", true}});
    }
    return list;
}

bool set_exception_filters(const Json& names, std::string& unknown)
{
    for (ExceptionFilter& row : filters) {
        row.on = false;
    }
    for (const Json& name : names) {
        bool found = false;
        for (ExceptionFilter& row : filters) {
            if (name.is_string() && name == row.id) {
                row.on = found = true;
            }
        }
        if (!found) {
            unknown = name.is_string() ? name.get<std::string>() : "a filter that is not a string";
            return false;
        }
    }
    return true;
}
