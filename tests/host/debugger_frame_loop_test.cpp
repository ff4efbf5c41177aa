// The frame loop with the overlay: held, single-stepping, running under the
// overlay and inside an interrupt service. Keys are sent through the host
// event queue; Escape ends the loop at the first event poll that sees it.
#include <SDL.h>
#include <gtest/gtest.h>

#include "debugger/debugger.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/frame_loop.h"

namespace {

constexpr uint16_t NOP = 0x1000;   // 10 cycles
constexpr uint16_t RTWP = 0x0380;  // 14 cycles
constexpr int32_t NOP_CYCLES = 10;

// A machine whose program is a long run of NOPs from >0100.
void start_nop_machine()
{
    start_overlay_machine();
    for (Location at = 0x0100; at < 0x8000; at = static_cast<Location>(at + 2)) {
        poke_words(at, {NOP});
    }
}

}  // namespace

TEST(OverlayLoop, JustStoppedShowsTheOverlayAndExecutesNothing)
{
    start_nop_machine();
    g_debugger.stopped = 1;
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_debugger.overlay_visible, 1);
    EXPECT_EQ(g_cpu.PC, 0x0100);
    EXPECT_EQ(g_cycles, 0);
}

TEST(OverlayLoop, HeldProcessorStepsOneInstructionPerF1)
{
    start_nop_machine();
    g_debugger.stopped = 1;
    push_key(SDLK_F1);  // already held: a first turn shows the overlay, then each F1 steps
    push_key(SDLK_F1);
    push_key(SDLK_F1);
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_cpu.PC, 0x0106);
    EXPECT_EQ(g_cycles, 3 * NOP_CYCLES);
    EXPECT_EQ(g_debugger.stopped, 1);
}

// Under the overlay every instruction is followed by an event poll.
TEST(OverlayLoop, RunningUnderTheOverlayPollsAfterEachInstruction)
{
    start_nop_machine();
    debugger_show();
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_cpu.PC, 0x0102);
    EXPECT_EQ(g_debugger.overlay_visible, 1);
}

// Free running, events are polled only at the frame's end.
TEST(OverlayLoop, FreeRunningPollsOnlyAtTheFrameEnd)
{
    start_nop_machine();
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_quit, 1);
    EXPECT_GE(g_cycles, CYCLES_PER_FRAME);
    EXPECT_EQ(g_cpu.PC, 0x0100 + 2 * ((CYCLES_PER_FRAME + NOP_CYCLES - 1) / NOP_CYCLES));
    EXPECT_EQ(g_debugger.overlay_visible, 0);
}

// An interrupt service runs to its RTWP at full speed, without redraws or
// polls, even while the debugger holds the processor; then the hold resumes.
TEST(OverlayLoop, InterruptServiceRunsThroughAHold)
{
    start_nop_machine();
    poke_words(0x0100, {NOP, NOP, RTWP});
    poke_words(0xF01A, {0xF000, 0x0200, 0x0000});  // R13 to R15: the interrupted context
    debugger_show();
    g_debugger.stopped = 1;
    g_debugger.in_interrupt = 1;
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_cpu.PC, 0x0200);
    EXPECT_EQ(g_debugger.in_interrupt, 0);
    EXPECT_EQ(g_debugger.stopped, 1);
    EXPECT_EQ(g_cycles, 2 * NOP_CYCLES + 14);
}
