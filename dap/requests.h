// The request handlers, one family to a file, and the table that names them.
#pragma once

#include <string_view>

#include "dap/session.h"

// What a request needs before it can be answered.
enum class Needs : uint8_t {
    NOTHING,
    MACHINE,  // a launched machine that has not ended
};

struct RequestRow {
    std::string_view command;
    Handler handle;
    Needs needs;
    std::string_view capabilities;  // what `initialize` announces for it, blank-separated
};

// The variables' references: the scopes, and ST's flags
// (requests_state.cpp); a data breakpoint names its scope by them too.
constexpr int64_t WORKSPACE = 1;
constexpr int64_t PROCESSOR = 2;
constexpr int64_t STATUS_FLAGS = 3;
constexpr int64_t VIDEO_CHIP = 4;
constexpr int64_t LABELS = 5;

// The row for `command`, or null.
const RequestRow* find_request(std::string_view command);

// Every capability of every row, as `initialize` answers them.
Json capabilities();

// Session: requests_session.cpp
void request_initialize(Arguments& arguments, Reply& reply);
void request_launch(Arguments& arguments, Reply& reply);
void request_configuration_done(Arguments& arguments, Reply& reply);
void request_disconnect(Arguments& arguments, Reply& reply);
void request_terminate(Arguments& arguments, Reply& reply);
void request_restart(Arguments& arguments, Reply& reply);
void request_threads(Arguments& arguments, Reply& reply);

// Running and stopping: requests_run.cpp
void request_continue(Arguments& arguments, Reply& reply);
void request_pause(Arguments& arguments, Reply& reply);
void request_step_in(Arguments& arguments, Reply& reply);
void request_next(Arguments& arguments, Reply& reply);
void request_step_out(Arguments& arguments, Reply& reply);
void request_step_back(Arguments& arguments, Reply& reply);
void request_reverse_continue(Arguments& arguments, Reply& reply);

// Breakpoints of every kind: requests_breakpoints.cpp
void request_set_breakpoints(Arguments& arguments, Reply& reply);
void request_set_instruction_breakpoints(Arguments& arguments, Reply& reply);
void request_set_exception_breakpoints(Arguments& arguments, Reply& reply);
void request_data_breakpoint_info(Arguments& arguments, Reply& reply);
void request_set_data_breakpoints(Arguments& arguments, Reply& reply);
Json exception_filters();

// The processor's state: requests_state.cpp
void request_stack_trace(Arguments& arguments, Reply& reply);
void request_scopes(Arguments& arguments, Reply& reply);
void request_variables(Arguments& arguments, Reply& reply);
void request_set_variable(Arguments& arguments, Reply& reply);
void request_evaluate(Arguments& arguments, Reply& reply);
void request_set_expression(Arguments& arguments, Reply& reply);

// Memory and its instructions: requests_memory.cpp
void request_read_memory(Arguments& arguments, Reply& reply);
void request_write_memory(Arguments& arguments, Reply& reply);
void request_disassemble(Arguments& arguments, Reply& reply);
