// COC, CZC, XOR, MPY, DIV and LDCR: a general source with register D.
#include <gtest/gtest.h>

#include "cpu_program.h"

namespace {

// "OP R3,R1": source R3, register D = R1 (and R2 as D + 1).
constexpr uint16_t R3_R1 = 0x0043;

struct Case {
    const char* name;
    uint16_t op;
    uint16_t source;
    uint16_t r1;
    uint16_t r2;
    uint16_t st_before;
    uint16_t r1_after;
    uint16_t r2_after;
    uint16_t flags_after;
    int32_t cycles;
};

const Case CASES[] = {
    {"COC all ones present", 0x2000, 0x0F00, 0xFF00, 0, ST_LGT, 0xFF00, 0, ST_LGT | ST_EQ, 14},
    {"COC a one missing", 0x2000, 0x0F00, 0xF000, 0, ST_EQ | ST_C, 0xF000, 0, ST_C, 14},
    {"COC empty source", 0x2000, 0x0000, 0x1234, 0, 0, 0x1234, 0, ST_EQ, 14},
    {"CZC all zero", 0x2400, 0x00FF, 0xFF00, 0, 0, 0xFF00, 0, ST_EQ, 14},
    {"CZC a one present", 0x2400, 0x00FF, 0xFF01, 0, ST_EQ | ST_OV, 0xFF01, 0, ST_OV, 14},
    {"XOR to zero", 0x2800, 0x1234, 0x1234, 0, ST_LGT | ST_C | ST_OP, 0, 0, ST_EQ | ST_C | ST_OP, 14},
    {"XOR positive", 0x2800, 0x0080, 0x0000, 0, 0, 0x0080, 0, ST_LGT | ST_AGT, 14},
    {"XOR negative", 0x2800, 0x8000, 0x0000, 0, 0, 0x8000, 0, ST_LGT, 14},
    {"MPY largest", 0x3800, 0xFFFF, 0xFFFF, 0x5555, ST_EQ, 0xFFFE, 0x0001, ST_EQ, 52},
    {"MPY low word", 0x3800, 0x0100, 0x0080, 0, 0, 0x0000, 0x8000, 0, 52},
    {"MPY carries within", 0x3800, 0x0101, 0x0080, 0, 0, 0x0000, 0x8080, 0, 52},
    {"MPY both words", 0x3800, 0x00FF, 0x0181, 0, 0, 0x0001, 0x7F7F, 0, 52},
    {"DIV", 0x3C00, 0x0002, 0x0001, 0x0000, ST_OV, 0x8000, 0x0000, 0, 92},
    {"DIV largest", 0x3C00, 0xFFFF, 0xFFFE, 0xFFFF, 0, 0xFFFF, 0xFFFE, 0, 92},
    {"DIV remainder", 0x3C00, 0x0010, 0x0000, 0x0123, 0, 0x0012, 0x0003, 0, 92},
    {"DIV quotient too large", 0x3C00, 0x0001, 0x0001, 0x7777, ST_LGT, 0x0001, 0x7777, ST_LGT | ST_OV, 92},
    {"DIV by zero", 0x3C00, 0x0000, 0x0000, 0x7777, 0, 0x0000, 0x7777, ST_OV, 92},
    {"LDCR sign bit", 0x3000, 0x8000, 0x1111, 0x2222, ST_OP | ST_C, 0x1111, 0x2222, ST_LGT | ST_C, 20},
    {"LDCR zero", 0x3000, 0x0000, 0x1111, 0x2222, ST_OV, 0x1111, 0x2222, ST_EQ | ST_OV, 20},
    {"LDCR whole word with a short count", 0x3200, 0x0080, 0, 0, 0, 0, 0, ST_LGT | ST_AGT, 20},
};

TEST(RegisterSourceInstructions, Table)
{
    for (const Case& c : CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = static_cast<uint16_t>(c.st_before | 0x000A);
        set_reg(3, c.source);
        set_reg(1, c.r1);
        set_reg(2, c.r2);
        run({static_cast<uint16_t>(c.op | R3_R1)});
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(reg(2), c.r2_after);
        EXPECT_EQ(reg(3), c.source);
        EXPECT_EQ(flags(), c.flags_after);
        EXPECT_EQ(g_cpu.ST & ~FLAG_BITS, 0x000A);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, 0x0102);
    }
}

// The source is a word operand whatever the instruction.
TEST(RegisterSourceInstructions, SourceModes)
{
    struct ModeCase {
        const char* name;
        uint16_t op;
        uint16_t r3_after;
        uint16_t r1_after;
        uint16_t r2_after;
        int32_t cycles;
        uint16_t pc_after;
    };
    const ModeCase cases[] = {
        {"MPY *R3+ advances by 2", 0x3873, 0xF103, 0x0000, 0x0006, 60, 0x0102},  // MPY *R3+,R1
        {"MPY @A", 0x3860, 0xF101, 0x0000, 0x0006, 60, 0x0104},                  // MPY @>F100,R1
        {"LDCR *R3+ advances by 2", 0x3073, 0xF103, 0x0002, 0, 28, 0x0102},      // LDCR *R3+,1
        {"XOR *R3 clears bit 0", 0x2853, 0xF101, 0x0001, 0, 18, 0x0102},         // XOR *R3,R1
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        poke_words(0xF100, {0x0003});
        set_reg(3, 0xF101);
        set_reg(1, 0x0002);
        set_reg(2, 0);
        run({c.op, 0xF100});
        EXPECT_EQ(reg(3), c.r3_after);
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(reg(2), c.r2_after);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
    }
}

// Register D + 1 of a register D at >FFFE is the word at >0000.
TEST(RegisterSourceInstructions, NextRegisterWrapsToZero)
{
    reset_machine();
    g_cpu.WP = g_cpu.workspace = 0xFFE2;
    poke_words(0x0000, {0x0000});
    set_reg(0, 0x0003);
    set_reg(14, 0x0100);           // at >FFFE
    run({0x3B80});                 // MPY R0,R14
    EXPECT_EQ(reg(14), 0x0000);
    EXPECT_EQ(mem_read_word(0x0000), 0x0000);  // ROM refuses the low word

    reset_machine();
    g_cpu.WP = g_cpu.workspace = 0xFFE2;
    poke_words(0x0000, {0x0010});  // the low word of the dividend, read from ROM
    set_reg(0, 0x0004);
    set_reg(14, 0x0001);
    run({0x3F80});                 // DIV R0,R14: >10010 / 4
    EXPECT_EQ(reg(14), 0x4004);
}

// LDCR reads its source straight from the image: no port side effect.
TEST(RegisterSourceInstructions, LdcrReadsTheImage)
{
    reset_machine();
    poke_words(0xD000, {0x8000});
    run({0x3220, 0xD000});  // LDCR @>D000,8
    EXPECT_EQ(mem_read_word(0xD000), 0x8000);
    EXPECT_EQ(flags(), ST_LGT);
}

}  // namespace
