// Running, stopping and stepping the processor, as the overlay's keys do:
// continue leaves the debugger (e), pause stops (F1), stepIn executes one
// instruction (F1 while held), next steps over a call (F7), stepBack and
// reverseContinue go back (Backspace, Shift+Backspace).
#include <cctype>
#include <cstdio>

#include "cpu/cpu.h"
#include "dap/breakpoint_table.h"
#include "dap/requests.h"
#include "debugger/breakpoints.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"

namespace {

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
    char text[40];
    std::snprintf(text, sizeof text, "ran back to the breakpoint at >%04X", unsigned{g_cpu.PC});
    return {"breakpoint", text, breakpoint_ids_at(g_cpu.PC)};
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
        debugger_leave();  // the picture is shown while the machine runs
    }
    g_session.host.end_pause();
    resume_for_client("pause");
}

void request_pause(Arguments&, Reply&)
{
    g_session.host.end_pause();  // the debugger holds the processor instead, as F1 does
    if (g_debugger.stopped) {
        return;  // held already
    }
    g_debugger.stopped = 1;
    resume_for_client("pause");
}

void request_step_in(Arguments&, Reply& reply)
{
    if (held_for_client(reply)) {
        step_one_instruction();
    }
}

// A call runs until it has returned; any other instruction is one step.
// By source line, later, this is where a line's instructions are stepped.
void request_next(Arguments&, Reply& reply)
{
    if (!held_for_client(reply)) {
        return;
    }
    if (debugger_step_over()) {
        resume_for_client("step");
        debugger_leave();
    } else {
        step_one_instruction();
    }
}

// One instruction back (by source line, later, a line's instructions).
void request_step_back(Arguments&, Reply& reply)
{
    go_back(false, reply);
}

void request_reverse_continue(Arguments&, Reply& reply)
{
    go_back(true, reply);
}
