// Numbers on command lines: the three notations, and everything else refused.
#include <gtest/gtest.h>

#include "isa/numbers.h"

namespace {

TEST(Numbers, Notations)
{
    struct Case {
        const char* text;
        uint64_t limit;
        bool good;
        uint64_t value;
    };
    const Case cases[] = {
        {"4660", 0xFFFF, true, 4660},        {">1234", 0xFFFF, true, 0x1234},     {"0x1234", 0xFFFF, true, 0x1234},
        {"0XaBcD", 0xFFFF, true, 0xABCD},    {"65535", 0xFFFF, true, 65535},      {"65536", 0xFFFF, false, 0},
        {">10000", 0xFFFF, false, 0},        {"9", 8, false, 0},                  {"8", 8, true, 8},
        {"", 10, false, 0},                  {">", 10, false, 0},                 {"0x", 10, false, 0},
        {"-1", 10, false, 0},                {"+1", 10, false, 0},                {" 1", 10, false, 0},
        {"1a", 0xFFFF, false, 0},            {"18446744073709551616", UINT64_MAX, false, 0},
        {"18446744073709551615", UINT64_MAX, true, UINT64_MAX},
    };
    for (const Case& c : cases) {
        uint64_t value = 0;
        EXPECT_EQ(parse_number(c.text, c.limit, value), c.good) << c.text;
        if (c.good) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

}  // namespace
