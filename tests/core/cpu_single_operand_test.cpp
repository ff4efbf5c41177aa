// Single-operand instructions: arithmetic, branches, context switches and X.
#include <gtest/gtest.h>

#include "cpu_program.h"
#include "machine/debugger_record.h"

namespace {

struct ArithmeticCase {
    const char* name;
    uint16_t op;  // operand R1
    uint16_t r1;
    uint16_t st_before;
    uint16_t r1_after;
    uint16_t flags_after;
    int32_t cycles;
};

const ArithmeticCase ARITHMETIC_CASES[] = {
    {"NEG of >8000", 0x0501, 0x8000, ST_C, 0x8000, ST_LGT | ST_OV | ST_C, 12},
    {"NEG of 0", 0x0501, 0x0000, ST_OV, 0x0000, ST_EQ, 12},
    {"NEG of 1", 0x0501, 0x0001, 0, 0xFFFF, ST_LGT, 12},
    {"INV", 0x0541, 0x00FF, ST_C | ST_OV, 0xFF00, ST_LGT | ST_C | ST_OV, 10},
    {"INV to zero", 0x0541, 0xFFFF, 0, 0x0000, ST_EQ, 10},
    {"INC overflow", 0x0581, 0x7FFF, ST_C, 0x8000, ST_LGT | ST_OV, 10},
    {"INC carry", 0x0581, 0xFFFF, ST_OV, 0x0000, ST_EQ | ST_C, 10},
    {"INC plain", 0x0581, 0x0010, ST_OP, 0x0011, ST_LGT | ST_AGT | ST_OP, 10},
    {"INCT overflow", 0x05C1, 0x7FFF, 0, 0x8001, ST_LGT | ST_OV, 10},
    {"INCT carry", 0x05C1, 0xFFFE, 0, 0x0000, ST_EQ | ST_C, 10},
    {"DEC overflow", 0x0601, 0x8000, 0, 0x7FFF, ST_LGT | ST_AGT | ST_C | ST_OV, 10},
    {"DEC borrow", 0x0601, 0x0000, ST_OV, 0xFFFF, ST_LGT, 10},
    {"DEC to zero", 0x0601, 0x0001, 0, 0x0000, ST_EQ | ST_C, 10},
    {"DECT borrow", 0x0641, 0x0001, 0, 0xFFFF, ST_LGT, 10},
    {"DECT to zero", 0x0641, 0x0002, 0, 0x0000, ST_EQ | ST_C, 10},
    {"ABS negative", 0x0741, 0xFFFB, ST_OV | ST_C, 0x0005, ST_LGT | ST_AGT | ST_C, 14},
    {"ABS of >8000", 0x0741, 0x8000, 0, 0x8000, ST_LGT | ST_OV, 14},
    {"ABS positive", 0x0741, 0x0003, ST_EQ, 0x0003, ST_LGT | ST_AGT, 12},
    {"ABS zero", 0x0741, 0x0000, 0, 0x0000, ST_EQ, 12},
    {"CLR", 0x04C1, 0x1234, ST_LGT | ST_C, 0x0000, ST_LGT | ST_C, 10},
    {"SETO", 0x0701, 0x1234, ST_EQ, 0xFFFF, ST_EQ, 10},
    {"SWPB", 0x06C1, 0x1234, ST_OP, 0x3412, ST_OP, 10},
    {"MPYS does nothing", 0x01C1, 0x1234, ST_LGT, 0x1234, ST_LGT, 16},
    {"DIVS does nothing", 0x0181, 0x1234, ST_AGT, 0x1234, ST_AGT, 52},
};

TEST(SingleOperandArithmetic, Table)
{
    for (const ArithmeticCase& c : ARITHMETIC_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = static_cast<uint16_t>(c.st_before | 0x0007);
        set_reg(1, c.r1);
        run({c.op});
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(flags(), c.flags_after);
        EXPECT_EQ(g_cpu.ST & ~FLAG_BITS, 0x0007);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, 0x0102);
    }
}

// The operand @>0200 lies in ROM: writes through the bus are refused there,
// writes into the image are not.
TEST(SingleOperandRoad, RomOperand)
{
    struct Case {
        const char* name;
        uint16_t op;  // operand @>0200
        uint16_t word_after;
    };
    const Case cases[] = {
        {"CLR refused", 0x04E0, 0x1234},
        {"INC refused", 0x05A0, 0x1234},
        {"NEG refused", 0x0520, 0x1234},
        {"ABS refused", 0x0760, 0x1234},
        {"SETO changes ROM", 0x0720, 0xFFFF},
        {"SWPB changes ROM", 0x06E0, 0x3412},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        poke_words(0x0200, {0x1234});
        run({c.op, 0x0200});
        EXPECT_EQ(mem_read_word(0x0200), c.word_after);
        EXPECT_EQ(g_debugger.stopped, 0);
        EXPECT_EQ(g_cpu.PC, 0x0104);
    }
}

