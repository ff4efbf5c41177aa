#include "bus/keyboard.h"

#include <array>

#include "bus/bus.h"
#include "cpu/addressing.h"
#include "cpu/status.h"
#include "machine/key_state.h"

namespace {

constexpr int MAX_CRU_TRANSFER_BITS = 8;

struct KeyBit {
    uint16_t number;  // the key's number, its index in g_keys
    uint8_t bit;      // the bit value the key gives in its row
};

// A row's keys in the order they are tested; unused entries have bit 0.
using KeyboardRow = std::array<KeyBit, 8>;

// The rows from >EC00 on. A key may sit in two rows (minus does).
// clang-format off
constexpr std::array<KeyboardRow, KEYBOARD_ROWS> KEYBOARD_MATRIX = {{
    /* >EC00 */ {{{'1', 0x01}, {'2', 0x02}, {'q', 0x04}, {'w', 0x08},
                  {'a', 0x10}, {'s', 0x20}, {'z', 0x40}, {'x', 0x80}}},
    /* >EC10 */ {{{'3', 0x01}, {'4', 0x02}, {'e', 0x04}, {'r', 0x08},
                  {'d', 0x10}, {'f', 0x20}, {'c', 0x40}, {'v', 0x80}}},
    /* >EC20 */ {{{'5', 0x01}, {'6', 0x02}, {'t', 0x04}, {'y', 0x08},
                  {'g', 0x10}, {'h', 0x20}, {'b', 0x40}, {'n', 0x80}}},
    /* >EC30 */ {{{'7', 0x01}, {'8', 0x02}, {'9', 0x04}, {'u', 0x08},
                  {'i', 0x10}, {'j', 0x20}, {'k', 0x40}, {'m', 0x80}}},
    /* >EC40 */ {{{'0', 0x01}, {'-', 0x02}, {'o', 0x04}, {'p', 0x08},
                  {'l', 0x10}, {';', 0x20}, {',', 0x40}, {'.', 0x80}}},
    /* >EC50 */ {{{'=', 0x04}, {'-', 0x08}, {'/', 0x40}, {'[', 0x20},
                  {'\'', 0x10}, {']', 0x80}, {key::F8, 0x01}, {key::F10, 0x02}}},
    /* >EC60 */ {{{key::RETURN, 0x10}, {key::RIGHT_CTRL, 0x40}, {key::SPACE, 0x80}, {key::LEFT_SHIFT, 0x04},
                  {'\\', 0x08}, {key::LEFT_CTRL, 0x02}, {key::F11, 0x20}, {0, 0}}},
    /* >EC70 */ {{{key::DOWN, 0x04}, {key::UP, 0x02}, {key::LEFT, 0x01}, {key::RIGHT, 0x08},
                  {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
}};
// clang-format on

// The row whose base R12 holds exactly, or -1.
int keyboard_row_at(uint16_t cru_base)
{
    const int offset = cru_base - KEYBOARD_FIRST_ROW;
    if (offset < 0 || offset % KEYBOARD_ROW_STEP != 0 || offset / KEYBOARD_ROW_STEP >= KEYBOARD_ROWS) {
        return -1;
    }
    return offset / KEYBOARD_ROW_STEP;
}

bool key_held(uint16_t number)
{
    return number < g_keys.size() && g_keys[number] != 0;
}

// The bit of the row's held key that is tested last, or 0: a row reports
// one key at most.
uint8_t keyboard_row_value(int row)
{
    uint8_t value = 0;
    for (const KeyBit& entry : KEYBOARD_MATRIX[static_cast<std::size_t>(row)]) {
        if (entry.bit != 0 && key_held(entry.number)) {
            value = entry.bit;
        }
    }
    return value;
}

// Away from the keyboard rows STCR reads `count` one-bits; a count of 0
// reads eight.
uint8_t cru_ones(int count)
{
    return count == 0 ? 0xFF : static_cast<uint8_t>((1u << count) - 1);
}

}  // namespace

void op_stcr(Location location, int count)
{
    g_cycles += STCR_CYCLES;
    if (count > MAX_CRU_TRANSFER_BITS) {
        return;
    }
    const int row = keyboard_row_at(reg_read(12));
    const uint8_t value = row >= 0 ? keyboard_row_value(row) : cru_ones(count);
    bus_write_byte(location, value);
    set_result_flags_byte(value);
}
