// The memory map as the processor's operand accesses see it: RAM, ROM that
// refuses writes, the VDP's two ports and the rest of the port window.
// Word operations act on the even address below an odd one. Words are passed
// as the processor's values: the byte at the even address is the high byte.
// The addresses are those of the memory map.
#pragma once

#include "cpu/cpu.h"

void bus_write_word(Location at, uint16_t value);
void bus_write_byte(Location at, uint8_t value);
uint16_t bus_read_word(Location at);
uint8_t bus_read_byte(Location at);
