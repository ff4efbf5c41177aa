// The processor's state as the client shows it: the stack, the scopes of
// registers (the workspace, the processor's own, the video chip's), their
// variables, and expressions for hovers, the watch list and the console.
#include <algorithm>
#include <array>
#include <cstdio>

#include "cpu/cpu.h"
#include "dap/expression.h"
#include "dap/frames.h"
#include "dap/memory_reference.h"
#include "dap/names.h"
#include "dap/places.h"
#include "dap/requests.h"
#include "debugger/program_names.h"
#include "video/vdp.h"

namespace {

struct Flag {
    const char* name;
    uint16_t mask;
};

constexpr std::array<Flag, 7> STATUS_FLAG_BITS{{
    {"L>", ST_LGT}, {"A>", ST_AGT}, {"EQ", ST_EQ}, {"C", ST_C}, {"OV", ST_OV}, {"OP", ST_OP}, {"X", ST_X},
}};
constexpr const char* INTERRUPT_MASK = "mask";

std::string byte_text(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, ">%02X", value & 0xFFu);
    return text;
}

Json variable(const std::string& name, const std::string& value, int64_t children = 0)
{
    return {{"name", name}, {"value", value}, {"variablesReference", children}};
}

// A register by the name the expressions know it by.
Json register_variable(const std::string& name, int64_t children = 0)
{
    const Place place = *register_place(name);
    const uint16_t value = place_read(place);
    const bool byte = place.kind == PlaceKind::VDP_REGISTER || place.kind == PlaceKind::VDP_STATUS;
    Json entry = variable(name, byte ? byte_text(value) : word_text(value), children);
    entry["evaluateName"] = name;
    if (place.kind == PlaceKind::MEMORY_WORD) {
        entry["memoryReference"] = memory_reference_text(false, place.index);
    } else if (place.kind == PlaceKind::PC || place.kind == PlaceKind::WP) {
        entry["memoryReference"] = memory_reference_text(false, value);  // where it points
    } else if (place.kind == PlaceKind::VDP_ADDRESS) {
        entry["memoryReference"] = memory_reference_text(true, value);
    }
    return entry;
}

void list_workspace(Json& list)
{
    for (int n = 0; n < 16; ++n) {
        list.push_back(register_variable("R" + std::to_string(n)));
    }
}

void list_processor(Json& list)
{
    list.push_back(register_variable("PC"));
    list.push_back(register_variable("WP"));
    list.push_back(register_variable("ST", STATUS_FLAGS));
}

void list_status_flags(Json& list)
{
    for (const Flag& flag : STATUS_FLAG_BITS) {
        list.push_back(variable(flag.name, (g_cpu.ST & flag.mask) != 0 ? "1" : "0"));
    }
    list.push_back(variable(INTERRUPT_MASK, std::to_string(g_cpu.ST & ST_INT_MASK)));
}

void list_video_chip(Json& list)
{
    for (int n = 0; n < 8; ++n) {
        list.push_back(register_variable("VR" + std::to_string(n)));
    }
    list.push_back(register_variable("VADDR"));
    list.push_back(register_variable("VSTAT"));
}

// The program's labels in the address space, by name.
std::vector<const SymbolEntry*> labels_by_name()
{
    std::vector<const SymbolEntry*> labels;
    const DebugSymbols* symbols = program_symbols();
    if (symbols == nullptr) {
        return labels;
    }
    for (const SymbolEntry& symbol : symbols->info().symbols) {
        if (symbol.kind == SymbolKind::Label && symbol.value >= 0 && symbol.value <= 0xFFFF) {
            labels.push_back(&symbol);
        }
    }
    std::sort(labels.begin(), labels.end(), [](const SymbolEntry* a, const SymbolEntry* b) { return a->name < b->name; });
    return labels;
}

// A label's address and the word there: ">F020: >0007".
std::string label_value_text(uint16_t address)
{
    return word_text(address) + ": " + word_text(place_read(memory_place(address)));
}

