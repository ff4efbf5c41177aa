// Jumps and the CRU bit instructions.
#include <gtest/gtest.h>

#include "cpu_program.h"

namespace {

struct ConditionCase {
    const char* name;
    uint16_t op;  // displacement 3
    uint16_t st;
    bool taken;
};

const ConditionCase CONDITION_CASES[] = {
    {"JMP", 0x1003, 0, true},
    {"JLT A0 EQ0", 0x1103, 0, true},
    {"JLT A1", 0x1103, ST_AGT, false},
    {"JLT EQ1", 0x1103, ST_EQ, false},
    {"JLE L0", 0x1203, 0, true},
    {"JLE L1 EQ1", 0x1203, ST_LGT | ST_EQ, true},
    {"JLE L1", 0x1203, ST_LGT, false},
    {"JEQ EQ1", 0x1303, ST_EQ, true},
    {"JEQ EQ0", 0x1303, ST_LGT | ST_AGT | ST_C | ST_OV | ST_OP, false},
    {"JHE L1", 0x1403, ST_LGT, true},
    {"JHE L0 EQ1", 0x1403, ST_EQ, true},
    {"JHE L0 EQ0", 0x1403, ST_AGT, false},
    {"JGT A1", 0x1503, ST_AGT, true},
    {"JGT A0", 0x1503, ST_LGT, false},
    {"JNE EQ0", 0x1603, 0, true},
    {"JNE EQ1", 0x1603, ST_EQ, false},
    {"JNC C0", 0x1703, 0, true},
    {"JNC C1", 0x1703, ST_C, false},
    {"JOC C1", 0x1803, ST_C, true},
    {"JOC C0", 0x1803, ST_OV, false},
    {"JNO OV0", 0x1903, 0, true},
    {"JNO OV1", 0x1903, ST_OV, false},
    {"JL L0 EQ0", 0x1A03, 0, true},
    {"JL EQ1", 0x1A03, ST_EQ, false},
    {"JL L1", 0x1A03, ST_LGT, false},
    {"JH L1 EQ0", 0x1B03, ST_LGT, true},
    {"JH L1 EQ1", 0x1B03, ST_LGT | ST_EQ, false},
    {"JH L0", 0x1B03, 0, false},
    {"JOP OP1", 0x1C03, ST_OP, true},
    {"JOP OP0", 0x1C03, ST_C, false},
};

TEST(JumpConditions, Table)
{
    for (const ConditionCase& c : CONDITION_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = c.st;
        run({c.op});
        EXPECT_EQ(g_cpu.PC, c.taken ? 0x0108 : 0x0102);
        EXPECT_EQ(g_cycles, c.taken ? 10 : 8);
        EXPECT_EQ(g_cpu.ST, c.st);
    }
}

TEST(JumpTargets, Table)
{
    struct Case {
        const char* name;
        uint16_t at;
        uint16_t op;
        uint16_t st;
        uint16_t pc_after;
    };
    const Case cases[] = {
        {"displacement 0", 0x0100, 0x1000, 0, 0x0102},
        {"jump to itself", 0x0100, 0x10FF, 0, 0x0100},
        {"furthest back", 0x0100, 0x1080, 0, 0x0002},
        {"furthest forward wraps", 0xFF00, 0x137F, ST_EQ, 0x0000},
        {"backward wraps", 0x0004, 0x10F0, 0, 0xFFE6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.PC = c.at;
        g_cpu.ST = c.st;
        run({c.op});
        EXPECT_EQ(g_cpu.PC, c.pc_after);
    }
}

// The CRU bit address is R12 plus the displacement: R12 is not halved.
TEST(CruBits, Table)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t r12;
        int32_t enabled_before;
        int32_t enabled_after;
        int32_t mode_after;
    };
    const Case cases[] = {
        {"SBO enables the decrementer", 0x1D02, 0x1EE0, 0, 1, 0},
        {"SBO one bit off", 0x1D01, 0x1EE0, 0, 0, 0},
        {"SBO at R12 itself", 0x1D00, 0x1EE2, 0, 1, 0},
        {"SBZ with negative displacement", 0x1EFE, 0x1EE4, 1, 0, 0},
        {"SBZ elsewhere", 0x1E00, 0x1EE4, 1, 1, 0},
        {"SBO sets the mode flag only", 0x1D00, 0x1EE0, 0, 0, 1},
        {"no wrap past >FFFF", 0x1D7F, 0xFFF0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_decrementer_enabled = c.enabled_before;
        set_reg(12, c.r12);
        run({c.op});
        EXPECT_EQ(g_decrementer_enabled, c.enabled_after);
        EXPECT_EQ(g_decrementer_mode, c.mode_after);
        EXPECT_EQ(g_cycles, 12);
        EXPECT_EQ(g_cpu.PC, 0x0102);
        EXPECT_EQ(g_cpu.ST, 0);
    }
}

TEST(CruBits, SbzClearsTheModeFlag)
{
    reset_machine();
    g_decrementer_mode = 1;
    set_reg(12, 0x1EE0);
    run({0x1E00});
    EXPECT_EQ(g_decrementer_mode, 0);
}

TEST(CruBits, TestBitReadsZero)
{
    reset_machine();
    g_cpu.ST = ST_EQ | ST_LGT | 0x0003;
    set_reg(12, 0x1EE2);
    g_decrementer_enabled = 1;
    run({0x1F00});
    EXPECT_EQ(g_cpu.ST, ST_LGT | 0x0003);
    EXPECT_EQ(g_cycles, 12);
}

}  // namespace
