// The frame loop's instructions with the debugger's checks off, with one
// breakpoint (never reached), with one watched word (never changed), and
// with every instruction traced into a file: instructions per second, which
// for the trace are also its lines per second. A loop that calls a routine
// every sixth instruction, with the checks off and with the program's names
// loaded, one breakpoint and the call stack followed.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <unistd.h>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "cpu/memory.h"
#include "debugger/breakpoints.h"
#include "debugger/debug_hooks.h"
#include "debugger/program_names.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"
#include "shell/frame_loop.h"
#include "shell/output_files.h"

namespace {

constexpr Location CODE = 0xF200;
constexpr Location WORKSPACE = 0xF000;
constexpr uint16_t UNREACHED = 0x8000;
constexpr uint16_t UNCHANGED = 0xFF00;

// Copies a table of 64 words, adding a running sum and counting odd words.
constexpr uint16_t COPY_LOOP[] = {
    0x0201, 0xF400,  // F200 LI   R1,>F400
    0x0202, 0xF600,  // F204 LI   R2,>F600
    0x0203, 0x0040,  // F208 LI   R3,64
    0xC131,          // F20C MOV  *R1+,R4
    0xA144,          // F20E A    R4,R5
    0xCC85,          // F210 MOV  R5,*R2+
    0x0244, 0x0001,  // F212 ANDI R4,1
    0x1301,          // F216 JEQ  >F21A
    0x0586,          // F218 INC  R6
    0x0603,          // F21A DEC  R3
    0x16F7,          // F21C JNE  >F20C
    0x10EF,          // F21E JMP  >F200
};

// Sums a table through a routine called with BL.
constexpr uint16_t CALL_LOOP[] = {
    0x0201, 0xF400,  // F200 LI   R1,>F400
    0x0203, 0x0040,  // F204 LI   R3,64
    0x06A0, 0xF220,  // F208 BL   @>F220
    0x0603,          // F20C DEC  R3
    0x16FC,          // F20E JNE  >F208
    0x10F7,          // F210 JMP  >F200
    0, 0, 0, 0, 0, 0, 0,
    0xC131,          // F220 MOV  *R1+,R4
    0xA144,          // F222 A    R4,R5
    0x045B,          // F224 RT
};

template <std::size_t N>
constexpr std::span<const uint16_t> words(const uint16_t (&program)[N])
{
    return {program, N};
}

// The loop in RAM with every check off. Long frames poll the host's
// events, which needs the video system.
bool set_up_machine(std::span<const uint16_t> program = words(COPY_LOOP))
{
    static const bool video = (setenv("SDL_VIDEODRIVER", "dummy", 0), SDL_Init(SDL_INIT_VIDEO) == 0);
    machine_reset();
    debug_checks_clear();
    program_names_forget();
    Location at = CODE;
    for (const uint16_t word : program) {
        mem_write_word(at, word);
        at = static_cast<Location>(at + 2);
    }
    g_cpu.WP = WORKSPACE;
    cpu_set_workspace(WORKSPACE);
    g_cpu.PC = CODE;
    return video;
}

// Instructions in one frame of the loop, counted without the frame loop.
int64_t instructions_per_frame()
{
    const Cpu start = g_cpu;
    int64_t count = 0;
    for (g_cycles = 0; g_cycles < CYCLES_PER_FRAME; ++count) {
        cpu_execute(cpu_fetch());
    }
    g_cpu = start;
    return count;
}

void run_frames(benchmark::State& state, std::size_t program_bytes = sizeof COPY_LOOP)
{
    uint64_t frame = 0;
    g_debug_host.frame_number = &frame;
    const int64_t per_frame = instructions_per_frame();
    for (auto _ : state) {
        g_cycles = 0;
        run_instructions();
        ++frame;
    }
    const bool in_loop = g_cpu.PC >= CODE && g_cpu.PC < CODE + program_bytes;
    if (g_debugger.stopped || !in_loop) {
        state.SkipWithError("the loop did not run as written");
        return;
    }
    state.counters["instructions/s"] = benchmark::Counter(
        static_cast<double>(per_frame) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FrameLoop_NoChecks(benchmark::State& state)
{
    if (!set_up_machine()) {
        state.SkipWithError("no video system");
        return;
    }
    run_frames(state);
}
BENCHMARK(BM_FrameLoop_NoChecks)->Unit(benchmark::kMicrosecond);

void BM_FrameLoop_OneBreakpoint(benchmark::State& state)
{
    if (!set_up_machine()) {
        state.SkipWithError("no video system");
        return;
    }
    debug_break_at(UNREACHED);
    run_frames(state);
    debug_checks_clear();
}
BENCHMARK(BM_FrameLoop_OneBreakpoint)->Unit(benchmark::kMicrosecond);

void BM_FrameLoop_OneWatch(benchmark::State& state)
{
    if (!set_up_machine()) {
        state.SkipWithError("no video system");
        return;
    }
    debug_watch(WatchedMemory::ADDRESS_SPACE, UNCHANGED, 2);
    run_frames(state);
    debug_checks_clear();
}
BENCHMARK(BM_FrameLoop_OneWatch)->Unit(benchmark::kMicrosecond);

// Every line formatted and written through the trace file's buffer.
void BM_FrameLoop_Trace(benchmark::State& state)
{
    const std::string path = "/tmp/pavon-bench-" + std::to_string(getpid()) + ".trace";
    std::string error;
    if (!set_up_machine() || !trace_file_open(path, error)) {
        state.SkipWithError("no video system or no trace file");
        return;
    }
    g_debug_host.write_trace = trace_file_write;
    trace_begin(std::nullopt);
    run_frames(state);
    debug_checks_clear();
    if (!trace_file_close(error)) {
        state.SkipWithError(("the trace failed: " + error).c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_FrameLoop_Trace)->Unit(benchmark::kMicrosecond);

void BM_FrameLoop_Calls_NoChecks(benchmark::State& state)
{
    if (!set_up_machine(words(CALL_LOOP))) {
        state.SkipWithError("no video system");
        return;
    }
    run_frames(state, sizeof CALL_LOOP);
}
BENCHMARK(BM_FrameLoop_Calls_NoChecks)->Unit(benchmark::kMicrosecond);

// Names that the routine and its caller have, and a breakpoint never reached.
void BM_FrameLoop_Calls_NamesBreakpointCallStack(benchmark::State& state)
{
    if (!set_up_machine(words(CALL_LOOP))) {
        state.SkipWithError("no video system");
        return;
    }
    DebugInfo info;
    info.files = {{"loop.asm", "/loop.asm"}};
    info.symbols = {{"LOOP", CODE, SymbolKind::Label, 0, 1}, {"SUM", CODE + 0x20, SymbolKind::Label, 0, 9}};
    program_names_use(DebugSymbols(info));
    debug_break_at(UNREACHED);
    run_frames(state, sizeof CALL_LOOP);
    if (call_stack_depth() > 1) {
        state.SkipWithError("the call stack grew: returns were missed");
    }
    debug_checks_clear();
    program_names_forget();
}
BENCHMARK(BM_FrameLoop_Calls_NamesBreakpointCallStack)->Unit(benchmark::kMicrosecond);

}  // namespace
