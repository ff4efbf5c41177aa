// Whole frames of a busy program with the debugger overlay hidden, and with
// the processor resumed under the shown overlay (F2), on SDL's dummy video
// driver. Under the overlay the loop redraws it at most 60 times a host
// second, so its frames per second should stay close to the hidden ones.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

#include "bench_window.h"
#include "bus/machine.h"
#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "shell/frame_loop.h"

namespace {

constexpr Location PROGRAM = 0x0100;

// Counts R1 up and writes it to the VDP's data port, for ever (the words'
// bytes in memory order).
constexpr uint8_t COUNT_LOOP[] = {
    0x05, 0x81,              // >0100  INC  R1
    0xD8, 0x01, 0xE0, 0x00,  // >0102  MOVB R1,@>E000
    0x10, 0xFC,              // >0106  JMP  >0100
};

// The counting loop from its start, the debugger as at start-up.
bool start_machine()
{
    const bool window = open_bench_window();
    machine_reset();
    std::copy(std::begin(COUNT_LOOP), std::end(COUNT_LOOP), &g_memory[PROGRAM]);
    g_cpu.WP = 0xF000;
    g_cpu.PC = PROGRAM;
    cpu_set_workspace(g_cpu.WP);
    debugger_init();
    return window;
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
