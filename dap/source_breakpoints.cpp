#include "dap/source_breakpoints.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "dap/breakpoint_table.h"
#include "dap/memory_reference.h"
#include "dap/session.h"
#include "debugger/program_names.h"

namespace {

// The client's breakpoints of each file, with the ids they were given, so
// that placing them later keeps the ids the client knows.
struct Kept {
    Json wanted;
    std::vector<int64_t> ids;
};
std::map<std::string, Kept> kept;

// How many whole parts at the ends of two paths are the same.
std::size_t common_tail(std::string_view a, std::string_view b)
{
    std::size_t parts = 0;
    while (!a.empty() && !b.empty()) {
        const std::size_t slash_a = a.rfind('/');
        const std::size_t slash_b = b.rfind('/');
        const std::string_view part_a = slash_a == std::string_view::npos ? a : a.substr(slash_a + 1);
        const std::string_view part_b = slash_b == std::string_view::npos ? b : b.substr(slash_b + 1);
        if (part_a != part_b || part_a.empty()) {
            break;
        }
        ++parts;
        a = slash_a == std::string_view::npos ? std::string_view{} : a.substr(0, slash_a);
        b = slash_b == std::string_view::npos ? std::string_view{} : b.substr(0, slash_b);
    }
    return parts;
}

// The recorded files that the editor's `path` names; `problem` says why
// there is none (no such file, or several).
struct SourceMatch {
    std::vector<uint32_t> files;
    std::string problem;
};

SourceMatch match_source(std::string_view path)
{
    const DebugSymbols& symbols = *program_symbols();
    const std::vector<SourceFile>& files = symbols.info().files;
    SourceMatch match;
    std::size_t best = 1;  // the file's own name at least
    for (uint32_t i = 0; i < files.size(); ++i) {
        const std::size_t parts = files[i].absolute == path
                                      ? SIZE_MAX
                                      : std::max(common_tail(path, files[i].absolute), common_tail(path, files[i].path));
        if (parts > best) {
            match.files.clear();
            best = parts;
        }
        if (parts == best) {
            match.files.push_back(i);
        }
    }
    const bool several = std::any_of(match.files.begin(), match.files.end(), [&](uint32_t file) {
        return files[file].absolute != files[match.files.front()].absolute;
    });
    if (match.files.empty()) {
        match.problem = "no instruction of the program comes from this file";
    } else if (several) {
        match.problem = "the program's debug information has several files of this name:";
        for (const uint32_t file : match.files) {
            match.problem += " " + files[file].absolute;
        }
        match.files.clear();
    }
    return match;
}

// One of the client's breakpoints in `files`, set (into `fresh`) or refused.
Json place(const SourceMatch& match, const Json& element, int64_t id, std::vector<AdapterBreakpoint>& fresh,
           std::size_t& counters_left)
{
    Arguments fields = arguments_of(element);
    const int64_t line = fields.integer("line", 0);
    AdapterBreakpoint breakpoint{id, BreakKind::SOURCE_LINE, {}, 0, {}, {}};
    std::string why;
    if (!element.is_object() || !fields.ok()) {
        return refused_breakpoint(id, element.is_object() ? fields.error() : "a breakpoint must be an object");
    }
    if (!match.problem.empty()) {
        return refused_breakpoint(id, match.problem);
    }
    const DebugSymbols& symbols = *program_symbols();
    std::optional<DebugSymbols::CodePlace> first;
    std::vector<uint16_t> addresses;  // a file copied twice places its lines twice
    for (const uint32_t file : match.files) {
        const auto code = symbols.code_from_line(file, static_cast<int>(std::clamp<int64_t>(line, 0, MAX_SOURCE_LINE)));
        if (code && (!first || code->line == first->line)) {
            first = first ? first : code;
            addresses.push_back(code->address);
        }
    }
    if (!first) {
        return refused_breakpoint(id, "no instruction on line " + std::to_string(line) + " or after it");
    }
    if (!take_conditions(fields, breakpoint, counters_left, why)) {
        return refused_breakpoint(id, why);
    }
    for (const uint16_t address : addresses) {
        breakpoint.address = address;
        fresh.push_back(breakpoint);
    }
    Json entry = {{"id", id}, {"verified", true}, {"line", first->line},
                  {"instructionReference", memory_reference_text(false, addresses.front())}};
    if (first->line != line) {
        entry["message"] = "line " + std::to_string(line) + " has no instruction: moved to line " +
                           std::to_string(first->line);
    }
    return entry;
}

// The file's breakpoints as they can be placed now.
Json place_all(const std::string& path, const Kept& breakpoints)
{
    Json list = Json::array();
    std::vector<AdapterBreakpoint> fresh;
    std::size_t counters_left = hit_counters_left(BreakKind::SOURCE_LINE, path);
    const SourceMatch match = program_symbols() != nullptr ? match_source(path) : SourceMatch{};
    for (std::size_t i = 0; i < breakpoints.ids.size(); ++i) {
        const int64_t id = breakpoints.ids[i];
        if (program_symbols() == nullptr) {
            list.push_back(refused_breakpoint(
                id, g_session.launched ? "the program has no debug information (pavon.dbg): set breakpoints in the disassembly"
                                       : "placed when the program is launched"));
        } else {
            list.push_back(place(match, breakpoints.wanted[i], id, fresh, counters_left));
        }
        list.back()["source"] = {{"path", path}};
    }
    for (AdapterBreakpoint& breakpoint : fresh) {
        breakpoint.source = path;
    }
    breakpoints_replace(BreakKind::SOURCE_LINE, fresh, path);
    return list;
}

}  // namespace

Json source_breakpoints_set(const std::string& path, const Json& wanted)
{
    Kept& breakpoints = kept[path];
    breakpoints.wanted = wanted;
    breakpoints.ids.clear();
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        breakpoints.ids.push_back(next_breakpoint_id());
    }
    const Json list = place_all(path, breakpoints);
    if (wanted.empty()) {
        kept.erase(path);
    }
    return list;
}

void source_breakpoints_forget()
{
    for (const auto& [path, breakpoints] : kept) {
        breakpoints_replace(BreakKind::SOURCE_LINE, {}, path);
    }
    kept.clear();
}

std::vector<Json> source_breakpoints_place_kept()
{
    std::vector<Json> changes;
    for (const auto& [path, breakpoints] : kept) {
        for (const Json& entry : place_all(path, breakpoints)) {
            changes.push_back({{"reason", "changed"}, {"breakpoint", entry}});
        }
    }
    return changes;
}
