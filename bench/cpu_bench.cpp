// Emulated instructions and cycles per second for a loop that mixes moves,
// arithmetic, compares, shifts and jumps over register and RAM operands.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bus/machine.h"
#include "cpu/cpu.h"
#include "cpu/memory.h"

namespace {

constexpr Location CODE = 0xF100;
constexpr Location WORKSPACE = 0xF000;
constexpr Location DATA = 0xF800;

// Sums a table of words into R3, storing the running sum, counting the
// non-positive comparisons in R5 and shifting a byte of each word.
constexpr uint16_t PROGRAM[] = {
    0x0201, 0xF800,  // F100 LI   R1,>F800
    0x0202, 0x0064,  // F104 LI   R2,100
    0x04C3,          // F108 CLR  R3
    0xC131,          // F10A MOV  *R1+,R4
    0xA0C4,          // F10C A    R4,R3
    0xC803, 0xF900,  // F10E MOV  R3,@>F900
    0x8103,          // F112 C    R3,R4
    0x1501,          // F114 JGT  >F118
    0x0585,          // F116 INC  R5
    0xD184,          // F118 MOVB R4,R6
    0x0916,          // F11A SRL  R6,1
    0x0241, 0xF8FE,  // F11C ANDI R1,>F8FE
    0x0602,          // F120 DEC  R2
    0x16F3,          // F122 JNE  >F10A
    0x10EF,          // F124 JMP  >F104
};

void load_program()
{
    machine_reset();
    Location at = CODE;
    for (uint16_t word : PROGRAM) {
        mem_write_word(at, word);
        at = static_cast<Location>(at + 2);
    }
    for (Location a = DATA; a < DATA + 0x100; a = static_cast<Location>(a + 2)) {
        mem_write_word(a, static_cast<uint16_t>(a * 0x9E37u));
    }
    g_cpu.WP = WORKSPACE;
    cpu_set_workspace(WORKSPACE);
    g_cpu.PC = CODE;
}

// Frames as the frame loop runs them, without the end-of-frame work.
void BM_InstructionMix(benchmark::State& state)
{
    load_program();
    int64_t instructions = 0;
    int64_t cycles = 0;
    for (auto _ : state) {
        g_cycles = 0;
        while (g_cycles < CYCLES_PER_FRAME) {
            cpu_execute(cpu_fetch());
            ++instructions;
        }
        cycles += g_cycles;
    }
    state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(instructions), benchmark::Counter::kIsRate);
    state.counters["cycles/s"] = benchmark::Counter(static_cast<double>(cycles), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_InstructionMix);

}  // namespace
