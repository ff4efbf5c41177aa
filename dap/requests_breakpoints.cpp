// Breakpoints: at instructions (with conditions and hit conditions), on
// memory that changes (the debugger's watchpoints), and the filters of
// the machine's own stops.
#include <string>
#include <vector>

#include "dap/breakpoint_table.h"
#include "dap/expression.h"
#include "dap/memory_reference.h"
#include "dap/names.h"
#include "dap/places.h"
#include "dap/requests.h"
#include "dap/source_breakpoints.h"
#include "dap/stops.h"
#include "debugger/debug_hooks.h"
#include "debugger/watch.h"
#include "isa/numbers.h"

namespace {

constexpr int64_t DEFAULT_DATA_BYTES = 2;

// A data breakpoint's id: the memory reference, a colon, the length.
std::string data_id(bool video, int64_t address, int64_t length)
{
    return memory_reference_text(video, address) + ":" + std::to_string(length);
}

bool parse_data_id(std::string_view id, MemoryReference& where, int64_t& length)
{
    const std::size_t colon = id.rfind(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const std::optional<MemoryReference> reference = parse_memory_reference(id.substr(0, colon));
    uint64_t count = 0;
    if (!reference || !parse_number(id.substr(colon + 1), 0xFFFF, count) || count == 0 ||
        reference->address + static_cast<int64_t>(count) > memory_size(reference->video)) {
        return false;
    }
    where = *reference;
    length = static_cast<int64_t>(count);
    return true;
}

}  // namespace

void request_set_breakpoints(Arguments& arguments, Reply& reply)
{
    arguments.require("source");
    const Json* source = arguments.value("source");
    const Json* wanted = arguments.array("breakpoints");
    if (source == nullptr || !source->is_object()) {
        arguments.refuse("source", "must be an object");
        return;
    }
    Arguments file = arguments_of(*source);
    const std::string path = file.text("path");
    if (!file.ok() || path.empty()) {
        arguments.refuse("source", "must have a 'path' string: breakpoints are set in files");
        return;
    }
    reply.body["breakpoints"] = source_breakpoints_set(path, wanted != nullptr ? *wanted : Json::array());
}

void request_set_instruction_breakpoints(Arguments& arguments, Reply& reply)
{
    arguments.require("breakpoints");
    const Json* wanted = arguments.array("breakpoints");
    if (wanted == nullptr) {
        return;
    }
    std::vector<AdapterBreakpoint> fresh;
    std::size_t counters_left = hit_counters_left(BreakKind::INSTRUCTION);
    Json list = Json::array();
    for (const Json& element : *wanted) {
        Arguments fields = arguments_of(element);
        const std::string reference = fields.text("instructionReference");
        const int64_t offset = fields.integer("offset", 0);
        AdapterBreakpoint breakpoint{next_breakpoint_id(), BreakKind::INSTRUCTION, {}, 0, {}, {}};
        const std::optional<MemoryReference> where = parse_memory_reference(reference);
        std::string why;
        if (!element.is_object() || !fields.ok()) {
            why = element.is_object() ? fields.error() : "a breakpoint must be an object";
        } else if (!where || where->video) {
            why = "'" + reference + "' is not an address of the processor";
        } else if (where->address + offset < 0 || where->address + offset > 0xFFFF ||
                   (where->address + offset) % 2 != 0) {
            why = "instructions lie at even addresses from >0000 to >FFFE";
        } else if (take_conditions(fields, breakpoint, counters_left, why)) {
            breakpoint.address = static_cast<uint16_t>(where->address + offset);
            fresh.push_back(breakpoint);
            list.push_back({{"id", breakpoint.id}, {"verified", true},
                            {"instructionReference", memory_reference_text(false, breakpoint.address)}});
            continue;
        }
        list.push_back(refused_breakpoint(breakpoint.id, why));
    }
    breakpoints_replace(BreakKind::INSTRUCTION, fresh);
    reply.body["breakpoints"] = list;
}

void request_set_exception_breakpoints(Arguments& arguments, Reply& reply)
{
    arguments.require("filters");
    const Json* names = arguments.array("filters");
    std::string unknown;
    if (names != nullptr && !set_exception_filters(*names, unknown)) {
        reply.fail("unknown exception filter '" + unknown + "'");
    }
}

void request_data_breakpoint_info(Arguments& arguments, Reply& reply)
{
    arguments.require("name");
    const std::string name = arguments.text("name");
    const int64_t scope = arguments.integer("variablesReference", 0);
    const bool as_address = arguments.flag("asAddress", false);
    const int64_t bytes = arguments.integer("bytes", DEFAULT_DATA_BYTES);
    if (!arguments.ok()) {
        return;
    }
    reply.body["dataId"] = nullptr;
    const Evaluation value = evaluate_expression(name);
    std::optional<MemoryReference> where;
    if (as_address) {
        where = parse_memory_reference(name);
        if (!where && value.error.empty()) {
            where = MemoryReference{false, value.value};
        }
    } else if (value.error.empty() && value.place && value.place->kind == PlaceKind::MEMORY_WORD &&
               (scope == 0 || scope == WORKSPACE)) {
        where = MemoryReference{false, value.place->index};
    } else if (value.error.empty() && !value.place && names_label(name) && (scope == 0 || scope == LABELS)) {
        where = MemoryReference{false, value.value};  // the word at the label
    }
    const int64_t length = as_address ? bytes : DEFAULT_DATA_BYTES;
    if (!where || length < 1 || where->address < 0 || where->address + length > memory_size(where->video)) {
        reply.body["description"] = "'" + name + "' is not memory that can be watched";
        return;
    }
    reply.body["dataId"] = data_id(where->video, where->address, length);
    reply.body["description"] = name + " (" + std::to_string(length) + " bytes at " +
                                (where->video ? "video memory " : "") +
                                word_text(static_cast<uint16_t>(where->address)) + ") changes";
    reply.body["accessTypes"] = Json::array({"write"});
    reply.body["canPersist"] = as_address;
}

void request_set_data_breakpoints(Arguments& arguments, Reply& reply)
{
    arguments.require("breakpoints");
    const Json* wanted = arguments.array("breakpoints");
    if (wanted == nullptr) {
        return;
    }
    watches_clear();
    Json list = Json::array();
    for (const Json& element : *wanted) {
        Arguments fields = arguments_of(element);
        const std::string id = fields.text("dataId");
        const std::string access = fields.text("accessType", "write");
        MemoryReference where{};
        int64_t length = 0;
        const int64_t breakpoint_id = next_breakpoint_id();
        if (!element.is_object() || !fields.ok()) {
            list.push_back(refused_breakpoint(breakpoint_id, element.is_object() ? fields.error() : "a breakpoint must be an object"));
        } else if (access != "write") {
            list.push_back(refused_breakpoint(breakpoint_id, "only writes that change memory are watched"));
        } else if (!parse_data_id(id, where, length)) {
            list.push_back(refused_breakpoint(breakpoint_id, "'" + id + "' is not memory that can be watched"));
        } else {
            debug_watch(where.video ? WatchedMemory::VIDEO : WatchedMemory::ADDRESS_SPACE,
                        static_cast<uint16_t>(where.address), static_cast<uint32_t>(length));
            Json entry = {{"id", breakpoint_id}, {"verified", true}};
            if (fields.has("condition") || fields.has("hitCondition")) {
                entry["message"] = "stops at every change: conditions apply to instruction breakpoints";
            }
            list.push_back(entry);
        }
    }
    debug_hooks_update();
    reply.body["breakpoints"] = list;
}
