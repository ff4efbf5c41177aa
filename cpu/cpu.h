// The processor: its register record, the address space it works in, and the
// operations that the frame loop and the debugger call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "machine/memory_map.h"

// An operand's place in the address space: an address from >0000 to >FFFF.
// Being 16 bits wide, every sum formed in it wraps modulo >10000.
using Location = uint16_t;

struct Cpu {
    uint16_t immediate;    // scratch for the immediate word of LWPI and LIMI
    uint16_t instruction;  // the word being executed
    uint16_t WP;           // workspace pointer: R0 is the word at WP
    uint16_t PC;           // address of the instruction being executed, or of the next one
    uint16_t ST;           // status register
    Location workspace;    // where the current workspace lies; always follows WP
};

constexpr int32_t CYCLES_PER_FRAME = 44583;

extern Cpu g_cpu;
extern std::array<uint8_t, MEMORY_SIZE> g_memory;  // big-endian words
extern int32_t g_cycles;                           // cycles spent in the current frame

// CRU flags at >1EE2 and >1EE0; the first makes each frame count >FFFA down.
extern int32_t g_decrementer_enabled;
extern int32_t g_decrementer_mode;

// Status bits; bit 0 is the most significant in the processor's numbering.
constexpr uint16_t ST_LGT = 0x8000;
constexpr uint16_t ST_AGT = 0x4000;
constexpr uint16_t ST_EQ = 0x2000;
constexpr uint16_t ST_C = 0x1000;
constexpr uint16_t ST_OV = 0x0800;
constexpr uint16_t ST_OP = 0x0400;
constexpr uint16_t ST_X = 0x0200;
constexpr uint16_t ST_INT_MASK = 0x000F;

void cpu_create(const std::array<uint8_t, ROM1_SIZE>& rom1, const std::array<uint8_t, ROM2_SIZE>& rom2);
void cpu_interrupt(int level);
uint16_t cpu_fetch();
int cpu_interrupt_mask();
void cpu_set_workspace(uint16_t wp);

// The context switch of interrupts, BLWP and XOP: WP and then PC from the two
// words at `vector`; the old WP, `return_pc` and the old ST go into R13 to R15
// of the new workspace, for RTWP.
void context_switch(Location vector, uint16_t return_pc);
void decrementer_tick();

// Executes one instruction word (equal to g_cpu.instruction) and advances PC.
void cpu_execute(uint16_t op);
