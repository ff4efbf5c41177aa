// The debugger's checks around each instruction: breakpoints, step over,
// watchpoints, the instruction trace and the call stack. While none of them
// is in use they cost the frame loop one test per instruction; breakpoints
// alone add a bit test on the way, and the call stack two more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/breakpoints.h"
#include "debugger/call_stack.h"
#include "debugger/hold_reason.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"

// Which checks run around each instruction.
enum DebugHooks : int32_t {
    HOOKS_OFF = 0,
    HOOKS_BREAKPOINTS = 1,  // breakpoints alone, or a headless run's watch for stops
    HOOKS_ALL = 2,          // watchpoints, step over, the trace, or a hold just left
};

extern int32_t g_debug_hooks;

// What the host hands the checks: the frame counter, where trace lines go,
// and what to do when the processor comes to be held by the debugger.
struct DebugHost {
    const uint64_t* frame_number;                        // the frame in progress
    void (*write_trace)(const char* text, std::size_t length);  // null: no trace
    void (*held)(const char* reason);                    // null: nothing to do
    bool (*break_here)(uint16_t pc);                     // at a breakpoint: false lets it pass (null: it stops)
};

extern DebugHost g_debug_host;

// One instruction with the checks around it, or a stop at a breakpoint
// instead of it.
void debug_instruction();

// The processor stopped by the instruction just executed on the quick path.
void debug_machine_stop();

// On the quick path, PC at an address that the checks look at: a return
// address is followed there (true: the instruction runs next, so the place
// is looked at once), a breakpoint is left to the slow path.
inline bool debug_quick_return()
{
    if (breakpoint_at(g_cpu.PC)) {
        return false;
    }
    call_stack_returned();
    return true;
}

// The frame loop held the processor between frames: a stop that an
// interrupt service kept waiting for a whole frame without its RTWP.
void debug_overdue_hold();

// A stop that the host finds between instructions (an odd workspace pointer
// at start-up, a frame whose instructions spend no cycles): the processor is
// held at once, even inside an interrupt service, and the host hears why.
void debug_hold(StopReason reason);

// One instruction, a call it makes followed.
inline void execute_following_calls()
{
    const uint16_t op = cpu_fetch();
    follow_calls(op);
    cpu_execute(op);
}

// The frame loop's and the single step's one instruction.
inline void execute_instruction()
{
    if (g_debug_hooks == HOOKS_OFF) {
        cpu_execute(cpu_fetch());
    } else if (g_debug_hooks == HOOKS_BREAKPOINTS && !g_debugger.stopped &&
               (!looked_at(g_cpu.PC) || debug_quick_return())) {
        execute_following_calls();
        if (g_debugger.stopped) {
            debug_machine_stop();
        }
    } else {
        debug_instruction();
    }
}

// One instruction of a replay of the kept past: no check, but the calls and
// returns followed as the checks follow them, so that the call stack is the
// one the machine had.
inline void replay_instruction()
{
    if (g_debug_hooks == HOOKS_OFF) {
        cpu_execute(cpu_fetch());
        return;
    }
    if (return_address_marked(g_cpu.PC)) {
        call_stack_returned();
    }
    execute_following_calls();
}

// The machine was put back to an earlier moment (rewound, stepped back):
// the checks go on from it as it stands, and held, the processor resumes at
// the instruction it is held at, breakpoint or not.
void debug_machine_moved();

// Held, the processor resumes with the instruction it is held at,
// breakpoint or not, also after a hold that began between instructions
// (the debug adapter's stop on entry or pause).
void debug_resume_here();

// The frame's end has taken the frame interrupt: a frame of the call stack,
// and a processor held by a check runs the service whole before it holds
// again.
void debug_interrupt_taken();

// After the frame's end has ticked the decrementer and taken the frame
// interrupt: the interrupt's trace line, and watched bytes changed there.
void debug_frame_end();

// Starts the trace now, or when PC first reaches `from`.
void trace_begin(std::optional<uint16_t> from);

// The overlay's keys. F7: steps over a call (true), or does nothing for any
// other instruction (false: the caller single-steps as F1 does). F9: a
// breakpoint at PC on or off. F1 while the processor runs: it stops. F2:
// it runs on.
bool debugger_step_over();
// A step that `ended` decides, asked after each instruction (the debug
// adapter's steps by source line and out of a call); false when the
// processor is not held.
bool debugger_step_until(bool (*ended)());
void debugger_toggle_breakpoint();
void debugger_stop_key();
void debugger_resume();

// Every check off: no breakpoint, watchpoint, step over or trace, and
// nothing handed by the host.
void debug_checks_clear();

// A breakpoint, and a watched range of `length` bytes from `start` in the
// memory named, from now on. A breakpoint set where the processor is held
// lets it go on from there when it resumes, as F9's does.
void debug_break_at(uint16_t address);
// A watch with a `value` (as many bytes as it watches) stops only when its
// bytes change and then hold that value.
void debug_watch(WatchedMemory memory, uint16_t start, uint32_t length, const std::vector<uint8_t>& value = {});

// Sets g_debug_hooks from the checks in use; each module calls it when its
// own use starts or ends.
void debug_hooks_update();
