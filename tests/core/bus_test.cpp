// Every range of the memory map for word and byte reads and writes: what
// lands in memory, what reaches the VDP, which diagnostic lines appear on the
// debug channel, and when the processor is stopped.
#include <gtest/gtest.h>

#include <string>

#include "bus/bus.h"
#include "cpu/memory.h"
#include "machine.h"
#include "machine/debugger_record.h"
#include "video/vdp.h"

namespace {

constexpr uint16_t TEST_PC = 0x0200;
constexpr uint16_t OLD = 0x5A5A;  // what every tested word holds beforehand

void prepare(Location at)
{
    reset_machine();
    g_cpu.PC = TEST_PC;
    mem_write_word(static_cast<Location>(at & 0xFFFE), OLD);
}

struct WordWrite {
    const char* name;
    Location address;
    uint16_t value;
    bool stored;
    const char* diagnostics;
};

TEST(BusWordWrite, EachRange)
{
    const WordWrite cases[] = {
        {"RAM", 0xF010, 0x1234, true, ""},
        {"RAM odd address acts on the even one", 0xF011, 0xABCD, true, ""},
        {"decrementer word", 0xFFFA, 0x0102, true, ""},
        {"top of RAM", 0xFFFE, 0x0102, true, ""},
        {"port window start", 0xC000, 0x1234, true, "PC:0x0200 0xC000 = 0x1234.\n"},
        {"port window end", 0xEFFF, 0x00FF, true, "PC:0x0200 0xEFFE = 0x00ff.\n"},
        {"port beside the VDP", 0xE004, 0xBEEF, true, "PC:0x0200 0xE004 = 0xbeef.\n"},
        {"VDP data port", 0xE000, 0x4142, true, ""},
        {"VDP control port", 0xE002, 0x0081, true, ""},
        {"ROM word of the second image", 0x8000, 0x1234, true, ""},
        {"its odd byte", 0x8001, 0x1234, true, ""},
        {"ROM start", 0x0000, 0x1234, false,
         "Write to ROM address 0x0 at PC=0x0200.\nPC:0x0200 0x0000 = 0x1234.\n"},
        {"ROM odd address", 0x0101, 0x1234, false,
         "Write to ROM address 0x100 at PC=0x0200.\nPC:0x0200 0x0100 = 0x1234.\n"},
        {"ROM beside >8000", 0x8002, 0x00AB, false,
         "Write to ROM address 0x8002 at PC=0x0200.\nPC:0x0200 0x8002 = 0x00ab.\n"},
        {"second image end", 0xBFFE, 0xFFFF, false,
         "Write to ROM address 0xbffe at PC=0x0200.\nPC:0x0200 0xBFFE = 0xffff.\n"},
    };
    for (const WordWrite& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.address);
        testing::internal::CaptureStderr();
        bus_write_word(c.address, c.value);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.diagnostics);
        const Location even = c.address & 0xFFFE;
        EXPECT_EQ(mem_read_word(even), c.stored ? c.value : OLD);
        EXPECT_EQ(g_debugger.stopped, 0) << "word writes never stop the processor";
    }
}

struct ByteWrite {
    const char* name;
    Location address;
    uint8_t value;
    bool stored;
    const char* diagnostics;
};

TEST(BusByteWrite, EachRange)
{
    const ByteWrite cases[] = {
        {"RAM", 0xF000, 0x12, true, ""},
        {"last byte", 0xFFFF, 0x12, true, ""},
        {"port window start", 0xC000, 0x7F, true, "PC:0x0200 0xC000 = 0x7f.\n"},
        {"port window end", 0xEFFF, 0x01, true, "PC:0x0200 0xEFFF = 0x01.\n"},
        {"VDP data port", 0xE000, 0x41, true, ""},
        {"byte after the data port", 0xE001, 0x41, true, "PC:0x0200 0xE001 = 0x41.\n"},
        {"VDP control port", 0xE002, 0x41, true, ""},
        {"byte after the control port", 0xE003, 0x41, true, "PC:0x0200 0xE003 = 0x41.\n"},
        {"ROM", 0x0100, 0x12, false, "Write to ROM address 0x100 at PC=0x0200.\nPC:0x0200 0x0100 = 0x12.\n"},
        {"ROM odd", 0x0101, 0x12, false, "Write to ROM address 0x101 at PC=0x0200.\nPC:0x0200 0x0101 = 0x12.\n"},
        {"ROM word of the second image", 0x8000, 0x12, false, "Write to ROM address 0x8000 at PC=0x0200.\n"},
        {"its odd byte", 0x8001, 0x12, false,
         "Write to ROM address 0x8001 at PC=0x0200.\nPC:0x0200 0x8001 = 0x12.\n"},
        {"second image end", 0xBFFF, 0x00, false,
         "Write to ROM address 0xbfff at PC=0x0200.\nPC:0x0200 0xBFFF = 0x00.\n"},
    };
    for (const ByteWrite& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.address);
        const uint8_t before = g_memory[c.address];
        testing::internal::CaptureStderr();
        bus_write_byte(c.address, c.value);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.diagnostics);
        EXPECT_EQ(g_memory[c.address], c.stored ? c.value : before);
        EXPECT_EQ(g_debugger.stopped, c.stored ? 0 : 1) << "a byte write into ROM stops the processor";
    }
}

