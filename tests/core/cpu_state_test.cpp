// The processor's creation from the reset vector, the interrupt context
// switch, the fetch and the decrementer.
#include <gtest/gtest.h>

#include <string>

#include "cpu/memory.h"
#include "machine.h"
#include "machine/debugger_record.h"
#include "video/vdp.h"

namespace {

std::array<uint8_t, ROM1_SIZE> rom1;
std::array<uint8_t, ROM2_SIZE> rom2;

// Creates the processor from ROM images that hold `fill` everywhere except
// the reset vector, and returns what the creation printed.
std::string create(uint16_t wp, uint16_t pc, uint8_t fill = 0x00)
{
    rom1.fill(fill);
    rom2.fill(static_cast<uint8_t>(fill + 1));
    rom1[0] = static_cast<uint8_t>(wp >> 8);
    rom1[1] = static_cast<uint8_t>(wp);
    rom1[2] = static_cast<uint8_t>(pc >> 8);
    rom1[3] = static_cast<uint8_t>(pc);
    testing::internal::CaptureStdout();
    cpu_create(rom1, rom2);
    return testing::internal::GetCapturedStdout();
}

TEST(CpuCreate, ReadsTheResetVectorAndPrintsIt)
{
    struct Case {
        const char* name;
        uint16_t wp;
        uint16_t pc;
        const char* printed;
    };
    const Case cases[] = {
        {"typical vector", 0xF000, 0x0100, "CPU created....\n WP is 0xf000, PC is 0x100.\n"},
        {"missing ROM: all zero", 0x0000, 0x0000, "CPU created....\n WP is 0x0, PC is 0x0.\n"},
        {"all ones", 0xFFFF, 0xFFFE, "CPU created....\n WP is 0xffff, PC is 0xfffe.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.ST = 0xFFFF;
        EXPECT_EQ(create(c.wp, c.pc), c.printed);
        EXPECT_EQ(g_cpu.WP, c.wp);
        EXPECT_EQ(g_cpu.PC, c.pc);
        EXPECT_EQ(g_cpu.ST, 0);
        EXPECT_EQ(g_cpu.workspace, c.wp);
        EXPECT_EQ(g_debugger.stopped, c.wp & 1) << "an odd workspace pointer stops the processor";
    }
}

TEST(CpuCreate, LaysOutTheAddressSpace)
{
    reset_machine();
    g_memory.fill(0x00);
    create(0xF000, 0x0100, 0x20);
    EXPECT_EQ(g_memory[0x0000], 0xF0);
    EXPECT_EQ(g_memory[0x0004], 0x20);
    EXPECT_EQ(g_memory[0x7FFF], 0x20);
    EXPECT_EQ(g_memory[0x8000], 0x21);
    EXPECT_EQ(g_memory[0xBFFF], 0x21);
    for (std::size_t a = 0xC000; a < MEMORY_SIZE; ++a) {
        ASSERT_EQ(g_memory[a], 0xCD) << "at " << a;
    }
}

struct InterruptCase {
    const char* name;
    uint16_t wp, pc, st;
    uint16_t vector_wp, vector_pc;
};

// R13 to R15 of the new workspace receive the old WP, PC and ST, big-endian,
// even where they lie on the port window: the stores bypass the bus. In ROM
// they are refused and reported, as every register write there is.
TEST(CpuInterrupt, SwitchesContext)
{
    const InterruptCase cases[] = {
        {"typical", 0xF000, 0x1234, 0xC003, 0xF020, 0x0200},
        {"workspace in ROM", 0xF000, 0x0400, 0x000F, 0x0100, 0x0300},
        {"saved registers on the VDP ports", 0xF000, 0x0400, 0x0003, 0xDFE6, 0x0300},
        {"workspace at the top wraps to >0000", 0xF000, 0x0400, 0x0003, 0xFFF0, 0x0300},
        {"odd workspace", 0xF000, 0x0400, 0x0003, 0xF021, 0x0300},
    };
    for (const InterruptCase& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_cpu.WP = c.wp;
        g_cpu.PC = c.pc;
        g_cpu.ST = c.st;
        poke_words(0x000C, {c.vector_wp, c.vector_pc});
        g_cycles = 100;
        const auto before = g_memory;
        const bool in_rom = static_cast<Location>(c.vector_wp + 26) < ROM_END;
        testing::internal::CaptureStderr();
        cpu_interrupt(3);
        EXPECT_EQ(testing::internal::GetCapturedStderr().empty(), !in_rom);
        EXPECT_EQ(g_cpu.WP, c.vector_wp);
        EXPECT_EQ(g_cpu.PC, c.vector_pc);
        EXPECT_EQ(g_cpu.ST, c.st) << "the interrupt itself leaves ST alone";
        EXPECT_EQ(g_cpu.workspace, c.vector_wp);
        if (in_rom) {
            EXPECT_TRUE(std::equal(before.begin(), before.begin() + ROM_END, g_memory.begin()));
        } else {
            EXPECT_EQ(mem_read_word(static_cast<Location>(c.vector_wp + 26)), c.wp);
            EXPECT_EQ(mem_read_word(static_cast<Location>(c.vector_wp + 28)), c.pc);
            EXPECT_EQ(mem_read_word(static_cast<Location>(c.vector_wp + 30)), c.st);
        }
        EXPECT_EQ(g_cycles, 126);
        EXPECT_EQ(g_debugger.in_interrupt, 1);
        EXPECT_EQ(g_debugger.stopped, c.vector_wp & 1);
        EXPECT_FALSE(g_vdp.latch_pending) << "no port side effect";
    }
}

// The fetch reads the image itself: no port side effects, PC unchanged, and
// at >FFFF the low byte comes from >0000.
TEST(CpuFetch, ReadsTheImage)
{
    struct Case {
        const char* name;
        uint16_t pc;
        uint16_t word;
    };
    const Case cases[] = {
        {"ROM", 0x0100, 0x10FF},
        {"RAM", 0xF000, 0x0460},
        {"VDP data port", 0xE000, 0xCDCD},
        {"VDP status port", 0xE002, 0xCDCD},
        {"odd", 0xF001, 0x60AB},
        {"last byte", 0xFFFF, 0x9912},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        poke_words(0x0000, {0x1234});
        poke_words(0x0100, {0x10FF});
        poke_words(0xF000, {0x0460, 0xAB00});
        g_memory[0xFFFF] = 0x99;
        g_cpu.PC = c.pc;
        EXPECT_EQ(cpu_fetch(), c.word);
        EXPECT_EQ(g_cpu.instruction, c.word);
        EXPECT_EQ(g_cpu.PC, c.pc);
        EXPECT_EQ(g_vdp.address, 0);
        EXPECT_EQ(g_vdp.status, 0);
    }
}

TEST(Decrementer, CountsDownAndWraps)
{
    const uint16_t before[] = {0x0000, 0x0001, 0x1234, 0xFFFF, 0x8000};
    const uint16_t after[] = {0xFFFF, 0x0000, 0x1233, 0xFFFE, 0x7FFF};
    for (int i = 0; i < 5; ++i) {
        reset_machine();
        poke_words(DECREMENTER_ADDRESS, {before[i]});
        testing::internal::CaptureStderr();
        decrementer_tick();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "RAM writes are silent";
        EXPECT_EQ(mem_read_word(DECREMENTER_ADDRESS), after[i]) << "from " << before[i];
        EXPECT_EQ(g_cycles, 0);
    }
}

}  // namespace