// A word read of >D000 through the bus would find 0; these read the image.
TEST(SingleOperandRoad, ArithmeticReadsTheImage)
{
    struct Case {
        const char* name;
        uint16_t op;  // operand @>D000
        uint16_t word_after;
    };
    const Case cases[] = {
        {"NEG", 0x0520, 0xFFFF},
        {"INC", 0x05A0, 0x0002},
        {"DECT", 0x0660, 0xFFFF},
        {"INV", 0x0560, 0xFFFE},
        {"ABS", 0x0760, 0x0001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        poke_words(0xD000, {0x0001});
        run({c.op, 0xD000});
        EXPECT_EQ(mem_read_word(0xD000), c.word_after);
    }
}

TEST(SingleOperandRoad, SignedCodesResolveTheirOperand)
{
    reset_machine();
    set_reg(1, 0xF100);
    run({0x01F1});  // MPYS *R1+
    EXPECT_EQ(reg(1), 0xF102);
    EXPECT_EQ(g_cycles, 24);
    EXPECT_EQ(g_cpu.ST, 0);

    reset_machine();
    run({0x01E0, 0x1000});  // MPYS @>1000
    EXPECT_EQ(g_cpu.PC, 0x0104);
}

struct BranchCase {
    const char* name;
    uint16_t op;
    uint16_t extension;
    uint16_t pc_after;
    uint16_t r11_after;
    uint16_t r3_after;
    int32_t cycles;
};

// At >0100 with R11 = >0300 and R3 = >0400.
const BranchCase BRANCH_CASES[] = {
    {"B @A odd target", 0x0460, 0x1235, 0x1235, 0x0300, 0x0400, 16},
    {"B *R11", 0x045B, 0, 0x0300, 0x0300, 0x0400, 12},
    {"B R11", 0x044B, 0, 0x0300, 0x0300, 0x0400, 8},
    {"B *R3+", 0x0473, 0, 0x0400, 0x0300, 0x0402, 16},
    {"B @A(R3)", 0x0463, 0x0011, 0x0411, 0x0300, 0x0400, 16},
    {"BL @A", 0x06A0, 0x0500, 0x0500, 0x0104, 0x0400, 20},
    {"BL *R3", 0x0693, 0, 0x0400, 0x0102, 0x0400, 16},
};

TEST(Branches, Table)
{
    for (const BranchCase& c : BRANCH_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(11, 0x0300);
        set_reg(3, 0x0400);
        run({c.op, c.extension});
        EXPECT_EQ(g_cpu.PC, c.pc_after);
        EXPECT_EQ(reg(11), c.r11_after);
        EXPECT_EQ(reg(3), c.r3_after);
        EXPECT_EQ(g_cycles, c.cycles);
    }
}

TEST(Branches, BlwpAndRtwp)
{
    reset_machine();
    g_cpu.PC = 0x0200;
    g_cpu.ST = 0x0003;
    g_debugger.in_interrupt = 1;
    poke_words(0x0100, {0xF020, 0x0300});
    run({0x0420, 0x0100});  // BLWP @>0100
    EXPECT_EQ(g_cpu.WP, 0xF020);
    EXPECT_EQ(g_cpu.workspace, 0xF020);
    EXPECT_EQ(g_cpu.PC, 0x0300);
    EXPECT_EQ(reg(13), 0xF000);
    EXPECT_EQ(reg(14), 0x0204);
    EXPECT_EQ(reg(15), 0x0003);
    EXPECT_EQ(g_cpu.ST, 0x0003);
    EXPECT_EQ(g_cycles, 34);

    run({0x0380});  // RTWP
    EXPECT_EQ(g_cpu.WP, 0xF000);
    EXPECT_EQ(g_cpu.PC, 0x0204);
    EXPECT_EQ(g_cpu.ST, 0x0003);
    EXPECT_EQ(g_debugger.in_interrupt, 0);
}

TEST(Branches, BlwpVectorCases)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t wp_after;
        uint16_t pc_after;
    };
    const Case cases[] = {
        {"vector in a register pair", 0x0405, 0xF040, 0x0440},  // BLWP R5: R5 and R6
        {"vector at >FFFE wraps", 0x0417, 0xF060, 0x0660},      // BLWP *R7, R7 = >FFFE
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(5, 0xF040);
        set_reg(6, 0x0440);
        set_reg(7, 0xFFFE);
        poke_words(0xFFFE, {0xF060});
        poke_words(0x0000, {0x0660});
        run({c.op});
        EXPECT_EQ(g_cpu.WP, c.wp_after);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
        EXPECT_EQ(mem_read_word(static_cast<Location>(c.wp_after + 28)), 0x0102);
    }
}

