// Decoding: every row of the opcode map reaches its instruction, codes outside
// the map do nothing, and PC ends where each class of instruction leaves it.
#include <gtest/gtest.h>

#include <array>

#include "cpu_program.h"
#include "machine/debugger_record.h"

namespace {

// Every register and the words after the instruction hold >F000, the
// workspace itself, so that every operand lies in RAM. ST is 0.
void neutral_machine()
{
    reset_machine();
    for (int n = 0; n < 16; ++n) {
        set_reg(n, TEST_WP);
    }
    poke_words(0x0102, {TEST_WP, TEST_WP});
}

struct RowCase {
    uint16_t op;
    int32_t cycles;
};

// The first and the last code of each row, with the cycles they cost from
// the neutral machine. A last code usually has the operand *R15+ (8 more).
const RowCase ROW_CASES[] = {
    {0x0080, 8},   {0x008F, 8},    // LST
    {0x0090, 10},  {0x009F, 10},   // LWP
    {0x00E0, 10},  {0x00FF, 10},   // LWPI
    {0x0180, 52},  {0x01BF, 60},   // DIVS
    {0x01C0, 16},  {0x01FF, 24},   // MPYS
    {0x0200, 12},  {0x021F, 12},   // LI
    {0x0220, 14},  {0x023F, 14},   // AI
    {0x0240, 14},  {0x025F, 14},   // ANDI
    {0x0260, 14},  {0x027F, 14},   // ORI
    {0x0280, 14},  {0x029F, 14},   // CI
    {0x02A0, 8},   {0x02BF, 8},    // STWP
    {0x02C0, 8},   {0x02CF, 8},    // STST
    {0x02E0, 10},  {0x02FF, 10},   // LWPI
    {0x0300, 16},  {0x031F, 16},   // LIMI
    {0x0360, 16},  {0x037F, 16},   // RSET code: LIMI
    {0x0380, 14},  {0x039F, 14},   // RTWP
    {0x03E0, 16},  {0x03FF, 16},   // LREX code: LIMI
    {0x0400, 26},  {0x043F, 34},   // BLWP
    {0x0440, 8},   {0x047F, 16},   // B
    {0x0480, 22},  {0x04BF, 30},   // X, executing >F000 (SOCB R0,R0)
    {0x04C0, 10},  {0x04FF, 18},   // CLR
    {0x0500, 12},  {0x053F, 20},   // NEG
    {0x0540, 10},  {0x057F, 18},   // INV
    {0x0580, 10},  {0x05BF, 18},   // INC
    {0x05C0, 10},  {0x05FF, 18},   // INCT
    {0x0600, 10},  {0x063F, 18},   // DEC
    {0x0640, 10},  {0x067F, 18},   // DECT
    {0x0680, 12},  {0x06BF, 20},   // BL
    {0x06C0, 10},  {0x06FF, 18},   // SWPB
    {0x0700, 10},  {0x073F, 18},   // SETO
    {0x0740, 14},  {0x077F, 22},   // ABS of >F000, negative
    {0x0780, 0},   {0x07FF, 8},    // no instruction, operand resolved
    {0x0800, 44},  {0x08FF, 42},   // SRA by R0 (16), by 15
    {0x0900, 44},  {0x09FF, 42},   // SRL
    {0x0A00, 44},  {0x0AFF, 42},   // SLA
    {0x0B00, 44},  {0x0BFF, 42},   // SRC
    {0x0C00, 0},   {0x0FFF, 16},   // as >0000 and >03FF
    {0x1000, 10},  {0x10FF, 10},   // JMP
    {0x1100, 10},  {0x11FF, 10},   // JLT, taken
    {0x1200, 10},  {0x12FF, 10},   // JLE, taken
    {0x1300, 8},   {0x13FF, 8},    // JEQ
    {0x1400, 8},   {0x14FF, 8},    // JHE
    {0x1500, 8},   {0x15FF, 8},    // JGT
    {0x1600, 10},  {0x16FF, 10},   // JNE, taken
    {0x1700, 10},  {0x17FF, 10},   // JNC, taken
    {0x1800, 8},   {0x18FF, 8},    // JOC
    {0x1900, 10},  {0x19FF, 10},   // JNO, taken
    {0x1A00, 10},  {0x1AFF, 10},   // JL, taken
    {0x1B00, 8},   {0x1BFF, 8},    // JH
    {0x1C00, 8},   {0x1CFF, 8},    // JOP
    {0x1D00, 12},  {0x1DFF, 12},   // SBO
    {0x1E00, 12},  {0x1EFF, 12},   // SBZ
    {0x1F00, 12},  {0x1FFF, 12},   // TB
    {0x2000, 14},  {0x23FF, 22},   // COC
    {0x2400, 14},  {0x27FF, 22},   // CZC
    {0x2800, 14},  {0x2BFF, 22},   // XOR
    {0x2C00, 0},   {0x2FFF, 8},    // XOP
    {0x3000, 20},  {0x33FF, 28},   // LDCR
    {0x3400, 42},  {0x37FF, 50},   // STCR
    {0x3800, 52},  {0x3BFF, 60},   // MPY
    {0x3C00, 92},  {0x3FFF, 100},  // DIV, overflowing
    {0x4000, 14},  {0x4FFF, 30},   // SZC
    {0x5000, 14},  {0x5FFF, 30},   // SZCB
    {0x6000, 14},  {0x6FFF, 30},   // S
    {0x7000, 14},  {0x7FFF, 30},   // SB
    {0x8000, 14},  {0x8FFF, 30},   // C
    {0x9000, 14},  {0x9FFF, 30},   // CB
    {0xA000, 14},  {0xAFFF, 30},   // A
    {0xB000, 14},  {0xBFFF, 30},   // AB
    {0xC000, 14},  {0xCFFF, 30},   // MOV
    {0xD000, 14},  {0xDFFF, 30},   // MOVB
    {0xE000, 14},  {0xEFFF, 30},   // SOC
    {0xF000, 14},  {0xFFFF, 30},   // SOCB
};

TEST(OpcodeMapRows, CyclesOfFirstAndLastCodes)
{
    for (const RowCase& c : ROW_CASES) {
        SCOPED_TRACE(testing::Message() << "op >" << std::hex << c.op);
        neutral_machine();
        run({c.op});
        EXPECT_EQ(g_cycles, c.cycles);
    }
}

// Codes outside the map change nothing but PC, and cost nothing.
TEST(OpcodeMapRows, CodesOutsideTheMap)
{
    const uint16_t codes[] = {
        0x0000, 0x007F,  // below LST
        0x00A0, 0x00DF,  // between LWP and the LWPI codes
        0x0100, 0x017F,  // below DIVS
        0x02D0, 0x02DF,  // after STST
        0x0320, 0x033F,  // after LIMI
        0x0340, 0x035F,  // IDLE
        0x03A0, 0x03BF,  // CKON
        0x03C0, 0x03DF,  // CKOF
        0x0C00, 0x0D00, 0x0FDF,  // the >0C00 codes that act as these
    };
    for (uint16_t op : codes) {
        SCOPED_TRACE(testing::Message() << "op >" << std::hex << op);
        neutral_machine();
        g_cpu.ST = 0xC0F3;
        poke_words(0x0100, {op});
        const auto before = g_memory;
        step();
        EXPECT_EQ(g_memory, before);
        EXPECT_EQ(g_cpu.PC, 0x0102);
        EXPECT_EQ(g_cpu.WP, TEST_WP);
        EXPECT_EQ(g_cpu.ST, 0xC0F3);
        EXPECT_EQ(g_cycles, 0);
    }
}

// Codes that execute as another instruction.
TEST(OpcodeMapRows, Aliases)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t wp_after;
        uint16_t r0_after;
        uint16_t st_after;
    };
    const Case cases[] = {
        {">0E00 is LI R0", 0x0E00, TEST_WP, 0x1234, ST_LGT | ST_AGT},
        {">0C60 is LWPI", 0x0C60, 0x1234, 0xF000, 0},
        {">00E0 is LWPI", 0x00E0, 0x1234, 0xF000, 0},
        {">0360 (RSET) is LIMI", 0x0360, TEST_WP, 0xF000, 0x0004},
        {">03E0 (LREX) is LIMI", 0x03E0, TEST_WP, 0xF000, 0x0004},
        {">0E85 is CI R5", 0x0E85, TEST_WP, 0xF000, ST_LGT},
        {">0210 is LI R0", 0x0210, TEST_WP, 0x1234, ST_LGT | ST_AGT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        neutral_machine();
        set_reg(5, 0xF000);
        run({c.op, 0x1234});
        EXPECT_EQ(g_cpu.PC, 0x0104);
        EXPECT_EQ(g_cpu.WP, c.wp_after);
        EXPECT_EQ(mem_read_word(TEST_WP), c.r0_after);
        EXPECT_EQ(g_cpu.ST, c.st_after);
    }
}

