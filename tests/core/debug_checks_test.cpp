// The debugger's checks around instructions: a watched byte that an
// instruction changes, by any road, stops the processor and is reported in
// one line; a change made between instructions is not; and the trace's
// lines for a known program and an interrupt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu_program.h"
#include "debugger/debug_hooks.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"
#include "machine/messages.h"

namespace {

std::vector<std::string> g_reports;
std::string g_trace;

// The machine at >0100 with WP >F000, every check off, reports and trace
// lines kept.
class DebugChecks : public testing::Test {
protected:
    void SetUp() override
    {
        reset_machine();
        debug_checks_clear();
        g_reports.clear();
        g_trace.clear();
        g_machine_output.diagnostic = [](const char* text) { g_reports.emplace_back(text); };
        g_debug_host.write_trace = [](const char* text, std::size_t length) { g_trace.append(text, length); };
    }
    void TearDown() override
    {
        debug_checks_clear();
        g_machine_output = connected_;
    }

    MachineOutput connected_ = g_machine_output;
};

// The last instruction of each program changes the watched bytes.
TEST_F(DebugChecks, AnInstructionThatChangesAWatchedByteStopsAndIsReported)
{
    const struct {
        const char* road;
        WatchedMemory memory;
        uint16_t start;
        std::initializer_list<uint16_t> program;
        int instructions;
        const char* report;
    } cases[] = {
        {"the bus: MOV R1,@>F100", WatchedMemory::ADDRESS_SPACE, 0xF100,
         {0x0201, 0x1234, 0xC801, 0xF100}, 2, "watch >F100: >CDCD -> >1234 at PC >0104, frame 0\n"},
        {"straight in memory: BLWP saves WP into R13", WatchedMemory::ADDRESS_SPACE, 0xF03A,
         {0x0420, 0x0200}, 1, "watch >F03A: >CDCD -> >F000 at PC >0100, frame 0\n"},
        {"the video data port: MOVB R1,@>E000", WatchedMemory::VIDEO, 0x0000,
         {0x0201, 0x4100, 0xD801, 0xE000}, 2, "watch-vram >0000: >CDCD -> >41CD at PC >0104, frame 0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.road);
        SetUp();
        poke_words(0x0200, {0xF020, 0x0300});  // the BLWP vector
        poke_words(0x0100, c.program);
        debug_watch(c.memory, c.start, 2);
        for (int i = 0; i < c.instructions; ++i) {
            EXPECT_EQ(g_debugger.stopped, 0);
            execute_instruction();
        }
        EXPECT_EQ(g_debugger.stopped, 1);
        EXPECT_EQ(g_reports, std::vector<std::string>{c.report});
    }
}

TEST_F(DebugChecks, ChangesBetweenInstructionsAreNotCountedButTheFrameEndsAre)
{
    debug_watch(WatchedMemory::ADDRESS_SPACE, 0xFFFA, 2);
    poke_words(0x0100, {0x1000});  // NOP
    poke_words(0xFFFA, {0x0005});  // as a loaded state file would
    execute_instruction();
    EXPECT_EQ(g_debugger.stopped, 0);
    EXPECT_TRUE(g_reports.empty());

    decrementer_tick();
    debug_frame_end();
    EXPECT_EQ(g_debugger.stopped, 1);
    EXPECT_EQ(g_reports, std::vector<std::string>{"watch >FFFA: >0005 -> >0004 at the end of frame 0\n"});
}

TEST_F(DebugChecks, TheTraceHasALinePerInstructionAndMarksInterrupts)
{
    poke_words(0x0100, {0x02E0, 0xF000,    // LWPI @>F000
                        0x0200, 0x1234,    // LI   R0,>1234
                        0xC800, 0xF100});  // MOV  R0,@>F100
    poke_words(0x000C, {0xF020, 0x0200});  // the frame interrupt's vector
    trace_begin(std::nullopt);
    for (int i = 0; i < 3; ++i) {
        execute_instruction();
    }
    cpu_interrupt(3);
    debug_frame_end();
    EXPECT_EQ(g_trace,
              "     0     0 0100 02E0 F000      LWPI @>F000                   F000 0000\n"
              "     0    10 0104 0200 1234      LI R0, >1234                  F000 0000\n"
              "     0    22 0108 C800 F100      MOV R0, @>F100                F000 C000\n"
              "     0    70 0200 interrupt      return >010C                  F020 C000\n");
}

TEST_F(DebugChecks, TheTraceStartsWhenPCFirstReachesItsAddress)
{
    poke_words(0x0100, {0x1000, 0x1000, 0x10FD});  // NOP, NOP, JMP >0100
    trace_begin(0x0102);
    for (int i = 0; i < 4; ++i) {
        execute_instruction();
    }
    EXPECT_EQ(g_trace,
              "     0    10 0102 1000           NOP                           F000 0000\n"
              "     0    20 0104 10FD           JMP >0100                     F000 0000\n"
              "     0    30 0100 1000           NOP                           F000 0000\n");
}

}  // namespace