struct WordRead {
    const char* name;
    Location address;
    uint16_t result;
    uint16_t left_in_memory;  // the word at the even address afterwards
};

// The VDP is prepared with >77 at video address >0010 and its status clear.
TEST(BusWordRead, EachRangeIsSilent)
{
    const WordRead cases[] = {
        {"RAM", 0xF000, OLD, OLD},
        {"RAM odd address", 0xFFFF, OLD, OLD},
        {"ROM", 0x0100, OLD, OLD},
        {"ROM word of the second image reads the image", 0x8000, OLD, OLD},
        {"its odd byte", 0x8001, OLD, OLD},
        {"port window start", 0xC000, 0, 0},
        {"port window below the VDP", 0xDFFF, 0, 0},
        {"port beside the VDP", 0xE004, 0, 0},
        {"port window end", 0xEFFE, 0, 0},
        {"VDP data port: video byte, then the byte at >E001", 0xE000, 0x775A, 0x775A},
        {"data port by its odd address", 0xE001, 0x775A, 0x775A},
        {"status port: status, then the byte at >E003", 0xE002, 0x805A, 0x805A},
    };
    for (const WordRead& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.address);
        g_vdp.vram[0x0010] = 0x77;
        g_vdp.address = 0x0010;
        testing::internal::CaptureStderr();
        EXPECT_EQ(bus_read_word(c.address), c.result);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(mem_read_word(static_cast<Location>(c.address & 0xFFFE)), c.left_in_memory);
        const bool reads_data_port = (c.address & 0xFFFE) == VDP_DATA_PORT;
        EXPECT_EQ(g_vdp.address, reads_data_port ? 0x0011 : 0x0010);
    }
}

struct ByteRead {
    const char* name;
    Location address;
    uint8_t result;
    const char* diagnostics;
};

TEST(BusByteRead, EachRange)
{
    const ByteRead cases[] = {
        {"RAM", 0xF000, 0x5A, ""},
        {"ROM", 0x0101, 0x5A, ""},
        {"ROM word of the second image reads the image", 0x8000, 0x5A, ""},
        {"its odd byte", 0x8001, 0x5A, ""},
        {"byte after the data port leaves the VDP alone", 0xE001, 0x5A, ""},
        {"VDP data port", 0xE000, 0x77, ""},
        {"status port", 0xE002, 0x80, ""},
        {"port window start", 0xC000, 0xFF, "Read from other port 0xc000 at PC=0x0200.\n"},
        {"port window below the VDP", 0xDFFF, 0xFF, "Read from other port 0xdfff at PC=0x0200.\n"},
        {"byte after the status port", 0xE003, 0xFF, "Read from other port 0xe003 at PC=0x0200.\n"},
        {"port window end", 0xEFFF, 0xFF, "Read from other port 0xefff at PC=0x0200.\n"},
    };
    for (const ByteRead& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.address);
        g_vdp.vram[0x0010] = 0x77;
        g_vdp.address = 0x0010;
        testing::internal::CaptureStderr();
        EXPECT_EQ(bus_read_byte(c.address), c.result);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.diagnostics);
        EXPECT_EQ(g_memory[c.address], c.result) << "a port read leaves its value in memory";
        EXPECT_EQ(g_vdp.address, c.address == VDP_DATA_PORT ? 0x0011 : 0x0010);
        EXPECT_EQ(g_debugger.stopped, 0);
    }
}

// Writes reach the VDP with the byte at the port's even address.
TEST(BusVdpPorts, WritesDeliverTheHighByte)
{
    prepare(VDP_DATA_PORT);
    g_vdp.address = 0x0100;
    bus_write_word(VDP_DATA_PORT, 0x4142);
    EXPECT_EQ(g_vdp.vram[0x0100], 0x41);
    bus_write_byte(VDP_DATA_PORT, 0x43);
    EXPECT_EQ(g_vdp.vram[0x0101], 0x43);
    EXPECT_EQ(g_vdp.address, 0x0102);

    // >E003 by word reaches the control port; by byte it is a plain port byte.
    testing::internal::CaptureStderr();
    bus_write_byte(0xE003, 0x99);
    EXPECT_FALSE(g_vdp.latch_pending);
    bus_write_word(0xE003, 0x0081);
    EXPECT_TRUE(g_vdp.latch_pending);
    EXPECT_EQ(g_vdp.latch_byte, 0x00);
    bus_write_byte(VDP_CONTROL_PORT, 0x81);
    EXPECT_FALSE(g_vdp.latch_pending);
    EXPECT_EQ(g_vdp.registers[1], 0x00);

    // Refused ROM writes and plain port bytes reach no device.
    bus_write_byte(0xE001, 0x44);
    bus_write_word(0x0000, 0x4546);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(g_vdp.address, 0x0102);
    EXPECT_FALSE(g_vdp.latch_pending);
}

}  // namespace
