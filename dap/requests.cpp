#include "dap/requests.h"

#include <array>

namespace {

// clang-format off
const std::array<RequestRow, 28> REQUESTS{{
    {"initialize", request_initialize, Needs::NOTHING, ""},
    {"launch", request_launch, Needs::NOTHING, ""},
    {"configurationDone", request_configuration_done, Needs::NOTHING, "supportsConfigurationDoneRequest"},
    {"disconnect", request_disconnect, Needs::NOTHING, ""},
    {"terminate", request_terminate, Needs::NOTHING, "supportsTerminateRequest"},
    {"restart", request_restart, Needs::MACHINE, "supportsRestartRequest"},
    {"threads", request_threads, Needs::MACHINE, ""},
    {"continue", request_continue, Needs::MACHINE, ""},
    {"pause", request_pause, Needs::MACHINE, ""},
    {"stepIn", request_step_in, Needs::MACHINE, ""},
    {"next", request_next, Needs::MACHINE, ""},
    {"stepOut", request_step_out, Needs::MACHINE, ""},
    {"stepBack", request_step_back, Needs::MACHINE, "supportsStepBack"},
    {"reverseContinue", request_reverse_continue, Needs::MACHINE, ""},
    {"setInstructionBreakpoints", request_set_instruction_breakpoints, Needs::NOTHING,
     "supportsInstructionBreakpoints supportsConditionalBreakpoints supportsHitConditionalBreakpoints"},
    {"setExceptionBreakpoints", request_set_exception_breakpoints, Needs::NOTHING, ""},
    {"dataBreakpointInfo", request_data_breakpoint_info, Needs::MACHINE,
     "supportsDataBreakpoints supportsDataBreakpointBytes"},
    {"setDataBreakpoints", request_set_data_breakpoints, Needs::MACHINE, ""},
    {"stackTrace", request_stack_trace, Needs::MACHINE, ""},
    {"scopes", request_scopes, Needs::MACHINE, ""},
    {"variables", request_variables, Needs::MACHINE, ""},
    {"setVariable", request_set_variable, Needs::MACHINE, "supportsSetVariable"},
    {"evaluate", request_evaluate, Needs::MACHINE, "supportsEvaluateForHovers"},
    {"setExpression", request_set_expression, Needs::MACHINE, "supportsSetExpression"},
    {"readMemory", request_read_memory, Needs::MACHINE, "supportsReadMemoryRequest"},
    {"writeMemory", request_write_memory, Needs::MACHINE, "supportsWriteMemoryRequest"},
    {"disassemble", request_disassemble, Needs::MACHINE, "supportsDisassembleRequest"},
    {"setBreakpoints", request_set_breakpoints, Needs::NOTHING, ""},
}};
// clang-format on

}  // namespace

const RequestRow* find_request(std::string_view command)
{
    for (const RequestRow& row : REQUESTS) {
        if (row.command == command) {
            return &row;
        }
    }
    return nullptr;
}

Json capabilities()
{
    Json body = Json::object();
    for (const RequestRow& row : REQUESTS) {
        std::string_view names = row.capabilities;
        while (!names.empty()) {
            const std::size_t blank = names.find(' ');
            body[std::string(names.substr(0, blank))] = true;
            names.remove_prefix(blank == std::string_view::npos ? names.size() : blank + 1);
        }
    }
    body["exceptionBreakpointFilters"] = exception_filters();
    body["supportsSteppingGranularity"] = true;
    return body;
}
