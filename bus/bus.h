// The memory map as the processor's operand accesses see it: RAM, ROM that
// refuses writes, the VDP's two ports and the rest of the port window.
// Word operations act on the even address below an odd one. Words are passed
// as the processor's values: the byte at the even address is the high byte.
#pragma once

#include "cpu/cpu.h"

constexpr Location ROM_PORT_WORD = 0x8000;    // the one word of ROM that word writes change
constexpr Location PORT_WINDOW_START = 0xC000;
constexpr Location VDP_DATA_PORT = 0xE000;
constexpr Location VDP_CONTROL_PORT = 0xE002;  // status port on reads
constexpr Location RAM_START = 0xF000;

void bus_write_word(Location at, uint16_t value);
void bus_write_byte(Location at, uint8_t value);
uint16_t bus_read_word(Location at);
uint8_t bus_read_byte(Location at);