TEST(OpcodeMapRows, StwpIgnoresBitFour)
{
    neutral_machine();
    run({0x02B5});  // STWP R5, like >02A5
    EXPECT_EQ(reg(5), TEST_WP);
}

// The single-operand codes without an instruction resolve their operand.
TEST(OpcodeMapRows, UnassignedSingleOperandCodes)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t r1_after;
        int32_t cycles;
        uint16_t pc_after;
    };
    const Case cases[] = {
        {"register", 0x0781, 0x0F00, 0, 0x0102},
        {"auto-increment", 0x07B1, 0x0F02, 8, 0x0102},
        {"extension word skipped", 0x07E1, 0x0F00, 8, 0x0104},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(1, 0x0F00);
        run({c.op, 0x0002});
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
        EXPECT_EQ(g_cpu.ST, 0);
    }
}

TEST(Xop, ContextSwitchThroughTheVector)
{
    reset_machine();
    g_cpu.PC = 0xF200;
    g_cpu.ST = 0xF1F5;
    poke_words(0x0048, {0xF040, 0x0600});  // vector 2
    run({0x2CA0, 0x1234});                 // XOP @>1234,2
    EXPECT_EQ(g_cpu.WP, 0xF040);
    EXPECT_EQ(g_cpu.PC, 0x0600);
    EXPECT_EQ(reg(11), 0x1234);
    EXPECT_EQ(reg(13), TEST_WP);
    EXPECT_EQ(reg(14), 0xF204);
    EXPECT_EQ(reg(15), 0xF1F5);
    EXPECT_EQ(g_cpu.ST, 0xF215);  // X set, bits 7 to 10 cleared, bit 11 kept
    EXPECT_EQ(g_cycles, 8);

    run({0x0380});  // RTWP returns after the XOP
    EXPECT_EQ(g_cpu.PC, 0xF204);
    EXPECT_EQ(g_cpu.WP, TEST_WP);
    EXPECT_EQ(g_cpu.ST, 0xF1F5);
}

TEST(Xop, OperandAddressAndIncrement)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t r11_after;
        uint16_t r3_after;
        uint16_t return_pc;
    };
    const Case cases[] = {
        {"register", 0x2C03, 0xF006, 0x2001, 0x0102},         // XOP R3,0
        {"indirect clears bit 0", 0x2C13, 0x2000, 0x2001, 0x0102},
        {"auto-increment by 2", 0x2C33, 0x2000, 0x2003, 0x0102},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(3, 0x2001);
        poke_words(0x0040, {0xF080, 0x0700});
        run({c.op});
        EXPECT_EQ(mem_read_word(0xF080 + 22), c.r11_after);
        EXPECT_EQ(mem_read_word(TEST_WP + 6), c.r3_after);
        EXPECT_EQ(mem_read_word(0xF080 + 28), c.return_pc);
        EXPECT_EQ(g_cpu.PC, 0x0700);
    }
}

}  // namespace
