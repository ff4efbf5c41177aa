// Running, stopping and stepping the processor, as the overlay's keys do:
// continue leaves the debugger (e), pause stops (F1), stepBack and
// reverseContinue go back (Backspace, Shift+Backspace). The steps go by
// source line where the program's debug information knows PC's line, else
// by instruction as F1 and F7 do: stepIn to the next line (into calls),
// next to the next line of this routine (over calls), stepOut until the
// innermost call returns.
#include <cctype>

#include "cpu/cpu.h"
#include "dap/breakpoint_table.h"
#include "dap/names.h"
#include "dap/requests.h"
#include "debugger/breakpoints.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "debugger/program_names.h"

namespace {

// A step by source line or out of a call: where it began.
struct LineStep {
    bool over_calls;      // next: calls run whole
    bool out;             // stepOut: only the return ends it
    std::size_t depth;    // the calls in progress when it began
    uint16_t start_pc;
    const LineEntry* line;
    bool in_service;      // began inside the frame interrupt's service
};

LineStep line_step{};

// The line PC stands on, or null without one.
const LineEntry* line_at_pc()
{
    const DebugSymbols* symbols = program_symbols();
    return symbols != nullptr ? symbols->line_at(g_cpu.PC) : nullptr;
}

// The calls in progress, with a return just made already taken off (the
// checks follow it before the next instruction).
std::size_t depth_here()
{
    const std::size_t depth = call_stack_depth();
    for (std::size_t i = 0; i < depth && return_address_marked(g_cpu.PC); ++i) {
        const CallFrame frame = call_stack_frame(i);
        if (frame.return_address == g_cpu.PC && frame.caller_wp == g_cpu.WP) {
            return depth - i - 1;
        }
    }
    return depth;
}

// After each instruction of the step: a return from the routine it began
// in ends it; else, at its own level (or deeper, stepping in), an
// instruction of another line, or of this line again, or one without a line
// at its own level. Code without lines inside a call, and the frame
// interrupt's service, run through.
bool line_step_ended()
{
    const std::size_t depth = depth_here();
    if (depth < line_step.depth) {
        return true;
    }
    if (line_step.out || (depth > line_step.depth && line_step.over_calls) ||
        (g_debugger.in_interrupt != 0 && !line_step.in_service)) {
        return false;
    }
    const LineEntry* line = line_at_pc();
    if (line == nullptr) {
        return depth == line_step.depth;
    }
    return line != line_step.line || g_cpu.PC == line_step.start_pc;
}

void begin_line_step(bool over_calls, bool out)
{
    line_step = {over_calls, out, call_stack_depth(), g_cpu.PC, line_at_pc(), g_debugger.in_interrupt != 0};
    resume_for_client("step");
    debugger_step_until(line_step_ended);
    debugger_leave();
}

// "instruction" steps one instruction even where PC has a source line.
bool by_line(Arguments& arguments)
{
    return arguments.text("granularity", "statement") != "instruction" && line_at_pc() != nullptr;
}

bool held_for_client(Reply& reply)
{
    if (!processor_settled()) {
        reply.fail("the processor is running");
        return false;
    }
    return true;
}

// One instruction, as the stop key steps one while the processor is held.
void step_one_instruction()
{
    resume_for_client("step");
    execute_instruction();
}

// The debugger's words, as a sentence for the client.
std::string sentence(std::string text)
{
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// Where a run back went, as the stop the client hears of.
StopNote run_back_stop()
{
    if (hit_gone_back_to() == HitKind::WATCH) {
        return {"data breakpoint", "ran back to where watched memory changed", {}};
    }
    if (!breakpoint_at(g_cpu.PC)) {
        return {"breakpoint", "ran back to a breakpoint in an interrupt service", {}};
    }
    return {"breakpoint", "ran back to the breakpoint at " + word_text(g_cpu.PC), breakpoint_ids_at(g_cpu.PC)};
}

// The machine goes back through the host, which keeps its past, or stays
// where it is and the client hears why, in the overlay's words.
void go_back(bool to_last_hit, Reply& reply)
{
    if (!held_for_client(reply)) {
        return;
    }
    const GoingBack result = g_session.host.go_back(to_last_hit);
    if (result != GoingBack::DONE) {
        const std::string why = going_back_refusal(result);
        reply.fail(!why.empty() ? sentence(why) : "the processor is running");
        ++g_session.changes;  // the overlay says why too
        return;
    }
    resume_for_client("step");
    g_session.pending = to_last_hit ? run_back_stop() : StopNote{"step", "stepped back", {}};
}

}  // namespace

void request_continue(Arguments&, Reply& reply)
{
    reply.body["allThreadsContinued"] = true;
    if (g_debugger.stopped) {
        debug_resume_here();
        debugger_leave();  // the picture is shown while the machine runs
    }
    g_session.host.end_pause();
    resume_for_client("pause");
}

void request_pause(Arguments&, Reply&)
{
    g_session.host.end_pause();  // the debugger holds the processor instead, as F1 does
    // Held already, the client still hears of the stop, so that it shows
    // the processor held whatever it believed.
    g_debugger.stopped = 1;
    resume_for_client("pause");
}

void request_step_in(Arguments& arguments, Reply& reply)
{
    if (!held_for_client(reply)) {
        return;
    }
    if (by_line(arguments)) {
        begin_line_step(false, false);
    } else {
        step_one_instruction();
    }
}

// By instruction, a call runs until it has returned; any other instruction
// is one step.
void request_next(Arguments& arguments, Reply& reply)
{
    if (!held_for_client(reply)) {
        return;
    }
    if (by_line(arguments)) {
        begin_line_step(true, false);
    } else if (debugger_step_over()) {
        resume_for_client("step");
        debugger_leave();
    } else {
        step_one_instruction();
    }
}

void request_step_out(Arguments&, Reply& reply)
{
    if (!held_for_client(reply)) {
        return;
    }
    if (call_stack_depth() == 0) {
        reply.fail("No call is in progress to step out of");
        return;
    }
    begin_line_step(false, true);
}

// One instruction back: a source line is one instruction.
void request_step_back(Arguments&, Reply& reply)
{
    go_back(false, reply);
}

void request_reverse_continue(Arguments&, Reply& reply)
{
    go_back(true, reply);
}
