// Running, stopping and stepping the processor, as the overlay's keys do:
// continue leaves the debugger (e), pause stops (F1), stepIn executes one
// instruction (F1 while held), next steps over a call (F7).
#include "dap/requests.h"
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

}  // namespace

void request_continue(Arguments&, Reply& reply)
{
    reply.body["allThreadsContinued"] = true;
    if (g_debugger.stopped) {
        debugger_leave();  // the picture is shown while the machine runs
    }
    resume_for_client("pause");
}

void request_pause(Arguments&, Reply&)
{
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
