// The frame loop with the overlay: held, single-stepping, running under the
// overlay and inside an interrupt service; and paused. Keys are sent through
// the host event queue; Escape ends the loop at the first event poll that
// sees it.
#include <SDL.h>
#include <gtest/gtest.h>

#include "debugger/debugger.h"
#include "debugger/screen.h"
#include "fake_clock.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/pacing.h"

namespace {

constexpr uint16_t NOP = 0x1000;   // 10 cycles
constexpr uint16_t RTWP = 0x0380;  // 14 cycles
constexpr int32_t NOP_CYCLES = 10;
constexpr int NOPS_PER_FRAME = (CYCLES_PER_FRAME + NOP_CYCLES - 1) / NOP_CYCLES;

// A machine whose program is a long run of NOPs from >0100.
void start_nop_machine()
{
    start_overlay_machine();
    for (Location at = 0x0100; at < 0x8000; at = static_cast<Location>(at + 2)) {
        poke_words(at, {NOP});
    }
}

// The overlay's presents, counted in place of the window's while one lives.
int g_presents = 0;

struct CountedPresents {
    OverlayScreen saved = g_overlay_screen;
    CountedPresents()
    {
        g_presents = 0;
        g_overlay_screen.present = [] { ++g_presents; };
    }
    ~CountedPresents() { g_overlay_screen = saved; }
};

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

// Running under the overlay, the events are polled and the overlay redrawn
// once per HOST_REFRESH_TIME of the host clock, not after every instruction.
TEST(OverlayLoop, RunningUnderTheOverlayRedrawsOncePerRefresh)
{
    start_nop_machine();
    debugger_show();
    FakeClock clock;
    CountedPresents counted;
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_cpu.PC, 0x0100 + 2 * INSTRUCTIONS_BETWEEN_CLOCK_READS) << "the first look at the clock polls";
    EXPECT_EQ(g_presents, 1);

    // The clock stands still: no refresh falls due, and Escape waits for the
    // frame's end.
    g_quit = 0;
    push_key(SDLK_ESCAPE);
    const uint16_t before = g_cpu.PC;
    run_frame();
    EXPECT_EQ((g_cpu.PC - before) / 2, NOPS_PER_FRAME);
    EXPECT_EQ(g_presents, 2) << "only after the key handled at the frame's end";
}

// Held or paused, the loop sleeps EVENT_WAIT_TIME between looks at the
// events. A single step shows the overlay at once; after a pause (F3 twice)
// the frames are paced from its end.
TEST(OverlayLoop, HeldProcessorSleepsAndStepsShowAtOnce)
{
    start_nop_machine();
    debugger_show();
    g_debugger.stopped = 1;
    FakeClock clock;
    CountedPresents counted;
    int presents_after_step = 0;
    FakeClock::after_sleep = [&](std::size_t sleeps) {
        if (sleeps == 2) {
            push_key(SDLK_F1);
        } else if (sleeps == 3) {
            presents_after_step = g_presents;
        } else if (sleeps == 4) {
            push_key(SDLK_ESCAPE);
        }
    };
    run_frame();
    EXPECT_EQ(g_cpu.PC, 0x0102);
    ASSERT_EQ(FakeClock::sleeps.size(), 4u);
    EXPECT_EQ(FakeClock::sleeps[1] - FakeClock::sleeps[0], EVENT_WAIT_TIME);
    EXPECT_EQ(presents_after_step, 2) << "when the hold begins, then after the step";
}

TEST(OverlayLoop, PauseSleepsBetweenFrames)
{
    start_nop_machine();
    FakeClock clock;
    pacing_start(1);
    FakeClock::after_sleep = [](std::size_t sleeps) {
        if (sleeps >= 3) {
            push_key(sleeps == 3 ? SDLK_F3 : SDLK_ESCAPE);
        }
    };
    push_key(SDLK_F3);
    frame_loop();
    EXPECT_EQ(g_cpu.PC, 0x0100 + 2 * 3 * NOPS_PER_FRAME) << "one frame, the pause, two frames";
    ASSERT_EQ(FakeClock::sleeps.size(), 4u);
    EXPECT_EQ(FakeClock::sleeps[1] - FakeClock::sleeps[0], EVENT_WAIT_TIME);
    EXPECT_EQ(FakeClock::sleeps[3] - FakeClock::sleeps[2], 16'666'667) << "paced again from the pause's end";
}

// Free running, events are polled only at the frame's end.
TEST(OverlayLoop, FreeRunningPollsOnlyAtTheFrameEnd)
{
    start_nop_machine();
    push_key(SDLK_ESCAPE);
    run_frame();
    EXPECT_EQ(g_quit, 1);
    EXPECT_GE(g_cycles, CYCLES_PER_FRAME);
    EXPECT_EQ(g_cpu.PC, 0x0100 + 2 * NOPS_PER_FRAME);
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

// F1 during an interrupt service holds the processor after its RTWP, or,
// for a service that never returns (LWPI, then B back to the main loop),
// at the next service's start once the frame has ended.
TEST(OverlayLoop, F1DuringAnInterruptService)
{
    const struct {
        const char* name;
        std::initializer_list<uint16_t> service;
        uint16_t held_at;
        int32_t cycles_to_hold;  // spent in the last frame before the hold
    } cases[] = {
        {"returning", {RTWP}, 0x0104, 14},
        {"never returning", {0x02E0, 0xF000, 0x0460, 0x0104}, 0x0200, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        start_overlay_machine();
        poke_words(0x000C, {0xF020, 0x0200});     // level-3 vector
        poke_words(0x0100, {0x0300, 3, 0x10FF});  // LIMI 3; >0104 JMP $
        poke_words(0x0200, c.service);
        run_frame();  // ends by taking the frame interrupt
        push_key(SDLK_F1);
        run_frame();  // sees F1 at its end, just after the next interrupt
        push_key(SDLK_ESCAPE);
        run_frame();
        g_quit = 0;
        g_cycles = 0;
        push_key(SDLK_ESCAPE);
        run_instructions();
        g_quit = 0;
        EXPECT_EQ(g_cycles, c.cycles_to_hold);
        EXPECT_EQ(g_cpu.PC, c.held_at);
        EXPECT_EQ(g_debugger.stopped, 1);
        EXPECT_EQ(g_debugger.in_interrupt, 0);
    }
}
