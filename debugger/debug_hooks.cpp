#include "debugger/debug_hooks.h"

#include <cstdio>
#include <string>

#include "debugger/breakpoints.h"
#include "debugger/debugger.h"
#include "debugger/program_names.h"
#include "debugger/step_over.h"
#include "debugger/trace_line.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"

int32_t g_debug_hooks = 0;
DebugHost g_debug_host{};

namespace {

constexpr int32_t NO_ADDRESS = -1;

// Which checks are in use, as debug_hooks_update found them; the last
// three work before and after every instruction.
bool watching = false;
bool stepping_over = false;
bool checks_around = false;

// The hooks the checks in use need once the processor runs on after a hold.
int32_t settled_hooks = HOOKS_OFF;

// The trace: written now, or waiting for PC to reach its first address.
bool tracing = false;
int32_t trace_from = NO_ADDRESS;

// Held at this address, the processor executes the instruction there when
// it resumes, breakpoint or not.
int32_t resume_pc = NO_ADDRESS;

// A stop of the machine's own or of the stop key inside an interrupt
// service takes hold at its RTWP, or at the frame's end when the service
// has not returned by then (an overdue hold); the report says so.
bool stop_in_service = false;
bool hold_overdue = false;

// A check stopped the processor: the overlay comes up in the processor view.
bool show_cpu_view = false;

// The place whose returns were looked at, until an instruction runs there:
// a place where the processor is held is looked at once.
int32_t returns_checked_at = NO_ADDRESS;

// PC and WP after the last instruction: an interrupt taken at the frame's
// end changes them.
uint16_t last_pc = 0;
uint16_t last_wp = 0;

// The host has heard of the hold in progress. An interrupt service that
// runs through a hold does not begin a new one.
bool hold_reported = false;

// A hold began since the processor last ran: its reason and mark are to be
// cleared when it runs again.
bool hold_begun = false;

uint64_t frame_number()
{
    return g_debug_host.frame_number != nullptr ? *g_debug_host.frame_number : 0;
}

void note_reason(StopReason reason)
{
    hold_begun = true;
    hold_reason_note(reason);
    stop_in_service = g_debugger.in_interrupt && !g_debugger.hold_here;
}

void report_hold()
{
    if (g_debug_host.held == nullptr) {
        return;
    }
    const char* where = !stop_in_service ? ""
                        : hold_overdue   ? " in an interrupt service that had not returned by the frame's end"
                                         : " in an interrupt service, which ran on to its RTWP";
    g_debug_host.held((stop_reason_text(hold_reason()) + where).c_str());
}

// A check holds the processor where it stands, inside an interrupt service
// too; the hold shows the processor view. A hold that had begun already
// keeps its reason.
void stop(StopReason reason)
{
    show_cpu_view = true;
    const bool begins = !processor_held();
    g_debugger.hold_here = 1;
    if (begins) {
        note_reason(reason);
    }
    g_debugger.stopped = 1;
}

// PC has come to a place: a call that returns there leaves the call stack.
void check_return(uint16_t pc)
{
    if (returns_checked_at != pc) {
        returns_checked_at = pc;
        if (return_address_marked(pc)) {
            call_stack_returned();
        }
    }
}

// The processor runs on from a hold: the next one needs a reason of its own.
void running_again()
{
    hold_begun = false;
    g_debugger.hold_here = 0;
    hold_reason_clear();
}

void write_trace(std::size_t (*format)(char (&)[TRACE_LINE_SIZE], uint64_t, int32_t))
{
    char line[TRACE_LINE_SIZE];
    g_debug_host.write_trace(line, format(line, frame_number(), g_cycles));
}

void report_watches(const std::string& cause)
{
    watch_report_changes(cause.c_str());
    stop({StopCause::WATCHPOINT, 0});
}

// Once the processor is held it resumes at the instruction it is held at,
// a step over has ended, and the host hears why the hold began (a single
// step while held begins none).
void after_turn(bool stepped = false)
{
    if (!processor_held()) {
        return;
    }
    check_return(g_cpu.PC);
    resume_pc = g_cpu.PC;
    if (stepping_over) {
        step_over_end();
        debug_hooks_update();
    }
    if (g_debug_hooks != HOOKS_OFF) {
        g_debug_hooks = HOOKS_ALL;  // until the next instruction has run
    }
    if (show_cpu_view) {
        show_cpu_view = false;
        debugger_show_cpu();  // nothing if it is shown already
    }
    if (!hold_reported && !stepped) {
        report_hold();
        stop_in_service = false;
    }
    hold_overdue = false;
    hold_reported = true;
}

// The rare paths stay out of debug_instruction, which then needs no stack
// frame of its own.

// Held at a breakpoint, or resuming from one, the processor goes on. A
// breakpoint inside an interrupt service holds it there, before that
// instruction.
[[gnu::noinline]] bool stop_at_breakpoint(uint16_t pc)
{
    if (processor_held() || pc == resume_pc ||
        (g_debug_host.break_here != nullptr && !g_debug_host.break_here(pc))) {
        return false;
    }
    stop({StopCause::BREAKPOINT, pc});
    after_turn();
    return true;
}

[[gnu::noinline]] void before_instruction(uint16_t pc)
{
    if (stepping_over) {
        step_over_before();
    }
    if (watching) {
        watch_take();
    }
    if (pc == trace_from) {
        tracing = true;
        trace_from = NO_ADDRESS;
    }
    if (tracing) {
        write_trace(format_instruction_line);
    }
}

// Within an instruction the machine stops for two reasons only, and notes
// which.
[[gnu::noinline]] void note_machine_stop()
{
    note_reason(machine_stop_reason());
}

[[gnu::noinline]] void after_instruction(uint16_t pc)
{
    if (watching && watch_changed()) {
        report_watches("PC " + address_and_place(pc) + ", frame " + std::to_string(frame_number()));
    }
    const bool until = stepping_over && step_until_running();
    if (stepping_over && step_over_after()) {
        debug_hooks_update();
        stop({until ? StopCause::STEP_ENDED : StopCause::STEP_OVER_ENDED, 0});
    }
    last_pc = g_cpu.PC;
    last_wp = g_cpu.WP;
}

}  // namespace

