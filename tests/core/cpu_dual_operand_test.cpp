// Two-operand instructions: results and status bits, addressing and cycles,
// and which accesses reach the bus.
#include <gtest/gtest.h>

#include <vector>

#include "bus/bus.h"
#include "cpu_program.h"
#include "machine/debugger_record.h"
#include "video/vdp.h"

namespace {

// Opcodes of "OP R1,R2": source R1, destination R2.
constexpr uint16_t R1_R2 = 0x0081;

struct ResultCase {
    const char* name;
    uint16_t op;
    uint16_t r1;
    uint16_t r2;
    uint16_t st_before;
    uint16_t r2_after;
    uint16_t flags_after;
};

const ResultCase RESULT_CASES[] = {
    // Addition
    {"A carry to zero", 0xA000, 0x0001, 0xFFFF, 0, 0x0000, ST_EQ | ST_C},
    {"A signed overflow", 0xA000, 0x0001, 0x7FFF, 0, 0x8000, ST_LGT | ST_OV},
    {"A keeps OP", 0xA000, 0x0001, 0x0001, ST_OP | ST_EQ, 0x0002, ST_LGT | ST_AGT | ST_OP},
    {"AB both signs", 0xB000, 0x8011, 0x8022, 0, 0x0022, ST_C | ST_OV | ST_EQ},
    {"AB carry no overflow", 0xB000, 0x0100, 0xFF00, 0, 0x0000, ST_C | ST_EQ},
    // Subtraction
    {"S borrow", 0x6000, 0x0001, 0x0000, 0, 0xFFFF, ST_LGT},
    {"S overflow", 0x6000, 0x0001, 0x8000, 0, 0x7FFF, ST_LGT | ST_AGT | ST_C | ST_OV},
    {"S equal", 0x6000, 0x1234, 0x1234, 0, 0x0000, ST_EQ | ST_C},
    {"SB borrow", 0x7000, 0x0100, 0x0055, 0, 0xFF55, ST_LGT},
    {"SB overflow odd parity", 0x7000, 0x0100, 0x8000, 0, 0x7F00, ST_LGT | ST_AGT | ST_C | ST_OV | ST_OP},
    // Comparison: nothing written, C and OV kept
    {"C unsigned greater", 0x8000, 0x8000, 0x0001, ST_C | ST_OV, 0x0001, ST_LGT | ST_C | ST_OV},
    {"C signed greater", 0x8000, 0x0001, 0x8000, 0, 0x8000, ST_AGT},
    {"C equal", 0x8000, 0x4321, 0x4321, 0, 0x4321, ST_EQ},
    {"CB parity of destination", 0x9000, 0x0100, 0x0700, 0, 0x0700, ST_OP},
    {"CB greater even destination", 0x9000, 0x0700, 0x0300, 0, 0x0300, ST_LGT | ST_AGT},
    {"CB unsigned greater", 0x9000, 0x8000, 0x0100, 0, 0x0100, ST_LGT | ST_OP},
    // Logical: C and OV kept
    {"MOV", 0xC000, 0x8000, 0x1111, ST_C | ST_OV, 0x8000, ST_LGT | ST_C | ST_OV},
    {"MOV zero", 0xC000, 0x0000, 0x1111, ST_LGT, 0x0000, ST_EQ},
    {"MOVB high bytes only", 0xD000, 0x12AB, 0x3456, 0, 0x1256, ST_LGT | ST_AGT},
    {"MOVB odd parity negative", 0xD000, 0x8000, 0x0000, 0, 0x8000, ST_LGT | ST_OP},
    {"SOC", 0xE000, 0x0F00, 0x00F0, 0, 0x0FF0, ST_LGT | ST_AGT},
    {"SOCB", 0xF000, 0x0F00, 0xF000, 0, 0xFF00, ST_LGT},
    {"SZC to zero keeps C OV", 0x4000, 0x5A5A, 0x5A5A, ST_C | ST_OV | ST_LGT, 0x0000, ST_EQ | ST_C | ST_OV},
    {"SZCB", 0x5000, 0xFE00, 0xFF77, 0, 0x0177, ST_LGT | ST_AGT | ST_OP},
};

TEST(DualOperandResults, Table)
{
    for (const ResultCase& c : RESULT_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = static_cast<uint16_t>(c.st_before | 0x0005);  // a mask that must survive
        set_reg(1, c.r1);
        set_reg(2, c.r2);
        run({static_cast<uint16_t>(c.op | R1_R2)});
        EXPECT_EQ(reg(2), c.r2_after);
        EXPECT_EQ(reg(1), c.r1);
        EXPECT_EQ(flags(), c.flags_after);
        EXPECT_EQ(g_cpu.ST & ~FLAG_BITS, 0x0005);
        EXPECT_EQ(g_cycles, 14);
        EXPECT_EQ(g_cpu.PC, 0x0102);
    }
}

// Operand modes, extension words and their costs. Registers: R1 = >F100,
// R2 = >F101, R3 = >F200; the words >AAAA at >F100 and >BBBB at >F102.
struct ModeCase {
    const char* name;
    std::vector<uint16_t> words;  // the instruction and its extension words
    Location target;              // where the result lands
    uint16_t target_after;        // word there afterwards
    uint16_t r1_after;
    int32_t cycles;
    uint16_t pc_after;
};

const ModeCase MODE_CASES[] = {
    {"MOV Rn,Rn", {0xC0C1}, 0xF006, 0xF100, 0xF100, 14, 0x0102},                   // MOV R1,R3
    {"MOV *Rn,Rn", {0xC0D1}, 0xF006, 0xAAAA, 0xF100, 18, 0x0102},                  // MOV *R1,R3
    {"MOV *Rn odd", {0xC0D2}, 0xF006, 0xAAAA, 0xF100, 18, 0x0102},                 // MOV *R2,R3
    {"MOV *Rn+", {0xC0F1}, 0xF006, 0xAAAA, 0xF102, 22, 0x0102},                    // MOV *R1+,R3
    {"MOV @A,Rn", {0xC0E0, 0xF102}, 0xF006, 0xBBBB, 0xF100, 22, 0x0104},           // MOV @>F102,R3
    {"MOV @A(Rn)", {0xC0E1, 0x0002}, 0xF006, 0xBBBB, 0xF100, 22, 0x0104},          // MOV @2(R1),R3
    {"MOV @A,@A", {0xC820, 0xF100, 0xF200}, 0xF200, 0xAAAA, 0xF100, 30, 0x0106},   // MOV @>F100,@>F200
    {"MOV Rn,@A", {0xC801, 0xF200}, 0xF200, 0xF100, 0xF100, 22, 0x0104},           // MOV R1,@>F200
    {"MOV *Rn+,*Rn+", {0xCC71}, 0xF102, 0xAAAA, 0xF104, 30, 0x0102},               // MOV *R1+,*R1+
    {"MOVB @A,@A", {0xD820, 0xF100, 0xF201}, 0xF200, 0xCDAA, 0xF100, 26, 0x0106},  // MOVB @>F100,@>F201
    {"MOVB @A,Rn", {0xD0E0, 0xF103}, 0xF006, 0xBB00, 0xF100, 20, 0x0104},          // MOVB @>F103,R3
    {"MOVB *Rn+ odd", {0xD0F2}, 0xF006, 0xAA00, 0xF100, 22, 0x0102},               // MOVB *R2+,R3
    {"MOVB *Rn", {0xD0D2}, 0xF006, 0xAA00, 0xF100, 18, 0x0102},                    // MOVB *R2,R3
};

TEST(DualOperandModes, Table)
{
    for (const ModeCase& c : MODE_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(1, 0xF100);
        set_reg(2, 0xF101);
        set_reg(3, 0x0000);
        poke_words(0xF100, {0xAAAA, 0xBBBB});
        Location at = 0x0100;
        for (uint16_t w : c.words) {
            poke_words(at, {w});
            at = static_cast<Location>(at + 2);
        }
        step();
        EXPECT_EQ(mem_read_word(c.target), c.target_after);
        EXPECT_EQ(reg(1), c.r1_after);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
    }
}

// Auto-increment and index arithmetic wrap within the address space.
TEST(DualOperandModes, Wrapping)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t r2;
        uint16_t extension;
        uint16_t r3_after;
        uint16_t r2_after;
    };
    const Case cases[] = {
        {"indexed byte wraps to >0001", 0xD0E2, 0xFFFF, 0x0002, 0x3400, 0xFFFF},  // MOVB @2(R2),R3
        {"indexed word cleared to >0000", 0xC0E2, 0xFFFF, 0x0002, 0x1234, 0xFFFF},
        {"autoinc word from >FFFE", 0xC0F2, 0xFFFE, 0, 0x5678, 0x0000},        // MOV *R2+,R3
        {"autoinc byte from >FFFF", 0xD0F2, 0xFFFF, 0, 0x7800, 0x0000},       // MOVB *R2+,R3
        {"autoinc word from odd", 0xC0F2, 0xF011, 0, 0x9ABC, 0xF013},
        {"symbolic ignores R0", 0xC0E0, 0, 0xF010, 0x9ABC, 0},                   // MOV @>F010,R3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        poke_words(0x0000, {0x1234});
        poke_words(0xFFFE, {0x5678});
        poke_words(0xF010, {0x9ABC});
        set_reg(0, 0x0100);
        set_reg(2, c.r2);
        set_reg(3, 0);
        run({c.op, c.extension});
        EXPECT_EQ(reg(3), c.r3_after);
        EXPECT_EQ(reg(2), c.r2_after);
    }
}