// The labels from `start`, at most `count` of them (0: all), as the client
// pages through a large table.
void list_labels(Json& list, int64_t start, int64_t count)
{
    const std::vector<const SymbolEntry*> labels = labels_by_name();
    const std::size_t first = static_cast<std::size_t>(std::clamp<int64_t>(start, 0, static_cast<int64_t>(labels.size())));
    const std::size_t end = count > 0 ? first + std::min<std::size_t>(labels.size() - first, static_cast<std::size_t>(count))
                                      : labels.size();
    for (std::size_t i = first; i < end; ++i) {
        const auto address = static_cast<uint16_t>(labels[i]->value);
        Json entry = variable(labels[i]->name, label_value_text(address));
        entry["evaluateName"] = "@" + labels[i]->name;
        entry["memoryReference"] = memory_reference_text(false, address);
        list.push_back(entry);
    }
}

struct Scope {
    int64_t reference;
    const char* name;  // null: the children of a variable, not a scope
    void (*list)(Json& list);
};

constexpr std::array<Scope, 4> SCOPES{{
    {WORKSPACE, "Workspace registers", list_workspace},
    {PROCESSOR, "Processor", list_processor},
    {VIDEO_CHIP, "Video chip", list_video_chip},
    {STATUS_FLAGS, nullptr, list_status_flags},
}};

const Scope* find_scope(int64_t reference)
{
    for (const Scope& scope : SCOPES) {
        if (scope.reference == reference) {
            return &scope;
        }
    }
    return nullptr;
}

// An expression's value as the client shows it: a word in hexadecimal
// with its decimal value, anything larger in decimal.
std::string value_text(const Evaluation& result)
{
    if (result.value < 0 || result.value > 0xFFFF) {
        return std::to_string(result.value);
    }
    return word_text(static_cast<uint16_t>(result.value)) + " (" + std::to_string(result.value) + ")";
}

// The new value of a variable or expression, in any notation the
// expressions take; false with the reason.
bool new_value(const std::string& text, uint16_t& value, std::string& error)
{
    const Evaluation result = evaluate_expression(text);
    if (!result.error.empty() || result.value < -0x8000 || result.value > 0xFFFF) {
        error = result.error.empty() ? "'" + text + "' does not fit in a word" : result.error;
        return false;
    }
    value = static_cast<uint16_t>(result.value);
    return true;
}

bool set_status_flag(const std::string& name, uint16_t value, std::string& error)
{
    if (name == INTERRUPT_MASK && value <= ST_INT_MASK) {
        place_write({PlaceKind::ST, 0}, static_cast<uint16_t>((g_cpu.ST & ~ST_INT_MASK) | value));
        return true;
    }
    for (const Flag& flag : STATUS_FLAG_BITS) {
        if (name == flag.name && value <= 1) {
            place_write({PlaceKind::ST, 0},
                        static_cast<uint16_t>(value != 0 ? g_cpu.ST | flag.mask : g_cpu.ST & ~flag.mask));
            return true;
        }
    }
    error = "'" + name + "' takes " + (name == INTERRUPT_MASK ? "0 to 15" : "0 or 1");
    return false;
}

}  // namespace

void request_stack_trace(Arguments& arguments, Reply& reply)
{
    const int64_t start = arguments.integer("startFrame", 0);
    const int64_t levels = arguments.integer("levels", 0);
    if (!arguments.ok()) {
        return;
    }
    const std::vector<StackFrame> frames = stack_frames();
    Json list = Json::array();
    for (int64_t i = std::max<int64_t>(start, 0); i < static_cast<int64_t>(frames.size()); ++i) {
        if (levels > 0 && static_cast<int64_t>(list.size()) >= levels) {
            break;
        }
        const StackFrame& frame = frames[static_cast<std::size_t>(i)];
        Json entry = {{"id", i + 1}, {"name", frame.name}, {"line", 0}, {"column", 0},
                      {"instructionPointerReference", memory_reference_text(false, frame.address)}};
        if (frame.has_source) {
            entry["source"] = {{"name", frame.source.name}, {"path", frame.source.path}};
            entry["line"] = frame.source.line;
            entry["column"] = 1;  // the line's start: the client counts columns from 1
        }
        list.push_back(entry);
    }
    reply.body["stackFrames"] = list;
    reply.body["totalFrames"] = frames.size();
}

