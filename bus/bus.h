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

// A register write whose word lies in ROM, wholly or in part: refused and
// reported as a word write into ROM is (the word at >8000 takes it, as it
// takes any word write). A word at >FFFF reaches ROM at >0000.
void bus_write_register_word(Location at, uint16_t value);
uint8_t bus_read_byte(Location at);
