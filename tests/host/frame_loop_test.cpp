// The frame: instructions until the cycle budget is spent, then the frame
// flag, the decrementer, the picture, the frame interrupt and the events.
#include <gtest/gtest.h>

#include <SDL.h>

#include "cpu/memory.h"
#include "debugger/debugger.h"
#include "display/display.h"
#include "display/render.h"
#include "display/window.h"
#include "host_events.h"
#include "host_machine.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "video/vdp.h"

namespace {

constexpr uint16_t MOV_R1_R2 = 0xC081;   // 14 cycles, advances PC by 2
constexpr int32_t MOV_CYCLES = 14;
constexpr int INSTRUCTIONS_PER_FRAME = (CYCLES_PER_FRAME + MOV_CYCLES - 1) / MOV_CYCLES;  // 3185
constexpr uint16_t START = 0x0100;
constexpr uint16_t SERVICE_WP = 0xF020;
constexpr uint16_t SERVICE_PC = 0x0200;

// A long run of 14-cycle instructions from START, and a level-3 vector.
void load_program()
{
    reset_host_machine();
    for (Location a = START; a < 0x7000; a = static_cast<Location>(a + 2)) {
        mem_write_word(a, MOV_R1_R2);
    }
    poke_words(0x000C, {SERVICE_WP, SERVICE_PC});
    g_cpu.PC = START;
}

int instructions_run()
{
    return (g_cpu.PC - START) / 2;
}

void press_escape()
{
    push_key_event(true, SDLK_ESCAPE);
}

TEST(EndOfFrame, InterruptMask)
{
    struct Case {
        const char* name;
        uint16_t st;
        bool taken;
        uint16_t st_after;
    };
    const Case cases[] = {
        {"mask 0", 0x0000, false, 0x0000},
        {"mask 2", 0xC002, false, 0xC002},
        {"mask 3", 0x0003, true, 0x0003},
        {"mask 4 becomes 3", 0x2004, true, 0x2003},
        {"mask 7 becomes 3", 0x0007, true, 0x0003},
        {"mask 8 becomes 11", 0x0008, true, 0x000B},
        {"mask 15 becomes 11, flags kept", 0xC00F, true, 0xC00B},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load_program();
        g_cpu.ST = c.st;
        end_frame();
        EXPECT_EQ(g_cpu.ST, c.st_after);
        EXPECT_EQ(g_cpu.PC, c.taken ? SERVICE_PC : START);
        EXPECT_EQ(g_cpu.WP, c.taken ? SERVICE_WP : 0xF000);
        EXPECT_EQ(g_cycles, c.taken ? 26 : 0);
        EXPECT_EQ(g_debugger.in_interrupt, c.taken ? 1 : 0);
        if (c.taken) {
            EXPECT_EQ(mem_read_word(SERVICE_WP + 30), c.st) << "R15 holds ST as it was";
            EXPECT_EQ(mem_read_word(SERVICE_WP + 28), START);
        } else {
            EXPECT_EQ(mem_read_word(SERVICE_WP + 30), 0xCDCD);
        }
    }
}

TEST(EndOfFrame, FrameFlagAndDecrementer)
{
    struct Case {
        const char* name;
        uint8_t status;
        int32_t decrementer_enabled;
        uint8_t status_after;
        uint16_t counter_after;
    };
    const Case cases[] = {
        {"flag cleared, other bits kept", 0x85, 0, 0x05, 0x0000},
        {"clear flag stays clear", 0x00, 0, 0x00, 0x0000},
        {"enabled decrementer wraps", 0x80, 1, 0x00, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load_program();
        g_vdp.status = c.status;
        g_decrementer_enabled = c.decrementer_enabled;
        poke_words(DECREMENTER_ADDRESS, {0x0000});
        end_frame();
        EXPECT_EQ(g_vdp.status, c.status_after);
        EXPECT_EQ(mem_read_word(DECREMENTER_ADDRESS), c.counter_after);
    }
}

// The decrementer ticks before the interrupt: with the service workspace
// placed so that R13 is the counter word, the saved WP is what remains.
TEST(EndOfFrame, DecrementerTicksBeforeTheInterrupt)
{
    load_program();
    poke_words(0x000C, {static_cast<uint16_t>(DECREMENTER_ADDRESS - 26), SERVICE_PC});
    poke_words(DECREMENTER_ADDRESS, {0x0005});
    g_decrementer_enabled = 1;
    g_cpu.ST = 0x0003;
    end_frame();
    EXPECT_EQ(mem_read_word(DECREMENTER_ADDRESS), 0xF000);
}

// Events are polled last: an Escape waiting in the queue ends the program
// only after the frame interrupt has been taken.
TEST(EndOfFrame, EventsComeLast)
{
    load_program();
    g_cpu.ST = 0x0003;
    press_escape();
    end_frame();
    EXPECT_EQ(g_quit, 1);
    EXPECT_EQ(g_cpu.PC, SERVICE_PC);
    drain_events();
}

// Instruction costs are even and the budget is odd, so the boundary is
// reached exactly only from an odd start count.
TEST(FrameBudget, EndsAtTheFirstInstructionReachingIt)
{
    struct Case {
        const char* name;
        int32_t start;
        int instructions;
        int32_t cycles_after;
    };
    const Case cases[] = {
        {"reaching exactly 44583", CYCLES_PER_FRAME - MOV_CYCLES, 1, CYCLES_PER_FRAME},
        {"one short of it goes on", CYCLES_PER_FRAME - MOV_CYCLES - 1, 2, CYCLES_PER_FRAME + MOV_CYCLES - 1},
        {"passing it", CYCLES_PER_FRAME - 1, 1, CYCLES_PER_FRAME + MOV_CYCLES - 1},
        {"already spent: one instruction still runs", CYCLES_PER_FRAME, 1, CYCLES_PER_FRAME + MOV_CYCLES},
        {"from zero", 0, INSTRUCTIONS_PER_FRAME, INSTRUCTIONS_PER_FRAME * MOV_CYCLES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load_program();
        g_cycles = c.start;
        run_instructions();
        EXPECT_EQ(instructions_run(), c.instructions);
        EXPECT_EQ(g_cycles, c.cycles_after);
    }
}

// Each frame starts from 0: neither the overrun nor the interrupt's cycles
// are carried into the next.
TEST(FrameBudget, EveryFrameStartsAgainAtZero)
{
    load_program();
    g_cycles = 40000;
    g_cpu.ST = 0x0000;
    run_frame();
    EXPECT_EQ(instructions_run(), INSTRUCTIONS_PER_FRAME);
    run_frame();
    EXPECT_EQ(instructions_run(), 2 * INSTRUCTIONS_PER_FRAME);
    EXPECT_EQ(g_cycles, INSTRUCTIONS_PER_FRAME * MOV_CYCLES);
}

TEST(FrameRun, QuitFlag)
{
    // Already set: the loop is skipped altogether.
    load_program();
    g_vdp.status = 0x80;
    g_quit = 1;
    frame_loop();
    EXPECT_EQ(instructions_run(), 0);
    EXPECT_EQ(g_vdp.status, 0x80);

    // Set when a frame starts: no instruction, but the end-of-frame steps run.
    load_program();
    g_vdp.status = 0x80;
    g_quit = 1;
    run_frame();
    EXPECT_EQ(instructions_run(), 0);
    EXPECT_EQ(g_vdp.status, 0x00);

    // Escape during a frame: the frame is completed, then the loop ends.
    load_program();
    press_escape();
    frame_loop();
    EXPECT_EQ(instructions_run(), INSTRUCTIONS_PER_FRAME);
    drain_events();
}

// An interrupt service runs even while the debugger holds the processor.
TEST(FrameRun, InterruptServiceRunsWhileStopped)
{
    load_program();
    g_debugger.stopped = 1;
    g_debugger.in_interrupt = 1;
    g_debugger.overlay_visible = 1;
    g_cycles = CYCLES_PER_FRAME - 2 * MOV_CYCLES;
    run_instructions();
    EXPECT_EQ(instructions_run(), 2);
}

// With the overlay shown and the processor running, frames still end at the
// budget.
TEST(FrameRun, RunsUnderTheOverlay)
{
    load_program();
    g_debugger.overlay_visible = 1;
    g_cycles = CYCLES_PER_FRAME - 3 * MOV_CYCLES;
    run_instructions();
    EXPECT_EQ(instructions_run(), 3);
    drain_events();
}

// When no window could be opened the machine runs on without a picture:
// whole frames, with and without the overlay, never touch a surface.
TEST(FrameRun, WithoutAWindow)
{
    load_program();
    g_surface = nullptr;
    run_frame();
    g_debugger.overlay_visible = 1;
    run_frame();
    EXPECT_EQ(instructions_run(), 2 * INSTRUCTIONS_PER_FRAME);
    drain_events();
}

// Codes outside the opcode map cost no cycles: a machine whose memory holds
// nothing else never spends its budget. The events are polled all the same,
// so that Escape still ends the program.
TEST(FrameRun, EscapeEndsAFrameThatCostsNoCycles)
{
    reset_host_machine();
    g_memory.fill(0x00);
    press_escape();
    run_frame();
    EXPECT_EQ(g_quit, 1);
    EXPECT_EQ(g_cycles, 0);
    drain_events();
}

// "JMP $" costs 10 cycles: the frame ends at the first count past the budget.
TEST(FrameBudget, JumpToItself)
{
    reset_host_machine();
    poke_words(START, {0x10FF});
    g_cpu.PC = START;
    run_frame();
    EXPECT_EQ(g_cpu.PC, START);
    EXPECT_EQ(g_cycles, 44590);
}

}  // namespace
