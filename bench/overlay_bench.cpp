// Whole frames of a busy program with the debugger overlay hidden, and with
// the processor resumed under the shown overlay (F2), on SDL's dummy video
// driver. Under the overlay the loop redraws it at most 60 times a host
// second, so its frames per second should stay close to the hidden ones.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdlib>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "debugger/debugger.h"
#include "display/window.h"
#include "shell/frame_loop.h"

namespace {

constexpr Location PROGRAM = 0x0100;

// Counts R1 up and writes it to the VDP's data port, for ever.
constexpr uint16_t COUNT_LOOP[] = {
    0x0581,          // >0100  INC  R1
    0xD801, 0xE000,  // >0102  MOVB R1,@>E000
    0x10FC,          // >0106  JMP  >0100
};

bool start_machine()
{
    static bool window_open = false;
    if (!window_open) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (SDL_Init(SDL_INIT_VIDEO) < 0 || display_open() < 0) {
            return false;
        }
        window_open = true;
    }
    machine_reset();
    g_memory.fill(0xCD);
    Location at = PROGRAM;
    for (uint16_t word : COUNT_LOOP) {
        mem_write_word(at, word);
        at = static_cast<Location>(at + 2);
    }
    g_cpu.WP = 0xF000;
    g_cpu.PC = PROGRAM;
    cpu_set_workspace(g_cpu.WP);
    debugger_init();
    return true;
}

void run_frames(benchmark::State& state, bool under_overlay)
{
    if (!start_machine()) {
        state.SkipWithError("no SDL surface");
        return;
    }
    if (under_overlay) {
        debugger_show();  // shown, and the processor runs: as after F1, F2
    }
    for (auto _ : state) {
        run_frame();
    }
    if (g_debugger.stopped || g_debugger.overlay_visible != (under_overlay ? 1 : 0)) {
        state.SkipWithError("the machine did not run as set up");
        return;
    }
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}

void BM_FramesOverlayHidden(benchmark::State& state)
{
    run_frames(state, false);
}
BENCHMARK(BM_FramesOverlayHidden)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_FramesUnderOverlay(benchmark::State& state)
{
    run_frames(state, true);
}
BENCHMARK(BM_FramesUnderOverlay)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
