#include "bus/keyboard.h"

#include <array>

#include "bus/bus.h"
#include "cpu/addressing.h"
#include "cpu/status.h"
#include "shell/events.h"

namespace {

constexpr uint16_t KEYBOARD_FIRST_ROW = 0xEC00;
constexpr uint16_t KEYBOARD_ROW_STEP = 0x10;
constexpr int KEYBOARD_ROWS = 8;
constexpr int MAX_CRU_TRANSFER_BITS = 8;

struct KeyBit {
    uint16_t symbol;  // host key symbol, index into g_keys
    uint8_t bit;      // the bit value the key gives in its row
};

// A row's keys in the order they are tested; unused entries have bit 0.
using KeyboardRow = std::array<KeyBit, 8>;

// The rows from >EC00 on. A key may sit in two rows (minus does).
// clang-format off
constexpr std::array<KeyboardRow, KEYBOARD_ROWS> KEYBOARD_MATRIX = {{
    /* >EC00 */ {{{SDLK_1, 0x01}, {SDLK_2, 0x02}, {SDLK_q, 0x04}, {SDLK_w, 0x08},
                  {SDLK_a, 0x10}, {SDLK_s, 0x20}, {SDLK_z, 0x40}, {SDLK_x, 0x80}}},
    /* >EC10 */ {{{SDLK_3, 0x01}, {SDLK_4, 0x02}, {SDLK_e, 0x04}, {SDLK_r, 0x08},
                  {SDLK_d, 0x10}, {SDLK_f, 0x20}, {SDLK_c, 0x40}, {SDLK_v, 0x80}}},
    /* >EC20 */ {{{SDLK_5, 0x01}, {SDLK_6, 0x02}, {SDLK_t, 0x04}, {SDLK_y, 0x08},
                  {SDLK_g, 0x10}, {SDLK_h, 0x20}, {SDLK_b, 0x40}, {SDLK_n, 0x80}}},
    /* >EC30 */ {{{SDLK_7, 0x01}, {SDLK_8, 0x02}, {SDLK_9, 0x04}, {SDLK_u, 0x08},
                  {SDLK_i, 0x10}, {SDLK_j, 0x20}, {SDLK_k, 0x40}, {SDLK_m, 0x80}}},
    /* >EC40 */ {{{SDLK_0, 0x01}, {SDLK_MINUS, 0x02}, {SDLK_o, 0x04}, {SDLK_p, 0x08},
                  {SDLK_l, 0x10}, {SDLK_SEMICOLON, 0x20}, {SDLK_COMMA, 0x40}, {SDLK_PERIOD, 0x80}}},
    /* >EC50 */ {{{SDLK_EQUALS, 0x04}, {SDLK_MINUS, 0x08}, {SDLK_SLASH, 0x40}, {SDLK_LEFTBRACKET, 0x20},
                  {SDLK_QUOTE, 0x10}, {SDLK_RIGHTBRACKET, 0x80}, {SDLK_F8, 0x01}, {SDLK_F10, 0x02}}},
    /* >EC60 */ {{{SDLK_RETURN, 0x10}, {SDLK_RCTRL, 0x40}, {SDLK_SPACE, 0x80}, {SDLK_LSHIFT, 0x04},
                  {SDLK_BACKSLASH, 0x08}, {SDLK_LCTRL, 0x02}, {SDLK_F11, 0x20}, {0, 0}}},
    /* >EC70 */ {{{SDLK_DOWN, 0x04}, {SDLK_UP, 0x02}, {SDLK_LEFT, 0x01}, {SDLK_RIGHT, 0x08},
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

bool key_held(uint16_t symbol)
{
    return symbol < g_keys.size() && g_keys[symbol] != 0;
}

// The bit of the row's held key that is tested last, or 0: a row reports
// one key at most.
uint8_t keyboard_row_value(int row)
{
    uint8_t value = 0;
    for (const KeyBit& key : KEYBOARD_MATRIX[static_cast<std::size_t>(row)]) {
        if (key.bit != 0 && key_held(key.symbol)) {
            value = key.bit;
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
