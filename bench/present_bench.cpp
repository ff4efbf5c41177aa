// Presenting the window's surface: one SDL_Flip, as SDL does it on the
// driver in use, and display_flip as the program calls it once a frame.
// Timed by the clock on the wall: in a real window the display server does
// part of the work, in another process.
#include <benchmark/benchmark.h>

#include "bench_window.h"
#include "display/display.h"

namespace {

void BM_SdlFlip(benchmark::State& state)
{
    if (!open_bench_window()) {
        state.SkipWithError("no SDL surface");
        return;
    }
    for (auto _ : state) {
        SDL_Flip(g_surface);
    }
}
BENCHMARK(BM_SdlFlip)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_DisplayFlip(benchmark::State& state)
{
    if (!open_bench_window()) {
        state.SkipWithError("no SDL surface");
        return;
    }
    for (auto _ : state) {
        display_flip();
    }
}
BENCHMARK(BM_DisplayFlip)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
