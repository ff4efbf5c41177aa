// Going back in time with the demo firmware, headless: whole frames with
// the last 0 and 60 seconds kept (run them interleaved, the figures are
// compared), and, over 60 seconds kept, one instruction back from the
// middle of a frame and from a frame's first place, and running back across
// all of it to a breakpoint that was never reached; with the bytes the kept
// past holds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_window.h"
#include "bus/machine.h"
#include "cpu/cpu.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "machine/key_state.h"
#include "rewind/going_back.h"
#include "shell/frame_loop.h"
#include "shell/rom.h"
#include "shell/time_travel.h"
#include "video/vdp.h"

namespace {

// The demo as it starts, with `seconds` kept from now on.
bool start_demo(uint32_t seconds)
{
    if (!open_bench_window() || load_roms(PAVON_DEMO_ROM "/pavon1.bin", PAVON_DEMO_ROM "/pavon2.bin") != 0) {
        return false;
    }
    machine_reset();
    cpu_create(g_rom1, g_rom2);
    vdp_reset();
    debugger_init();
    time_travel_start(std::size_t{seconds} * FRAMES_PER_SECOND);
    return true;
}

// Frames of the demo with a letter typed now and then.
void run_frames(uint32_t frames)
{
    for (uint32_t frame = 0; frame < frames; ++frame) {
        g_keys['a' + frame / 64 % 26] = frame % 64 < 2 ? 1 : 0;
        run_frame();
    }
}

double milliseconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_DemoFrames(benchmark::State& state)
{
    if (!start_demo(static_cast<uint32_t>(state.range(0)))) {
        state.SkipWithError("no window or no demo images");
        return;
    }
    run_frames(static_cast<uint32_t>(state.range(0)) * FRAMES_PER_SECOND);  // the ring full
    for (auto _ : state) {
        run_frames(1);
    }
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    state.counters["kept_MB"] = static_cast<double>(timeline_bytes()) / (1 << 20);
    timeline_stop();
}
BENCHMARK(BM_DemoFrames)->Arg(0)->Arg(60)->Unit(benchmark::kMicrosecond);

// Held by the debugger after `instructions` of a new frame.
void hold_in_frame(uint32_t instructions)
{
    g_cycles = 0;
    timeline_frame_begins(g_frame_number);
    for (uint32_t i = 0; i < instructions || g_debugger.in_interrupt; ++i) {
        cpu_execute(cpu_fetch());
    }
    g_debugger.stopped = 1;
}

// Times `go` from the place that `place` holds the processor at, in eleven
// frames: the median, in milliseconds (-1: it could not go).
template <typename Place, typename Go>
double median_time(Place place, Go go)
{
    std::vector<double> times;
    for (int turn = 0; turn < 11; ++turn) {
        place();
        const auto start = std::chrono::steady_clock::now();
        const GoingBack result = go();
        if (result == GoingBack::NOT_HELD || result == GoingBack::LOST) {
            return -1;
        }
        times.push_back(milliseconds_since(start));
        g_debugger.stopped = 0;
        run_instructions();  // the frame to its end
        timeline_frame_ends();
        end_frame();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_GoingBackOver60Seconds(benchmark::State& state)
{
    if (!start_demo(60)) {
        state.SkipWithError("no window or no demo images");
        return;
    }
    run_frames(60 * FRAMES_PER_SECOND + 10);
    debug_break_at(0xBFFE);  // never reached
    for (auto _ : state) {
        state.counters["step_back_mid_frame_ms"] = median_time([] { hold_in_frame(3000); }, step_back_instruction);
        state.counters["step_back_first_place_ms"] = median_time([] { hold_in_frame(0); }, step_back_instruction);
        state.counters["run_back_60_s_ms"] = median_time([] { hold_in_frame(3000); }, run_back_to_hit);
    }
    state.counters["kept_MB"] = static_cast<double>(timeline_bytes()) / (1 << 20);
    debug_checks_clear();
    timeline_stop();
}
BENCHMARK(BM_GoingBackOver60Seconds)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
