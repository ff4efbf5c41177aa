// Immediate instructions and the loads and stores of WP and ST.
#include <gtest/gtest.h>

#include <random>

#include "cpu_program.h"
#include "machine/debugger_record.h"

namespace {

struct ImmediateCase {
    const char* name;
    uint16_t op;  // register R1
    uint16_t r1;
    uint16_t immediate;
    uint16_t st_before;
    uint16_t r1_after;
    uint16_t flags_after;
    int32_t cycles;
};

const ImmediateCase IMMEDIATE_CASES[] = {
    {"LI negative", 0x0201, 0x1111, 0x8000, ST_C, 0x8000, ST_LGT | ST_C, 12},
    {"LI zero", 0x0201, 0x1111, 0x0000, 0, 0x0000, ST_EQ, 12},
    {"AI carry to zero", 0x0221, 0xFFFF, 0x0001, 0, 0x0000, ST_EQ | ST_C, 14},
    {"AI overflow", 0x0221, 0x7FFF, 0x0001, 0, 0x8000, ST_LGT | ST_OV, 14},
    {"AI keeps OP", 0x0221, 0x0001, 0x0001, ST_OP, 0x0002, ST_LGT | ST_AGT | ST_OP, 14},
    {"ANDI keeps C OV", 0x0241, 0x1234, 0x00FF, ST_C | ST_OV, 0x0034, ST_LGT | ST_AGT | ST_C | ST_OV, 14},
    {"ORI", 0x0261, 0x1200, 0x8034, 0, 0x9234, ST_LGT, 14},
    {"CI less", 0x0281, 0x0003, 0x0005, ST_EQ, 0x0003, 0, 14},
    {"CI unsigned greater", 0x0281, 0xFFFF, 0x0005, 0, 0xFFFF, ST_LGT, 14},
    {"CI signed greater", 0x0281, 0x0005, 0xFFFF, 0, 0x0005, ST_AGT, 14},
    {"CI equal", 0x0281, 0x4000, 0x4000, 0, 0x4000, ST_EQ, 14},
};

TEST(ImmediateInstructions, Table)
{
    for (const ImmediateCase& c : IMMEDIATE_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = static_cast<uint16_t>(c.st_before | 0x0002);
        set_reg(1, c.r1);
        run({c.op, c.immediate});
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(flags(), c.flags_after);
        EXPECT_EQ(g_cpu.ST & ~FLAG_BITS, 0x0002);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, 0x0104);
    }
}

// No register write changes ROM, whichever road it takes (the image for LI,
// STWP, SETO, SWPB, the auto-increment and BL's R11; the bus for the rest):
// each is refused and reported as the bus reports a write into ROM, and a
// byte write also stops the processor. Memory-mode SETO keeps its image
// write, and the word at >8000 takes word writes as on the bus.
TEST(ImmediateInstructions, RegisterWritesNeverChangeRom)
{
    struct Case {
        const char* name;
        uint16_t wp;
        std::initializer_list<uint16_t> words;
        const char* diagnostics;
        bool rom_kept;
        int32_t stopped;
    };
    const Case cases[] = {
        {"LI", 0x0400, {0x0201, 0x00F0}, "Write to ROM address 0x402 at PC=0x0100.\nPC:0x0100 0x0402 = 0x00f0.\n",
         true, 0},
        {"AI, through the bus", 0x0400, {0x0221, 0x00F0},
         "Write to ROM address 0x402 at PC=0x0100.\nPC:0x0100 0x0402 = 0x00ff.\n", true, 0},
        {"SWPB R1", 0x0400, {0x06C1}, "Write to ROM address 0x402 at PC=0x0100.\nPC:0x0100 0x0402 = 0x0f00.\n",
         true, 0},
        {"BL's R11", 0x0400, {0x06A0, 0x0200},
         "Write to ROM address 0x416 at PC=0x0102.\nPC:0x0102 0x0416 = 0x0104.\n", true, 0},
        {"CLR *R1+: the increment, then the operand", 0x0400, {0x04F1},
         "Write to ROM address 0x402 at PC=0x0100.\nPC:0x0100 0x0402 = 0x0011.\n"
         "Write to ROM address 0xe at PC=0x0100.\nPC:0x0100 0x000E = 0x0000.\n",
         true, 0},
        {"MOVB R1,R2 stops", 0x0400, {0xD081}, "Write to ROM address 0x404 at PC=0x0100.\nPC:0x0100 0x0404 = 0x00.\n",
         true, 1},
        {"LI past the top of memory", 0xFFFE, {0x0201, 0x00F0},
         "Write to ROM address 0x0 at PC=0x0100.\nPC:0x0100 0x0000 = 0x00f0.\n", true, 0},
        {"LI into a register across >FFFF", 0xFFFF, {0x0200, 0x00F0},
         "Write to ROM address 0x0 at PC=0x0100.\nPC:0x0100 0x0000 = 0x00f0.\n", true, 0},
        {"LI into the word at >8000", 0x8000, {0x0200, 0x00F0}, "", false, 0},
        {"SETO @>0402, memory mode", 0xF000, {0x0720, 0x0402}, "", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.WP = g_cpu.workspace = c.wp;
        if (c.wp < ROM_END) {
            set_reg(1, 0x000F);
        }
        poke_words(g_cpu.PC, c.words);
        const auto rom = g_memory;
        testing::internal::CaptureStderr();
        step();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.diagnostics);
        EXPECT_EQ(std::equal(rom.begin(), rom.begin() + ROM_END, g_memory.begin()), c.rom_kept);
        EXPECT_EQ(g_debugger.stopped, c.stopped);
    }
}

