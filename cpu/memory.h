// Straight access to the memory image, bypassing the bus: no ROM protection,
// no port side effects. Words are big-endian; a word at >FFFF takes its low
// byte from >0000, so nothing outside the image is ever touched.
#pragma once

#include "cpu/cpu.h"

inline uint16_t mem_read_word(Location at)
{
    return static_cast<uint16_t>(g_memory[at] << 8 | g_memory[static_cast<Location>(at + 1)]);
}

inline void mem_write_word(Location at, uint16_t value)
{
    g_memory[at] = static_cast<uint8_t>(value >> 8);
    g_memory[static_cast<Location>(at + 1)] = static_cast<uint8_t>(value);
}

// Exchanges the two bytes of a word in place and returns the new value.
inline uint16_t swap_word(uint16_t* word)
{
    *word = static_cast<uint16_t>(*word << 8 | *word >> 8);
    return *word;
}