void debug_instruction()
{
    const uint16_t pc = g_cpu.PC;
    check_return(pc);
    if (breakpoint_at(pc) && stop_at_breakpoint(pc)) {
        return;
    }
    resume_pc = NO_ADDRESS;
    const int32_t was_stopped = g_debugger.stopped;
    const bool stepped = processor_held();  // a single step
    if (!was_stopped && (hold_begun || g_debugger.hold_here != 0)) {
        running_again();
    }
    if (checks_around) {
        before_instruction(pc);
    }
    execute_following_calls();
    returns_checked_at = NO_ADDRESS;
    if (g_debugger.stopped && !was_stopped) {
        note_machine_stop();  // as the stop key does, in the view shown
    }
    if (checks_around) {
        after_instruction(pc);
    }
    if (g_debugger.stopped) {
        after_turn(stepped);
    } else {
        hold_reported = false;
        g_debug_hooks = settled_hooks;
    }
}

void debug_machine_stop()
{
    note_machine_stop();
    after_turn();
}

void debug_overdue_hold()
{
    hold_overdue = true;
    after_turn();
}

void debug_resume_here()
{
    if (processor_held()) {
        resume_pc = g_cpu.PC;
        debug_hooks_update();
    }
}

void debug_machine_moved()
{
    returns_checked_at = NO_ADDRESS;
    last_pc = g_cpu.PC;
    last_wp = g_cpu.WP;
    if (watching) {
        watch_take();
    }
    if (processor_held()) {
        if (g_debug_hooks != HOOKS_OFF) {
            check_return(g_cpu.PC);
        }
        resume_pc = g_cpu.PC;
        debug_hooks_update();
    }
}

void debug_hold(StopReason reason)
{
    g_debugger.hold_here = 1;
    note_reason(reason);
    show_cpu_view = true;
    g_debugger.stopped = 1;
    hold_reported = false;
    after_turn();
}

