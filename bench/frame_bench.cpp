// Whole frames: a busy instruction mix run to the frame's cycle budget, then
// the end of the frame with the picture drawn into a real surface of SDL's
// dummy video driver. Reports frames per second.
#include <benchmark/benchmark.h>

#include <initializer_list>

#include "bench_window.h"
#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "debugger/debugger.h"
#include "display/render.h"
#include "display/window.h"
#include "shell/frame_loop.h"
#include "video/vdp.h"

namespace {

constexpr Location PROGRAM = 0x0100;

// Moves, arithmetic, a shift, a compare, a multiply, a post-increment read
// and a byte to the VDP's data port, looped 100 times, for ever.
constexpr std::initializer_list<uint16_t> BUSY_LOOP = {
    0x0201, 0x1234,  // >0100  LI   R1,>1234
    0x0203, 0x0000,  // >0104  LI   R3,0
    0x0202, 0x0064,  // >0108  LI   R2,100
    0x0204, 0xF100,  // >010C  LI   R4,>F100
    0xC0C1,          // >0110  MOV  R1,R3
    0xA0C1,          // >0112  A    R1,R3
    0xC174,          // >0114  MOV  *R4+,R5
    0x0913,          // >0116  SRL  R3,1
    0x0586,          // >0118  INC  R6
    0x80C1,          // >011A  C    R1,R3
    0xE0C1,          // >011C  SOC  R1,R3
    0x3981,          // >011E  MPY  R1,R6
    0xD801, 0xE000,  // >0120  MOVB R1,@>E000
    0x0602,          // >0124  DEC  R2
    0x16F4,          // >0126  JNE  >0110
    0x0460, 0x0108,  // >0128  B    @>0108
};

// A machine running the busy loop, with 16 by 16 sprites and a window.
bool set_up_machine()
{
    if (!open_bench_window()) {
        return false;
    }
    g_memory.fill(0xCD);
    Location at = PROGRAM;
    for (uint16_t word : BUSY_LOOP) {
        mem_write_word(at, word);
        at = static_cast<Location>(at + 2);
    }
    vdp_reset();
    g_vdp.registers = {0x00, 0x02, 0x00, 0x20, 0x00, 0x20, 0x01, 0x04};
    g_cpu = Cpu{};
    g_cpu.WP = 0xF000;
    g_cpu.PC = PROGRAM;
    cpu_set_workspace(g_cpu.WP);
    g_debugger.stopped = 0;
    g_debugger.overlay_visible = 0;
    return true;
}

// Timed by the clock on the wall, which also counts the display server's
// work when the window is a real one.
void BM_Frame(benchmark::State& state)
{
    if (!set_up_machine()) {
        state.SkipWithError("no SDL surface");
        return;
    }
    int64_t instructions = 0;
    for (auto _ : state) {
        g_cycles = 0;
        while (g_cycles < CYCLES_PER_FRAME) {
            cpu_execute(cpu_fetch());
            ++instructions;
        }
        end_frame();
    }
    // The figures count only if the program ran its loop all along.
    const bool in_loop = g_cpu.PC >= PROGRAM && g_cpu.PC < PROGRAM + 2 * BUSY_LOOP.size();
    if (g_debugger.stopped || !in_loop) {
        state.SkipWithError("the busy loop did not run as written");
        return;
    }
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    state.counters["instructions_per_frame"] =
        static_cast<double>(instructions) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The picture alone, as a share of the frame.
void BM_Render(benchmark::State& state)
{
    if (!set_up_machine()) {
        state.SkipWithError("no SDL surface");
        return;
    }
    for (int i = 0; i < 0x4000; ++i) {
        vdp_write_data(static_cast<uint8_t>(i * 37));
    }
    for (auto _ : state) {
        vdp_render();
    }
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Render)->Unit(benchmark::kMicrosecond);

}  // namespace
