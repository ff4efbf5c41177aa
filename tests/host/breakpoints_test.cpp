// Breakpoints and step over in the real frame loop. Every hold ends the
// loop, as in a headless run; the overlay then comes up as the loop's next
// turn would bring it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calls_program.h"
#include "core/cpu_program.h"
#include "debugger/breakpoints.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "debugger/step_over.h"
#include "host_events.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/time_travel.h"

namespace {

constexpr uint16_t NOP = 0x1000;       // 10 cycles, as JMP
constexpr uint16_t JMP_0100 = 0x10FD;  // at >0104
constexpr uint16_t RTWP = 0x0380;
constexpr uint16_t RETURN = 0x045B;  // B *R11
constexpr int32_t NOP_CYCLES = 10;

using Holds = std::vector<std::string>;
Holds g_holds;

// The program at >0100 with WP >F000, and the frame interrupt's service, an
// RTWP at >0200 with the workspace at >F020.
void start_machine(std::initializer_list<uint16_t> program)
{
    start_overlay_machine();
    debug_checks_clear();
    g_debug_host.held = [](const char* reason) {
        g_holds.emplace_back(reason);
        g_quit = 1;
    };
    debug_hooks_update();
    g_holds.clear();
    poke_words(0x0100, program);
    poke_words(0x000C, {0xF020, 0x0200});
    poke_words(0x0200, {RTWP});
}

// Until the debugger holds the processor or the frame's budget is spent.
void run_until_held()
{
    g_quit = 0;
    run_instructions();
    if (g_debugger.stopped) {
        debugger_show();
    }
}

// As the stop key holds the processor.
void hold()
{
    g_debugger.stopped = 1;
    debugger_show();
}

// The frame's end with its interrupt, then the next frame's start.
void next_frame()
{
    end_frame();
    g_cycles = 0;
}

// The frame's budget runs out after `instructions` more NOPs, with the
// frame interrupt enabled.
void end_frame_after(int instructions)
{
    g_cycles = CYCLES_PER_FRAME - instructions * NOP_CYCLES;
    g_cpu.ST = 3;
}

struct Breakpoints : testing::Test {
    void TearDown() override
    {
        debug_checks_clear();
        drain_events();
        program_names_forget();
        timeline_stop();
        g_return_while_held = false;
    }
};

// The calls program with its names, and a breakpoint at `place`.
void start_calls_program(const char* place)
{
    start_machine({});
    load_calls_program();
    debugger_init();
    uint16_t address = 0;
    std::string error;
    ASSERT_TRUE(place_address(place, address, error)) << error;
    debug_break_at(address);
}

std::string overlay_row(int row)
{
    const std::string text = screen_text(0, row, TEXT_COLUMNS);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// F9 sets a breakpoint at the held PC; the processor stops before that
// instruction, in the processor view, and F2 or F1 from there executes it.
TEST_F(Breakpoints, StopResumeStepAndF9)
{
    start_machine({NOP, NOP, JMP_0100});
    hold();
    press_key(SDLK_F9);
    debugger_show_vdp();
    press_key(SDLK_F2);  // the new breakpoint's own instruction runs on
    run_until_held();
    EXPECT_EQ(g_cpu.PC, 0x0100);
    EXPECT_EQ(g_cycles, 3 * NOP_CYCLES);
    EXPECT_EQ(g_debugger.show_vdp_memory, 0);
    EXPECT_EQ(screen_text(9, 1, 5), "BREAK");

    press_key(SDLK_F2);
    run_until_held();
    EXPECT_EQ(g_cycles, 6 * NOP_CYCLES);
    press_key(SDLK_F1);
    EXPECT_EQ(g_cpu.PC, 0x0102);
    press_key(SDLK_F2);
    run_until_held();
    EXPECT_EQ(g_cpu.PC, 0x0100);
    EXPECT_EQ(g_cycles, 9 * NOP_CYCLES);
    EXPECT_EQ(g_holds, Holds(3, "breakpoint at >0100"));

    press_key(SDLK_F9);
    debugger_draw_view();
    EXPECT_EQ(screen_text(9, 1, 5), "     ");
    EXPECT_FALSE(breakpoint_at(0x0100));
}

// The frame ends as PC reaches the breakpoint: the interrupt is taken first
// and the processor stops once, when its service has returned; a breakpoint
// in the service holds it there, before that instruction, and F1 steps on
// through the service. A step from the breakpoint into the frame's end runs
// the service through the hold without a second stop (so only Escape ends
// the loop).
TEST_F(Breakpoints, InterruptsAtTheBreakpoint)
{
    const struct {
        uint16_t breakpoint;
        bool step;
        const char* reason;
        uint16_t pc, wp;  // where it holds
    } cases[] = {
        {0x0102, false, "breakpoint at >0102", 0x0102, 0xF000},
        {0x0200, false, "breakpoint at >0200", 0x0200, 0xF020},
        {0x0100, true, "breakpoint at >0100", 0x0102, 0xF000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        start_machine({NOP, NOP, NOP});
        debug_break_at(c.breakpoint);
        if (c.step) {
            run_until_held();
            end_frame_after(1);
            press_key(SDLK_F1);
        } else {
            end_frame_after(1);
            run_until_held();
            EXPECT_EQ(g_debugger.stopped, 0);
        }
        next_frame();
        push_key(SDLK_ESCAPE);  // for the step, which holds without a report
        run_until_held();
        EXPECT_EQ(g_cpu.PC, c.pc);
        EXPECT_EQ(g_cpu.WP, c.wp);
        EXPECT_EQ(g_debugger.stopped, 1);
        EXPECT_EQ(g_debugger.in_interrupt, c.wp == 0xF020);
        EXPECT_EQ(g_holds, Holds{c.reason});
        if (c.wp == 0xF020) {
            press_key(SDLK_F1);  // the service's RTWP
            EXPECT_EQ(g_cpu.PC, 0x0102);
            EXPECT_TRUE(processor_held());
        }
    }
}

// F7 runs the routine at >0300 (two NOPs and a return) whole, whether a BL,
// a BLWP (vector at >0400) or an XOP (vector at >0048) calls it; an
// interrupt in between runs as usual. Any other instruction is F1's step.
TEST_F(Breakpoints, StepOverRunsACallUntilItReturns)
{
    const struct {
        const char* call;
        std::initializer_list<uint16_t> program;
        uint16_t returns_to;
    } cases[] = {
        {"BL @>0300", {0x06A0, 0x0300, NOP}, 0x0104},
        {"BLWP @>0400", {0x0420, 0x0400, NOP}, 0x0104},
        {"XOP R1,2", {0x2C81, NOP}, 0x0102},
        {"NOP", {NOP, NOP}, 0x0102},
    };
    for (const auto& c : cases) {
        for (const bool interrupted : {false, true}) {
            SCOPED_TRACE(std::string(c.call) + (interrupted ? ", interrupted" : ""));
            start_machine(c.program);
            const uint16_t first = *c.program.begin();
            poke_words(0x0300, {NOP, NOP, first == 0x06A0 ? RETURN : RTWP});
            poke_words(0x0400, {0xF040, 0x0300});
            poke_words(0x0048, {0xF040, 0x0300});
            hold();
            if (interrupted) {
                end_frame_after(2);
            }
            press_key(SDLK_F7);
            if (first != NOP) {
                run_until_held();
                if (interrupted) {
                    next_frame();
                    run_until_held();
                }
            }
            EXPECT_EQ(g_cpu.PC, c.returns_to);
            EXPECT_EQ(g_cpu.WP, 0xF000);
            EXPECT_EQ(g_debugger.stopped, 1);
            EXPECT_EQ(g_debugger.in_interrupt, 0);
            EXPECT_EQ(g_holds, Holds(first == NOP ? 0 : 1, "step over ended"));
        }
    }
}

// A routine that calls itself through the same BL. Stepping over the outer
// call stops at a breakpoint on the way; stepping over the inner call then
// stops when that call returns, not when a deeper one does. R2 counts the
// levels down, R10 is the routine's stack of return addresses.
TEST_F(Breakpoints, StepOverARecursiveCallWaitsForItsOwnReturn)
{
    start_machine({0x06A0, 0x0300, NOP});  // BL @>0300
    poke_words(0x0300, {0x0602,            // >0300 DEC  R2
                        0x1306,            // >0302 JEQ  >0310
                        0xCE8B,            // >0304 MOV  R11,*R10+
                        0x06A0, 0x0300,    // >0306 BL   @>0300
                        0x064A,            // >030A DECT R10
                        0xC2DA,            // >030C MOV  *R10,R11
                        NOP,               // >030E
                        RETURN});          // >0310 B    *R11
    set_reg(2, 3);
    set_reg(10, 0xF100);
    debug_break_at(0x0306);
    hold();
    press_key(SDLK_F7);
    run_until_held();
    EXPECT_EQ(g_cpu.PC, 0x0306);
    EXPECT_FALSE(step_over_running());
    press_key(SDLK_F9);  // off again, then step over the inner call
    press_key(SDLK_F7);
    run_until_held();
    EXPECT_EQ(g_cpu.PC, 0x030A);
    EXPECT_EQ(reg(10), 0xF102);  // back at the first level
    EXPECT_EQ(reg(2), 0);
    EXPECT_EQ(g_holds, (Holds{"breakpoint at >0306", "step over ended"}));
}

// Held at a breakpoint of the calls program: the free rows at the overlay's
// foot name PC's place, the callers innermost first and the reason, as the
// title does, and every other cell is as it is without names or callers.
TEST_F(Breakpoints, TheOverlayNamesThePlaceTheCallersAndTheReason)
{
    const struct {
        const char* place;
        std::vector<std::string> rows;  // 19 to 23
        const char* title;
    } cases[] = {
        {"COUNT",
         {"AT COUNT (COUNT.ASM:2)", "CALLED FROM STEP+4 (MAIN.ASM:13)", "CALLED FROM LOOP (MAIN.ASM:10)", "",
          "BREAKPOINT AT >0120"},
         "breakpoint at >0120 - at COUNT (count.asm:2)"},
        {"main.asm:11", {"AT LOOP+4 (MAIN.ASM:11)", "", "", "", "BREAKPOINT AT >0110"}, nullptr},
        {"TICK",
         {"AT TICK (MAIN.ASM:17)", "INTERRUPTED AT STEP (MAIN.ASM:12)", "CALLED FROM LOOP (MAIN.ASM:10)", "",
          "BREAKPOINT AT >0126"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.place);
        start_calls_program(c.place);
        run_until_held();
        if (!processor_held()) {
            next_frame();
            run_until_held();
        }
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(overlay_row(19 + static_cast<int>(i)), c.rows[i]);
        }
        EXPECT_EQ(debugger_hold_words(), c.title != nullptr ? c.title : debugger_hold_words());
        const auto grid = g_debugger.text_grid;
        program_names_forget();
        call_stack_clear();
        debugger_show();
        const auto free_rows = grid.begin() + 19 * TEXT_COLUMNS;
        EXPECT_TRUE(std::equal(grid.begin(), free_rows, g_debugger.text_grid.begin()));
        EXPECT_EQ(overlay_row(19) + overlay_row(20) + overlay_row(23), "BREAKPOINT AT" + c.rows[4].substr(13));
    }
}

// Stepping back puts the call stack back as it was going forward, through a
// BL, a BLWP and both their returns.
TEST_F(Breakpoints, SteppingBackPutsTheCallStackBack)
{
    start_calls_program("LOOP");
    g_debug_host.held = nullptr;
    time_travel_start(FRAMES_PER_SECOND);
    g_return_while_held = true;
    g_quit = 0;
    run_frame();
    ASSERT_TRUE(processor_held());
    std::vector<std::vector<CallFrame>> seen;
    for (int step = 0; step < 12; ++step) {
        seen.push_back(call_stack_frames());
        press_key(SDLK_F1);
    }
    EXPECT_EQ(seen[3].size(), 2u) << "in the routine that BLWP called";
    for (int step = 11; step >= 0; --step) {
        debugger_go_back(false);
        EXPECT_EQ(call_stack_frames(), seen[static_cast<std::size_t>(step)]) << step;
    }
}

}  // namespace
