#include "bus/keyboard.h"

#include "bus/bus.h"
#include "cpu/addressing.h"
#include "cpu/status.h"
#include "shell/events.h"

// clang-format off
const std::array<KeyboardRow, KEYBOARD_ROWS> KEYBOARD_MATRIX = {{
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

namespace {

constexpr int MAX_CRU_TRANSFER_BITS = 8;

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

}  // namespace

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

void op_stcr(Location location, int count)
{
    g_cycles += STCR_CYCLES;
    if (count > MAX_CRU_TRANSFER_BITS) {
        return;
    }
    const int row = keyboard_row_at(reg_read(12));
    // Elsewhere the CRU reads `count` one-bits; a count of 0 reads eight.
    const auto value = static_cast<uint8_t>(row >= 0 ? keyboard_row_value(row)
                                            : count == 0 ? 0xFF
                                                         : (1u << count) - 1);
    bus_write_byte(location, value);
    set_result_flags_byte(value);
}
