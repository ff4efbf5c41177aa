// The emulated keyboard: an 8 by 8 matrix whose rows STCR reads on the CRU,
// with R12 holding the row's base address.
#pragma once

#include <array>
#include <cstdint>

#include "cpu/cpu.h"

constexpr uint16_t KEYBOARD_FIRST_ROW = 0xEC00;
constexpr uint16_t KEYBOARD_ROW_STEP = 0x10;
constexpr int KEYBOARD_ROWS = 8;
constexpr int32_t STCR_CYCLES = 42;

struct KeyBit {
    uint16_t symbol;  // host key symbol, index into g_keys
    uint8_t bit;      // the bit value the key gives in its row
};

// A row's keys in the order they are tested; unused entries have bit 0.
using KeyboardRow = std::array<KeyBit, 8>;

extern const std::array<KeyboardRow, KEYBOARD_ROWS> KEYBOARD_MATRIX;

// The byte a row reads with the keys now held: the bit of the held key that is
// tested last, or 0.
uint8_t keyboard_row_value(int row);

// STCR: stores up to eight CRU bits as a byte at `location`. A row base in R12
// gives that row's keys; any other address reads `count` one-bits. A count
// above 8 transfers nothing.
void op_stcr(Location location, int count);
