// The VDP's ports: the two-byte control protocol, the auto-incrementing data
// port, the status read and the start state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine.h"
#include "video/vdp.h"

namespace {

const std::string EEK = "Eek! Invalid mode writing to VDP.\n";

struct ControlSequence {
    const char* name;
    std::vector<uint8_t> bytes;
    uint16_t address;
    int register_number;  // -1: no register is written
    uint16_t register_value;
    bool latch_pending;
    uint8_t latch_byte;
    std::string printed;
};

TEST(VdpControlPort, Sequences)
{
    const ControlSequence cases[] = {
        {"write set-up", {0x34, 0x52}, 0x1234, -1, 0, false, 0x34, ""},
        {"read set-up", {0x34, 0x12}, 0x1234, -1, 0, false, 0x34, ""},
        {"set-up keeps six address bits", {0xFF, 0x7F}, 0x3FFF, -1, 0, false, 0xFF, ""},
        {"register write", {0xE0, 0x81}, 0, 1, 0xE0, false, 0xE0, ""},
        {"register number ignores bits 5 to 3", {0x07, 0xBF}, 0, 7, 0x07, false, 0x07, ""},
        {"first byte waits", {0x55}, 0, -1, 0, true, 0x55, ""},
        {"third byte starts a new pair", {0x00, 0x40, 0x99}, 0, -1, 0, true, 0x99, ""},
        {"invalid byte keeps the latch", {0x12, 0xC5}, 0, -1, 0, true, 0x12, EEK},
        {"invalid then register write", {0x12, 0xC5, 0x81}, 0, 1, 0x12, false, 0x12, EEK},
        {"each invalid byte reports", {0x12, 0xC0, 0xFF, 0x43}, 0x0312, -1, 0, false, 0x12, EEK + EEK},
    };
    for (const ControlSequence& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        testing::internal::CaptureStdout();
        for (uint8_t byte : c.bytes) {
            vdp_write_control(byte);
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed);
        EXPECT_EQ(g_vdp.address, c.address);
        for (int r = 0; r < 8; ++r) {
            EXPECT_EQ(g_vdp.registers[r], r == c.register_number ? c.register_value : 0) << "R" << r;
        }
        EXPECT_EQ(g_vdp.latch_pending, c.latch_pending);
        EXPECT_EQ(g_vdp.latch_byte, c.latch_byte);
    }
}

TEST(VdpDataPort, ReadsAndWritesAdvanceTheAddress)
{
    reset_machine();
    g_vdp.vram[0x1234] = 0x11;
    g_vdp.vram[0x1235] = 0x22;
    vdp_write_control(0x34);
    vdp_write_control(0x12);  // read set-up: no read-ahead
    EXPECT_EQ(vdp_read_data(), 0x11);
    EXPECT_EQ(vdp_read_data(), 0x22);
    vdp_write_data(0x33);  // a write after a read set-up stores normally
    EXPECT_EQ(g_vdp.vram[0x1236], 0x33);
    EXPECT_EQ(g_vdp.address, 0x1237);
}

TEST(VdpDataPort, DataBetweenControlBytesLeavesTheLatchAlone)
{
    reset_machine();
    g_vdp.address = 0x0100;
    vdp_write_control(0x34);
    vdp_write_data(0xAB);
    vdp_write_control(0x52);
    EXPECT_EQ(g_vdp.vram[0x0100], 0xAB);
    EXPECT_EQ(g_vdp.address, 0x1234);
}

// Past >3FFF the address keeps counting in 16 bits while the access falls
// on video memory at the address's low fourteen bits.
TEST(VdpDataPort, AddressesBeyondVideoMemory)
{
    struct Case {
        const char* name;
        uint16_t address;
        Location vram_index;
        uint16_t address_after;
    };
    const Case cases[] = {
        {"last byte", 0x3FFF, 0x3FFF, 0x4000},
        {"first byte past the end", 0x4000, 0x0000, 0x4001},
        {"far past the end", 0xC005, 0x0005, 0xC006},
        {"top of the 16-bit count wraps", 0xFFFF, 0x3FFF, 0x0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_vdp.address = c.address;
        vdp_write_data(0x42);
        EXPECT_EQ(g_vdp.vram[c.vram_index], 0x42);
        EXPECT_EQ(g_vdp.address, c.address_after);
        g_vdp.address = c.address;
        EXPECT_EQ(vdp_read_data(), 0x42);
        EXPECT_EQ(g_vdp.address, c.address_after);
    }
}

TEST(VdpStatus, ReadSetsTheFrameFlag)
{
    reset_machine();
    EXPECT_EQ(vdp_read_status(), 0x80);
    EXPECT_EQ(vdp_read_status(), 0x80);
    g_vdp.status = 0x05;  // other bits, as a state file may bring them, are kept
    EXPECT_EQ(vdp_read_status(), 0x85);
    EXPECT_EQ(g_vdp.status, 0x85);
}

TEST(VdpReset, StartState)
{
    reset_machine();
    g_vdp.vram.fill(0);
    g_vdp.registers.fill(0x12);
    g_vdp.address = 0x1234;
    g_vdp.status = 0x9F;
    g_vdp.latch_pending = true;
    g_vdp.latch_byte = 0x77;
    vdp_reset();
    for (uint8_t byte : g_vdp.vram) {
        ASSERT_EQ(byte, 0xCD);
    }
    for (uint16_t r : g_vdp.registers) {
        EXPECT_EQ(r, 0);
    }
    EXPECT_EQ(g_vdp.address, 0);
    EXPECT_EQ(g_vdp.status, 0);
    EXPECT_TRUE(g_vdp.latch_pending) << "the reset leaves the latch alone";
    EXPECT_EQ(g_vdp.latch_byte, 0x77);
    EXPECT_EQ(vdp_read_status(), 0x80);
}

}  // namespace
