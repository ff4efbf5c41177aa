// STCR: the keyboard rows on the CRU, the other CRU addresses, and where the
// byte lands.
#include <gtest/gtest.h>

#include <initializer_list>

#include "bus/keyboard.h"
#include "cpu_program.h"
#include "machine/debugger_record.h"
#include "machine/key_state.h"

namespace {

constexpr uint16_t STCR_R1_8 = 0x3601;  // STCR R1,8

struct RowCase {
    const char* name;
    uint16_t r12;
    std::initializer_list<uint16_t> held;
    uint8_t value;
};

const RowCase ROW_CASES[] = {
    {">EC00 later key wins", 0xEC00, {'1', 'x'}, 0x80},
    {">EC00 one key", 0xEC00, {'w'}, 0x08},
    {">EC00 order, not bit value", 0xEC00, {'a', 'q'}, 0x10},
    {">EC10", 0xEC10, {'3', 'e', 'c'}, 0x40},
    {">EC10 first key", 0xEC10, {'3'}, 0x01},
    {">EC20", 0xEC20, {'n', 'b'}, 0x80},
    {">EC20 middle", 0xEC20, {'5', 't', 'y'}, 0x08},
    {">EC30", 0xEC30, {'7', 'm', '9'}, 0x80},
    {">EC30 j", 0xEC30, {'u', 'j'}, 0x20},
    {">EC40 minus", 0xEC40, {'0', '-'}, 0x02},
    {">EC40", 0xEC40, {'.', ','}, 0x80},
    {">EC40 semicolon", 0xEC40, {'p', ';'}, 0x20},
    {">EC50 minus", 0xEC50, {'-'}, 0x08},
    {">EC50 F10 last", 0xEC50, {key::F10, '=', key::F8}, 0x02},
    {">EC50 quote after slash", 0xEC50, {'/', '\''}, 0x10},
    {">EC50 brackets", 0xEC50, {']', '['}, 0x80},
    {">EC60 Return and Shift", 0xEC60, {key::RETURN, key::LEFT_SHIFT}, 0x04},
    {">EC60 Space after right Ctrl", 0xEC60, {key::RIGHT_CTRL, key::SPACE}, 0x80},
    {">EC60 F11 last", 0xEC60, {key::F11, key::LEFT_CTRL, '\\'}, 0x20},
    {">EC70 nothing held", 0xEC70, {}, 0x00},
    {">EC70 arrows", 0xEC70, {key::DOWN, key::UP}, 0x02},
    {">EC70 right last", 0xEC70, {key::RIGHT, key::LEFT}, 0x08},
    {"keys of other rows", 0xEC70, {'1', key::SPACE, 'm'}, 0x00},
    {"keys outside the matrix", 0xEC50, {290 /* F9 */, '\t', '\b', 303 /* right Shift */}, 0x00},
};

TEST(StcrKeyboardRows, Table)
{
    for (const RowCase& c : ROW_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        for (uint16_t number : c.held) {
            g_keys[number] = 1;
        }
        set_reg(12, c.r12);
        set_reg(1, 0xAB55);
        run({STCR_R1_8});
        EXPECT_EQ(reg(1), c.value << 8 | 0x55);
        EXPECT_EQ(g_cycles, 42);
        EXPECT_EQ(g_cpu.PC, 0x0102);
    }
}

TEST(StcrKeyboardRows, CountDoesNotLimitTheRow)
{
    reset_machine();
    g_keys['x'] = 1;
    set_reg(12, 0xEC00);
    run({0x3441});  // STCR R1,1
    EXPECT_EQ(reg(1) >> 8, 0x80);
}

struct CountCase {
    const char* name;
    uint16_t r12;
    int count;
    uint8_t value;
    uint16_t flags_after;  // before: C and OV set, which stay
};

const CountCase COUNT_CASES[] = {
    {"three bits", 0xEC08, 3, 0x07, ST_LGT | ST_AGT | ST_OP | ST_C | ST_OV},
    {"one bit", 0x0000, 1, 0x01, ST_LGT | ST_AGT | ST_OP | ST_C | ST_OV},
    {"seven bits", 0xEC80, 7, 0x7F, ST_LGT | ST_AGT | ST_OP | ST_C | ST_OV},
    {"eight bits", 0x1EE0, 8, 0xFF, ST_LGT | ST_C | ST_OV},
    {"count 0 reads eight", 0xEBF0, 0, 0xFF, ST_LGT | ST_C | ST_OV},
    {"row, no key", 0xEC70, 8, 0x00, ST_EQ | ST_C | ST_OV},
    {"row, negative byte", 0xEC00, 8, 0x80, ST_LGT | ST_OP | ST_C | ST_OV},
};

TEST(StcrOtherAddresses, Table)
{
    for (const CountCase& c : COUNT_CASES) {
        SCOPED_TRACE(c.name);
        reset_machine();
        g_keys['x'] = 1;
        g_cpu.ST = ST_C | ST_OV | ST_EQ | ST_AGT | ST_X | 0x0003;
        set_reg(12, c.r12);
        set_reg(1, 0x1234);
        run({static_cast<uint16_t>(0x3401 | c.count << 6)});
        EXPECT_EQ(reg(1), c.value << 8 | 0x34);
        EXPECT_EQ(flags(), c.flags_after);
        EXPECT_EQ(g_cpu.ST & ~FLAG_BITS, ST_X | 0x0003);
    }
}

TEST(StcrOtherAddresses, CountsAboveEightTransferNothing)
{
    for (int count = 9; count <= 15; ++count) {
        SCOPED_TRACE(count);
        reset_machine();
        g_cpu.ST = 0xF003;
        set_reg(12, 0xEC00);
        set_reg(1, 0x1234);
        run({static_cast<uint16_t>(0x3401 | count << 6)});
        EXPECT_EQ(reg(1), 0x1234);
        EXPECT_EQ(g_cpu.ST, 0xF003);
        EXPECT_EQ(g_cycles, 42);
    }
}

TEST(StcrDestination, Modes)
{
    struct Case {
        const char* name;
        uint16_t op;
        Location byte_at;
        uint16_t r3_after;
        int32_t cycles;
        uint16_t pc_after;
    };
    const Case cases[] = {
        {"symbolic", 0x3620, 0xF100, 0xF101, 50, 0x0104},  // STCR @>F100,8
        {"indirect, bit 0 cleared", 0x3613, 0xF100, 0xF101, 46, 0x0102},
        {"auto-increment by 2", 0x3633, 0xF100, 0xF103, 50, 0x0102},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset_machine();
        set_reg(12, 0xEC08);
        set_reg(3, 0xF101);
        poke_words(0xF100, {0x0000});
        run({c.op, 0xF100});
        EXPECT_EQ(g_memory[c.byte_at], 0xFF);
        EXPECT_EQ(g_memory[c.byte_at + 1], 0x00);
        EXPECT_EQ(reg(3), c.r3_after);
        EXPECT_EQ(g_cycles, c.cycles);
        EXPECT_EQ(g_cpu.PC, c.pc_after);
    }
}

TEST(StcrDestination, RomRefusesAndStops)
{
    reset_machine();
    set_reg(12, 0xEC08);
    poke_words(0x0300, {0x0000});
    run({0x3620, 0x0300});  // STCR @>0300,8
    EXPECT_EQ(mem_read_word(0x0300), 0x0000);
    EXPECT_EQ(g_debugger.stopped, 1);
    EXPECT_EQ(flags(), ST_LGT);
}

}  // namespace