void debug_interrupt_taken()
{
    // Held (by a check) outside the new service, the processor runs it whole
    // before it holds again, as for any single step into it.
    g_debugger.hold_here = 0;
    if (g_debug_hooks != HOOKS_OFF) {
        call_stack_interrupted();
    }
}

void debug_frame_end()
{
    if (g_debug_hooks == HOOKS_OFF) {
        return;
    }
    const bool interrupted = g_debugger.in_interrupt && (g_cpu.PC != last_pc || g_cpu.WP != last_wp);
    if (tracing && interrupted) {
        write_trace(format_interrupt_line);
    }
    if (watching && watch_changed()) {
        report_watches("the end of frame " + std::to_string(frame_number()));
    }
    last_pc = g_cpu.PC;
    last_wp = g_cpu.WP;
    after_turn();
}

void trace_begin(std::optional<uint16_t> from)
{
    if (g_debug_host.write_trace == nullptr) {
        return;
    }
    tracing = !from.has_value();
    trace_from = from.has_value() ? *from : NO_ADDRESS;
    debug_hooks_update();
}

bool debugger_step_over()
{
    if (!g_debugger.stopped || !step_over_begin()) {
        return false;
    }
    g_debugger.stopped = 0;
    running_again();
    debug_hooks_update();
    return true;
}

void debugger_stop_key()
{
    if (!g_debugger.stopped) {
        g_debugger.stopped = 1;
        note_reason({StopCause::STOP_KEY, 0});
    }
}

void debugger_resume()
{
    g_debugger.stopped = 0;
    running_again();
}

bool debugger_step_until(bool (*ended)())
{
    if (!g_debugger.stopped) {
        return false;
    }
    step_until_begin(ended);
    g_debugger.stopped = 0;
    hold_reported = false;  // the hold that ends the step is told, even after one instruction
    running_again();
    debug_hooks_update();
    return true;
}

void debugger_toggle_breakpoint()
{
    if (g_debugger.show_vdp_memory) {
        return;  // PC is shown in the processor view only
    }
    breakpoint_toggle(g_cpu.PC);
    debug_hooks_update();
    if (processor_held()) {
        resume_pc = g_cpu.PC;
    }
}

void debug_checks_clear()
{
    g_debug_host = {};
    tracing = false;
    trace_from = NO_ADDRESS;
    resume_pc = NO_ADDRESS;
    running_again();
    call_stack_clear();
    stop_in_service = false;
    hold_overdue = false;
    show_cpu_view = false;
    hold_reported = false;
    step_over_end();
    watches_clear();
    breakpoints_clear();
    debug_hooks_update();
}

void debug_break_at(uint16_t address)
{
    breakpoint_set(address);
    if (processor_held() && address == g_cpu.PC) {
        resume_pc = address;  // as F9's: the instruction held at runs when the processor resumes
    }
    debug_hooks_update();
}

void debug_watch(WatchedMemory memory, uint16_t start, uint32_t length, const std::vector<uint8_t>& value)
{
    watch_add(memory, start, length, value);
    debug_hooks_update();
}

void debug_hooks_update()
{
    watching = any_watch();
    stepping_over = step_over_running();
    const bool tracing_soon = g_debug_host.write_trace != nullptr && (tracing || trace_from != NO_ADDRESS);
    const bool was_on = g_debug_hooks != HOOKS_OFF;
    checks_around = watching || stepping_over || tracing_soon;
    settled_hooks = checks_around                                           ? HOOKS_ALL
                    : g_breakpoints.any() || g_debug_host.held != nullptr ? HOOKS_BREAKPOINTS
                                                                            : HOOKS_OFF;
    g_debug_hooks = settled_hooks != HOOKS_OFF && resume_pc != NO_ADDRESS ? HOOKS_ALL : settled_hooks;
    if (g_debug_hooks != HOOKS_OFF && !was_on) {
        returns_checked_at = NO_ADDRESS;
        last_pc = g_cpu.PC;
        last_wp = g_cpu.WP;
        hold_reported = processor_held();
    }
}
