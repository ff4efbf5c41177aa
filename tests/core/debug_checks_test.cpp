// The debugger's checks around instructions: a watched byte that an
// instruction changes, by any road, stops the processor and is reported in
// one line; a change made between instructions is not; and the trace's
// lines for a known program and an interrupt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calls_program.h"
#include "cpu_program.h"
#include "debugger/debug_hooks.h"
#include "debugger/program_names.h"
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
        program_names_forget();
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

// LI R1,1 / MOV R1,@>F100 / INC @>F100 / INC @>F100: the watched word goes
// >0001, >0002, >0003. A watch with a value stops only after the change that
// leaves it: a value of one byte is that byte, of two or more bytes a
// number held big-endian.
TEST_F(DebugChecks, AWatchWithAValueStopsWhereAChangeLeavesIt)
{
    const struct {
        uint16_t start;
        uint32_t length;
        std::vector<uint8_t> value;
        int stops_after;  // instructions; 0 for none of the four
    } cases[] = {
        {0xF100, 2, {}, 2},
        {0xF100, 2, {0x00, 0x02}, 3},
        {0xF101, 1, {0x03}, 4},
        {0xF100, 1, {0x01}, 0},  // the high byte: >00 after MOV, never >01
        {0xF0FF, 4, {0xCD, 0x00, 0x01, 0xCD}, 2},
        {0xF100, 2, {0xCD, 0xCD}, 0},  // what it held before, never what a change leaves
    };
    for (const auto& c : cases) {
        SetUp();
        poke_words(0x0100, {0x0201, 0x0001, 0xC801, 0xF100, 0x05A0, 0xF100, 0x05A0, 0xF100});
        debug_watch(WatchedMemory::ADDRESS_SPACE, c.start, c.length, c.value);
        int executed = 0;
        while (g_debugger.stopped == 0 && executed < 4) {
            execute_instruction();
            ++executed;
        }
        EXPECT_EQ(g_debugger.stopped ? executed : 0, c.stops_after) << std::hex << c.start;
        EXPECT_EQ(g_reports.size(), g_debugger.stopped ? 1u : 0u);
    }
}

// With the program's names: the trace names PC's place and the addresses
// that labels name, a watch line the place of its instruction.
TEST_F(DebugChecks, WithNamesTheTraceAndTheWatchLinesNamePlaces)
{
    load_calls_program();
    trace_begin(std::nullopt);
    debug_watch(WatchedMemory::ADDRESS_SPACE, calls_label("COUNTER"), 2, {0x00, 0x02});
    while (g_debugger.stopped == 0) {
        execute_instruction();
    }
    EXPECT_EQ(g_reports,
              std::vector<std::string>{"watch >F064: >0001 -> >0002 at PC >0120 (COUNT, count.asm:2), frame 0\n"});
    EXPECT_NE(g_trace.find("     0     0 0100 02E0 F000      LWPI @WS                      F000 0000 MAIN\n"
                           "     0    10 0104 04E0 F064      CLR @COUNTER                  F000 0000 MAIN+4\n"
                           "     0    28 0108 0300 0003      LIMI @>0003                   F000 0000 MAIN+8\n"
                           "     0    44 010C 06A0 0112      BL @STEP                      F000 0003 LOOP\n"),
              std::string::npos)
        << g_trace;
    EXPECT_NE(g_trace.find("     0   186 0110 10FD           JMP LOOP                      F000 C003 LOOP+4\n"),
              std::string::npos);
}

// Every label and offset names its address again, and every line that
// placed an instruction names that instruction.
TEST(ProgramNames, EveryPlaceNamesItsAddressAgain)
{
    load_calls_program();
    std::string error;
    for (uint32_t address = 0; address < MEMORY_SIZE; ++address) {
        const std::string label = label_text(static_cast<uint16_t>(address));
        uint16_t found = 0;
        EXPECT_TRUE(label.empty() || (place_address(label, found, error) && found == address)) << label << error;
    }
    for (const LineEntry& line : program_symbols()->info().lines) {
        uint16_t found = 0;
        const std::string place = line_text(line.address);
        EXPECT_EQ(line.kind != LineKind::Code || (place_address(place, found, error) && found == line.address), true)
            << place << error;
    }
    program_names_forget();
}

// Calls deeper than the ring drop the oldest; a return to an outer call's
// address, from its workspace, takes the inner calls with it.
TEST(CallStack, KeepsTheInnermostCallsAndReturnsPastInnerOnes)
{
    reset_machine();
    call_stack_clear();
    const auto site = [](int call) { return static_cast<uint16_t>(0x0200 + 4 * call); };
    for (int call = 0; call < 40; ++call) {
        g_cpu.PC = site(call);
        call_stack_called(0x06A0);  // BL @>....: returns past its extension word
    }
    ASSERT_EQ(call_stack_depth(), CALL_STACK_DEPTH);
    EXPECT_EQ(call_stack_frame(0), (CallFrame{site(39), 0xF000, static_cast<uint16_t>(site(39) + 4), CallKind::BL}));
    EXPECT_EQ(call_stack_frame(CALL_STACK_DEPTH - 1).site, site(8));
    g_cpu.PC = site(31);  // the return of call 30, from another workspace: none
    g_cpu.WP = 0xF020;
    call_stack_returned();
    EXPECT_EQ(call_stack_depth(), CALL_STACK_DEPTH);
    g_cpu.WP = 0xF000;
    call_stack_returned();
    EXPECT_EQ(call_stack_depth(), 22u);
    EXPECT_EQ(call_stack_frame(0).site, site(29));
    call_stack_clear();
}

}  // namespace
