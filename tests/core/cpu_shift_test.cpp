// The shifts: results, the last bit out in C, OV of SLA, and their cost.
#include <gtest/gtest.h>

#include "cpu_program.h"

namespace {

struct ShiftCase {
    const char* name;
    uint16_t op;  // register R1; a count field of 0 takes the count from R0
    uint16_t r0;
    uint16_t r1;
    uint16_t r1_after;
    uint16_t flags_after;  // before: OV and OP set
    int32_t cycles;
};

const ShiftCase SHIFT_CASES[] = {
    {"SRA sign fills", 0x0811, 0, 0x8001, 0xC000, ST_LGT | ST_C | ST_OV | ST_OP, 14},
    {"SRA by 16 from R0", 0x0801, 0x0010, 0x8000, 0xFFFF, ST_LGT | ST_C | ST_OV | ST_OP, 44},
    {"SRA by R0's low bits", 0x0801, 0x0028, 0x8000, 0xFF80, ST_LGT | ST_OV | ST_OP, 28},
    {"SRA positive by 16", 0x0801, 0x0000, 0x4000, 0x0000, ST_EQ | ST_OV | ST_OP, 44},
    {"SRL zero fills", 0x0911, 0, 0x8001, 0x4000, ST_LGT | ST_AGT | ST_C | ST_OV | ST_OP, 14},
    {"SRL by 16", 0x0901, 0x0000, 0x8000, 0x0000, ST_EQ | ST_C | ST_OV | ST_OP, 44},
    {"SLA sign change", 0x0A11, 0, 0x4000, 0x8000, ST_LGT | ST_OV | ST_OP, 14},
    {"SLA out through the top", 0x0A21, 0, 0x4000, 0x0000, ST_EQ | ST_C | ST_OP, 16},
    {"SLA by 16", 0x0A01, 0x0000, 0x0001, 0x0000, ST_EQ | ST_C | ST_OP, 44},
    {"SLA sign changes back", 0x0A31, 0, 0x2000, 0x0000, ST_EQ | ST_C | ST_OP, 18},
    {"SRC", 0x0B11, 0, 0x0001, 0x8000, ST_LGT | ST_C | ST_OV | ST_OP, 14},
    {"SRC by 4", 0x0B41, 0, 0x1234, 0x4123, ST_LGT | ST_AGT | ST_OV | ST_OP, 20},
    {"SRC by 16", 0x0B01, 0x0000, 0x1234, 0x1234, ST_LGT | ST_AGT | ST_OV | ST_OP, 44},
};

TEST(Shifts, Table)
{
    for (const ShiftCase& c : SHIFT_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = ST_OV | ST_OP | ST_EQ | ST_C | 0x0001;
        set_reg(0, c.r0);
        set_reg(1, c.r1);
        run({c.op});
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(flags(), c.flags_after);
        EXPECT_EQ(g_cpu.ST & ~FLAG_BITS, 0x0001);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, 0x0102);
    }
}

// The result goes through the bus, so a register in ROM keeps its value.
TEST(Shifts, ResultWrittenThroughTheBus)
{
    reset_machine();
    g_cpu.WP = g_cpu.workspace = 0x0400;
    set_reg(1, 0x0001);
    run({0x0A11});  // SLA R1,1
    EXPECT_EQ(reg(1), 0x0001);
    EXPECT_EQ(flags(), ST_LGT | ST_AGT);
}

}  // namespace
