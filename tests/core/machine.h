// Puts every global machine record into a known state before a test.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "cpu/cpu.h"

// Memory >CD everywhere, VDP as reset, debugger and keys idle, processor at
// WP = >F000, PC = >0100, ST = 0, cycle count 0.
void reset_machine();

// Stores words big-endian from `at` on, straight into the image.
void poke_words(Location at, std::initializer_list<uint16_t> words);