void request_scopes(Arguments& arguments, Reply& reply)
{
    arguments.require("frameId");
    arguments.integer("frameId", 0);
    Json list = Json::array();
    for (const Scope& scope : SCOPES) {
        if (scope.name != nullptr) {
            list.push_back({{"name", scope.name}, {"presentationHint", "registers"},
                            {"variablesReference", scope.reference}, {"expensive", false}});
        }
    }
    if (const std::size_t labels = labels_by_name().size(); labels > 0) {
        list.push_back({{"name", "Labels"}, {"variablesReference", LABELS}, {"namedVariables", labels},
                        {"expensive", false}});
    }
    reply.body["scopes"] = list;
}

void request_variables(Arguments& arguments, Reply& reply)
{
    arguments.require("variablesReference");
    const int64_t reference = arguments.integer("variablesReference", 0);
    const int64_t start = arguments.integer("start", 0);
    const int64_t count = arguments.integer("count", 0);
    const Scope* scope = find_scope(reference);
    Json list = Json::array();
    if (!arguments.ok()) {
        return;
    }
    if (reference == LABELS) {
        list_labels(list, start, count);
    } else if (scope != nullptr) {
        scope->list(list);
    }
    reply.body["variables"] = list;
}

void request_set_variable(Arguments& arguments, Reply& reply)
{
    arguments.require("variablesReference");
    arguments.require("name");
    arguments.require("value");
    const int64_t reference = arguments.integer("variablesReference", 0);
    const std::string name = arguments.text("name");
    const std::string text = arguments.text("value");
    uint16_t value = 0;
    std::string error;
    if (!arguments.ok()) {
        return;
    }
    const std::optional<Place> place = reference == STATUS_FLAGS ? std::nullopt : register_place(name);
    if (find_scope(reference) == nullptr || (reference != STATUS_FLAGS && !place)) {
        reply.fail("'" + name + "' cannot be set");
    } else if (!new_value(text, value, error)) {
        reply.fail(error);
    } else if (reference == STATUS_FLAGS) {
        if (!set_status_flag(name, value, error)) {
            reply.fail(error);
            return;
        }
        reply.body["value"] = name == INTERRUPT_MASK ? std::to_string(value) : std::to_string(value != 0);
    } else {
        place_write(*place, value);
        reply.body = register_variable(name, name == "ST" ? STATUS_FLAGS : 0);
    }
    ++g_session.changes;
}

void request_evaluate(Arguments& arguments, Reply& reply)
{
    arguments.require("expression");
    const std::string expression = arguments.text("expression");
    if (!arguments.ok()) {
        return;
    }
    const Evaluation result = evaluate_expression(expression);
    if (!result.error.empty()) {
        reply.fail(result.error);
        return;
    }
    reply.body = {{"result", value_text(result)}, {"variablesReference", 0}};
    if (result.place && result.place->kind == PlaceKind::MEMORY_WORD) {
        reply.body["memoryReference"] = memory_reference_text(false, result.place->index);
    } else if (!result.place && result.value >= 0 && result.value <= 0xFFFF && names_label(expression)) {
        // An address that the program names: the word there beside it.
        const auto address = static_cast<uint16_t>(result.value);
        reply.body["result"] = value_text(result) + ": " + word_text(place_read(memory_place(address)));
        reply.body["memoryReference"] = memory_reference_text(false, address);
    }
}

void request_set_expression(Arguments& arguments, Reply& reply)
{
    arguments.require("expression");
    arguments.require("value");
    const std::string expression = arguments.text("expression");
    const std::string text = arguments.text("value");
    if (!arguments.ok()) {
        return;
    }
    const Evaluation target = evaluate_expression(expression);
    uint16_t value = 0;
    std::string error;
    if (!target.error.empty() || !target.place) {
        reply.fail(target.error.empty() ? "'" + expression + "' is not a register or a memory word" : target.error);
    } else if (!new_value(text, value, error)) {
        reply.fail(error);
    } else {
        place_write(*target.place, value);
        reply.body["value"] = value_text(evaluate_expression(expression));
        ++g_session.changes;
    }
}
