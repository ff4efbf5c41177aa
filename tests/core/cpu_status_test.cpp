// The single-bit routines of the status register.
#include <gtest/gtest.h>

#include "cpu/status.h"
#include "machine.h"

namespace {

TEST(StatusBits, SetBit)
{
    struct Case {
        uint16_t st;
        int bit;
        int flag;
        uint16_t st_after;
    };
    const Case cases[] = {
        {0x0000, 0, 1, 0x8000},  {0x0000, 15, 1, 0x0001}, {0xFFFF, 2, 0, 0xDFFF},
        {0x0000, 4, 2, 0x0800},  {0x0000, 4, -1, 0x0800}, {0x8000, 0, 1, 0x8000},
        {0x1234, 6, 0, 0x1034},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bit " << c.bit << " flag " << c.flag);
        reset_machine();
        g_cpu.ST = c.st;
        st_set_bit(c.bit, c.flag);
        EXPECT_EQ(g_cpu.ST, c.st_after);
        EXPECT_EQ(st_get_bit(c.bit), c.flag != 0);
    }
}

TEST(StatusBits, ParityOfTheLowByte)
{
    struct Case {
        int value;
        bool odd;
    };
    const Case cases[] = {
        {0x01, true},  {0x07, true},   {0x80, true},   {0xFE, true},
        {0x00, false}, {0x03, false},  {0xFF, false},  {0x100, false}, {0x1FE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        reset_machine();
        g_cpu.ST = c.odd ? 0xFBFF : ST_OP;
        st_set_parity(c.value);
        EXPECT_EQ(st_get_bit(ST_OP_BIT), c.odd);
        EXPECT_EQ(g_cpu.ST & ~ST_OP, c.odd ? 0xFBFF : 0);
    }
}

}  // namespace
