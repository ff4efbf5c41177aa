// The machine's address space as every part of the program sees it: where
// the two ROM images lie, the port window with the video chip's two ports,
// RAM, and the fixed addresses the processor and the CRU use. The
// processor, the bus, the disassembler, the assembler and the tools all take
// these numbers from here.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t MEMORY_SIZE = 0x10000;

// ROM: the first image from >0000, the second from >8000; writes are refused.
constexpr uint16_t ROM1_START = 0x0000;
constexpr std::size_t ROM1_SIZE = 0x8000;
constexpr uint16_t ROM2_START = 0x8000;
constexpr std::size_t ROM2_SIZE = 0x4000;
constexpr uint16_t ROM_END = 0xC000;        // first address past both images
constexpr uint16_t ROM_PORT_WORD = 0x8000;  // the one word of ROM that word writes change

// Ports from >C000 to >EFFF; only the video chip's two answer.
constexpr uint16_t PORT_WINDOW_START = 0xC000;
constexpr uint16_t VDP_DATA_PORT = 0xE000;
constexpr uint16_t VDP_CONTROL_PORT = 0xE002;  // status port on reads

// RAM from >F000 to the top.
constexpr uint16_t RAM_START = 0xF000;

// Vectors of two words each (workspace, then program counter): the reset
// vector, interrupt level n at 4n, XOP n at >0040 + 4n.
constexpr uint16_t RESET_VECTOR = 0x0000;
constexpr uint16_t XOP_VECTORS = 0x0040;

// The decrementer counts the word at >FFFA down once a frame while enabled
// by SBO at CRU address >1EE2.
constexpr uint16_t DECREMENTER_ADDRESS = 0xFFFA;
constexpr int CRU_DECREMENTER_MODE = 0x1EE0;
constexpr int CRU_DECREMENTER_ENABLE = 0x1EE2;

// The keyboard's eight rows, read by STCR with R12 at >EC00, >EC10, ... >EC70.
constexpr uint16_t KEYBOARD_FIRST_ROW = 0xEC00;
constexpr uint16_t KEYBOARD_ROW_STEP = 0x10;
constexpr int KEYBOARD_ROWS = 8;