// Property: with its workspace anywhere in ROM or wrapping past >FFFF, no
// instruction changes ROM, whatever its operands (save memory-mode SETO and
// SWPB, which write the image, X, which may execute them, and >8000).
TEST(ImmediateInstructions, NoWorkspaceInRomIsEverChanged)
{
    std::mt19937 random(16);
    testing::internal::CaptureStderr();
    for (int trial = 0; trial < 20000; ++trial) {
        reset_machine();
        const auto op = static_cast<uint16_t>(random());
        if ((op >= 0x0480 && op < 0x04C0) || (op >= 0x06C0 && op < 0x0740 && (op & 0x30) != 0)) {
            continue;
        }
        g_cpu.WP = g_cpu.workspace = static_cast<uint16_t>(trial % 2 ? random() % ROM_END : 0xFFE1 + random() % 31);
        for (int n = 0; n < 16; ++n) {
            set_reg(n, static_cast<uint16_t>(random()));
        }
        poke_words(g_cpu.PC, {op, static_cast<uint16_t>(random()), static_cast<uint16_t>(random())});
        const auto rom = g_memory;
        step();
        g_memory[ROM_PORT_WORD] = rom[ROM_PORT_WORD];
        g_memory[ROM_PORT_WORD + 1] = rom[ROM_PORT_WORD + 1];
        ASSERT_TRUE(std::equal(rom.begin(), rom.begin() + ROM_END, g_memory.begin())) << "op " << op << " WP " << g_cpu.WP;
    }
    testing::internal::GetCapturedStderr();
}

TEST(ControlInstructions, WorkspaceAndStatusLoads)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t next;      // word after the instruction
        uint16_t r1;
        uint16_t wp_after;
        uint16_t st_after;
        uint16_t r1_after;  // in the original workspace
        int32_t cycles;
        uint16_t pc_after;
    };
    const Case cases[] = {
        {"LWPI", 0x02E0, 0xF100, 0, 0xF100, 0xC00F, 0, 10, 0x0104},
        {"LIMI changes only the mask", 0x0300, 0x0002, 0, TEST_WP, 0xC002, 0, 16, 0x0104},
        {"LIMI uses four bits", 0x0300, 0xFFF5, 0, TEST_WP, 0xC005, 0, 16, 0x0104},
        {"STWP", 0x02A1, 0, 0, TEST_WP, 0xC00F, TEST_WP, 8, 0x0102},
        {"STST", 0x02C1, 0, 0, TEST_WP, 0xC00F, 0xC00F, 8, 0x0102},
        {"LST loads all sixteen bits", 0x0081, 0, 0x1234, TEST_WP, 0x1234, 0x1234, 8, 0x0102},
        {"LWP", 0x0091, 0, 0xF200, 0xF200, 0xC00F, 0xF200, 10, 0x0102},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = 0xC00F;
        set_reg(1, c.r1);
        run({c.op, c.next});
        EXPECT_EQ(g_cpu.WP, c.wp_after);
        EXPECT_EQ(g_cpu.workspace, c.wp_after);
        EXPECT_EQ(g_cpu.ST, c.st_after);
        EXPECT_EQ(mem_read_word(TEST_WP + 2), c.r1_after);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
    }
}

TEST(ControlInstructions, StwpThenLwpKeepsTheWorkspace)
{
    reset_machine();
    run({0x02A0});  // STWP R0
    run({0x0090});  // LWP R0
    EXPECT_EQ(reg(0), TEST_WP);
    EXPECT_EQ(g_cpu.WP, TEST_WP);
}

// STST writes through the bus, STWP into the image: both refused in ROM.
TEST(ControlInstructions, StoresIntoARomWorkspace)
{
    reset_machine();
    g_cpu.WP = g_cpu.workspace = 0x0400;
    g_cpu.ST = 0x1234;
    set_reg(1, 0);
    set_reg(2, 0);
    run({0x02C1});  // STST R1
    run({0x02A2});  // STWP R2
    EXPECT_EQ(reg(1), 0);
    EXPECT_EQ(reg(2), 0);
}

TEST(ControlInstructions, OddWorkspaceStopsTheProcessor)
{
    reset_machine();
    run({0x02E0, 0xF101});  // LWPI >F101
    EXPECT_EQ(g_cpu.WP, 0xF101);
    EXPECT_EQ(g_debugger.stopped, 1);
}

TEST(ControlInstructions, RtwpRestoresTheContext)
{
    reset_machine();
    g_debugger.in_interrupt = 1;
    set_reg(13, 0xF200);
    set_reg(14, 0x0456);
    set_reg(15, 0x8C03);
    run({0x0380});
    EXPECT_EQ(g_cpu.WP, 0xF200);
    EXPECT_EQ(g_cpu.workspace, 0xF200);
    EXPECT_EQ(g_cpu.PC, 0x0456);
    EXPECT_EQ(g_cpu.ST, 0x8C03);
    EXPECT_EQ(g_debugger.in_interrupt, 0);
    EXPECT_EQ(g_cycles, 14);
}

// After an interrupt's RTWP, SBO finds R12 in the restored workspace.
TEST(ControlInstructions, CruBitsFollowTheRestoredWorkspace)
{
    reset_machine();
    set_reg(12, 0x1EE2);
    poke_words(0x000C, {0xF100, 0x0300});  // level-3 vector
    cpu_interrupt(3);
    mem_write_word(0xF100 + 24, 0x0000);   // the service routine's R12
    poke_words(0x0300, {0x0380});          // RTWP
    step();
    run({0x1D00});                         // SBO 0
    EXPECT_EQ(g_decrementer_enabled, 1);
}

}  // namespace