// X at >0100 executing the word in R2 (or at >2000 for X @>2000), with
// R0 = >0400, R1 = >0010 and R11 = >0300; the words after the X follow.
struct ExecuteCase {
    const char* name;
    uint16_t op;
    uint16_t executed;
    uint16_t extension;  // the word after the X
    uint16_t pc_after;
    uint16_t r1_after;
    uint16_t r11_after;
    int32_t cycles;
};

const ExecuteCase EXECUTE_CASES[] = {
    {"INC R1", 0x0482, 0x0581, 0, 0x0102, 0x0011, 0x0300, 18},
    {"LI R1 takes the word after X", 0x0482, 0x0201, 0x4444, 0x0104, 0x4444, 0x0300, 20},
    {"JMP counts from after X", 0x0482, 0x1003, 0, 0x0108, 0x0010, 0x0300, 18},
    {"JEQ not taken", 0x0482, 0x1303, 0, 0x0102, 0x0010, 0x0300, 16},
    {"X @A", 0x04A0, 0x0581, 0x2000, 0x0104, 0x0011, 0x0300, 26},
    {"B *R11", 0x0482, 0x045B, 0, 0x0300, 0x0010, 0x0300, 20},
    {"BL R0", 0x0482, 0x0680, 0, 0x0400, 0x0010, 0x0102, 20},
    {"MOV @A,R1 after X's extension word", 0x04A0, 0xC060, 0x2000, 0x0106, 0x4321, 0x0300, 38},
};

TEST(Execute, Table)
{
    for (const ExecuteCase& c : EXECUTE_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(0, 0x0400);
        set_reg(1, 0x0010);
        set_reg(2, c.executed);
        set_reg(11, 0x0300);
        poke_words(0x2000, {c.executed});
        poke_words(0x0002, {0x4321});
        run({c.op, c.extension, 0x0002});
        EXPECT_EQ(g_cpu.PC, c.pc_after);
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(reg(11), c.r11_after);
        EXPECT_EQ(g_cycles, c.cycles);
    }
}

// X at >0100 executing a context switch: the new PC is taken exactly, and the
// return address saved in the new R14 is the word after the X.
TEST(Execute, ContextSwitches)
{
    struct Case {
        const char* name;
        uint16_t executed;  // in R2
        uint16_t wp_after;
        uint16_t pc_after;
        uint16_t r14_after;  // in the new workspace
        int32_t cycles;
    };
    const Case cases[] = {
        {"BLWP R4", 0x0404, 0xF040, 0x0400, 0x0102, 34},
        {"XOP R3,1", 0x2C43, 0xF060, 0x0500, 0x0102, 8},
        {"RTWP", 0x0380, 0xF080, 0x0600, 0x0600, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(2, c.executed);
        set_reg(4, 0xF040);  // BLWP's vector: R4, R5
        set_reg(5, 0x0400);
        poke_words(0x0044, {0xF060, 0x0500});  // XOP vector 1
        set_reg(13, 0xF080);                   // RTWP's context
        set_reg(14, 0x0600);
        set_reg(15, 0x0000);
        poke_words(0xF080 + 28, {0x0600});
        run({0x0482});  // X R2
        EXPECT_EQ(g_cpu.WP, c.wp_after);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
        EXPECT_EQ(reg(14), c.r14_after);
        EXPECT_EQ(g_cycles, c.cycles);
    }
}

TEST(Execute, StatusOfTheExecutedWord)
{
    reset_machine();
    set_reg(1, 0x7FFF);
    set_reg(2, 0x0581);  // INC R1
    run({0x0482});
    EXPECT_EQ(flags(), ST_LGT | ST_OV);
}

// X of X: each level executes the next; a chain that never ends stops at the
// depth limit, and execution goes on after the outermost X.
TEST(Execute, Nesting)
{
    struct Case {
        const char* name;
        uint16_t r2;  // the word that X R2 executes, over and over
        int32_t cycles;
    };
    const Case cases[] = {
        {"X of X of INC", 0x0483, 8 + 8 + 10},           // X R3, R3 = INC R1
        {"X of itself stops at the limit", 0x0482, 16 * 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(1, 0);
        set_reg(2, c.r2);
        set_reg(3, 0x0581);
        run({0x0482});  // X R2
        EXPECT_EQ(g_cpu.PC, 0x0102);
        EXPECT_EQ(g_cycles, c.cycles);
    }
}

TEST(Execute, DepthLimitThenNormalExecution)
{
    reset_machine();
    set_reg(2, 0x0482);
    set_reg(1, 0);
    poke_words(0x0100, {0x0482, 0x0581, 0x0482});  // X R2; INC R1; X R2
    step();
    step();
    step();
    EXPECT_EQ(reg(1), 1);
    EXPECT_EQ(g_cpu.PC, 0x0106);
}

}  // namespace
