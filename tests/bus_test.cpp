#include <gtest/gtest.h>

#include "bus/bus.h"
#include "cpu/memory.h"
#include "machine.h"

TEST(Bus, RamWordRoundTrip)
{
    reset_machine();
    bus_write_word(0xF010, 0x1234);
    EXPECT_EQ(g_memory[0xF010], 0x12);
    EXPECT_EQ(g_memory[0xF011], 0x34);
    EXPECT_EQ(bus_read_word(0xF011), 0x1234);
}
