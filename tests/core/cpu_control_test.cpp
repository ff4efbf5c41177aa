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

// LI writes straight into the image; AI, ANDI and ORI write through the bus.
// The workspace here lies in ROM, which refuses every one of them.
TEST(ImmediateInstructions, RoadOfTheRegisterWrite)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t r1_after;
    };
    const Case cases[] = {
        {"LI refused", 0x0201, 0x000F},
        {"AI refused", 0x0221, 0x000F},
        {"ANDI refused", 0x0241, 0x000F},
        {"ORI refused", 0x0261, 0x000F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.WP = g_cpu.workspace = 0x0400;
        set_reg(1, 0x000F);
        run({c.op, 0x00F0});
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(g_debugger.stopped, 0);
    }
}

// Property: with the workspace in ROM or wrapping past >FFFF, no instruction
// changes ROM (but >8000, memory-mode SETO and SWPB, and X, which may run them).
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
        for (Location at = g_cpu.WP; at != static_cast<Location>(g_cpu.WP + 32); ++at) {
            g_memory[at] = static_cast<uint8_t>(random());
        }
        poke_words(g_cpu.PC, {op, static_cast<uint16_t>(random()), static_cast<uint16_t>(random())});
        auto rom = g_memory;
        step();
        std::copy_n(g_memory.begin() + ROM_PORT_WORD, 2, rom.begin() + ROM_PORT_WORD);
        ASSERT_TRUE(std::equal(rom.begin(), rom.begin() + ROM_END, g_memory.begin())) << "op " << op;
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