TEST(DualOperandModes, RegisterFifteenWrapsPastTheTop)
{
    reset_machine();
    g_cpu.WP = g_cpu.workspace = 0xFFF0;
    poke_words(0x000E, {0x4242});
    run({0xC04F});  // MOV R15,R1
    EXPECT_EQ(mem_read_word(0xFFF2), 0x4242);
}

// Each access of the VDP data port advances the VDP's address, so the number
// of accesses, and which byte a write lands on, show the road taken.
TEST(DualOperandRoad, DataPortAccesses)
{
    struct Case {
        const char* name;
        uint16_t op;
        uint16_t vdp_address_after;
        uint8_t vram0_after;
        uint8_t vram1_after;
    };
    const Case cases[] = {
        {"SOCB reads the port, then writes it", 0xF801, 2, 0x30, 0x3F},  // SOCB R1,@>E000
        {"AB reads, then writes", 0xB801, 2, 0x30, 0x3F},
        {"MOVB only writes", 0xD801, 1, 0x0F, 0x22},
        {"CB only reads", 0x9801, 1, 0x30, 0x22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_vdp.vram[0] = 0x30;
        g_vdp.vram[1] = 0x22;
        set_reg(1, 0x0F00);
        run({c.op, VDP_DATA_PORT});
        EXPECT_EQ(g_vdp.address, c.vdp_address_after);
        EXPECT_EQ(g_vdp.vram[0], c.vram0_after);
        EXPECT_EQ(g_vdp.vram[1], c.vram1_after);
    }
}

TEST(DualOperandRoad, MovNeverReadsItsDestination)
{
    reset_machine();
    poke_words(0xD000, {0x5555});
    set_reg(1, 0x1234);
    run({0xC801, 0xD000});  // MOV R1,@>D000: a read there would clear the word first
    EXPECT_EQ(mem_read_word(0xD000), 0x1234);

    reset_machine();
    poke_words(0xD000, {0x5555});
    set_reg(1, 0x1234);
    run({0xA801, 0xD000});  // A R1,@>D000 reads 0 through the bus
    EXPECT_EQ(mem_read_word(0xD000), 0x1234);
}

TEST(DualOperandRoad, SourceReadThroughTheBus)
{
    reset_machine();
    poke_words(0xC010, {0x7777});
    run({0xC060, 0xC010});  // MOV @>C010,R1
    EXPECT_EQ(reg(1), 0x0000);
    EXPECT_EQ(mem_read_word(0xC010), 0x0000);
    EXPECT_EQ(flags(), ST_EQ);
}

TEST(DualOperandRoad, RomRefusesButFlagsFollowTheResult)
{
    struct Case {
        const char* name;
        uint16_t op;
        bool stops;
        int32_t cycles;
    };
    const Case cases[] = {
        {"MOV word write", 0xC801, false, 22},  // MOV R1,@>0200
        {"MOVB byte write", 0xD801, true, 20},  // MOVB R1,@>0200
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        poke_words(0x0200, {0x1111});
        set_reg(1, 0x8000);
        run({c.op, 0x0200});
        EXPECT_EQ(mem_read_word(0x0200), 0x1111);
        EXPECT_EQ(flags() & (ST_LGT | ST_AGT | ST_EQ), ST_LGT);
        EXPECT_EQ(g_debugger.stopped != 0, c.stops);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, 0x0104);
    }
}

}  // namespace
