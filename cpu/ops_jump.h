// Jumps and the CRU bit instructions: all take a signed 8-bit displacement.
// A jump counts its displacement in words from the word after the jump.
#pragma once

#include <cstdint>

#include "cpu/memory.h"
#include "cpu/status.h"

constexpr int32_t JUMP_TAKEN_CYCLES = 10;
constexpr int32_t JUMP_NOT_TAKEN_CYCLES = 8;
constexpr int32_t CRU_BIT_CYCLES = 12;

// Leaves PC at the target or at the next word; the decoder then takes 2 off
// to balance the advance that follows every instruction.
inline void jump_if(bool taken, int disp)
{
    if (taken) {
        g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + 2 + 2 * disp);
        g_cycles += JUMP_TAKEN_CYCLES;
    } else {
        g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + 2);
        g_cycles += JUMP_NOT_TAKEN_CYCLES;
    }
}

inline bool flag_lgt() { return st_get_bit(ST_LGT_BIT); }
inline bool flag_agt() { return st_get_bit(ST_AGT_BIT); }
inline bool flag_eq() { return st_get_bit(ST_EQ_BIT); }

inline void op_jmp(int disp) { jump_if(true, disp); }
inline void op_jlt(int disp) { jump_if(!flag_agt() && !flag_eq(), disp); }
inline void op_jle(int disp) { jump_if(!flag_lgt() || flag_eq(), disp); }
inline void op_jeq(int disp) { jump_if(flag_eq(), disp); }
inline void op_jhe(int disp) { jump_if(flag_lgt() || flag_eq(), disp); }
inline void op_jgt(int disp) { jump_if(flag_agt(), disp); }
inline void op_jne(int disp) { jump_if(!flag_eq(), disp); }
inline void op_jnc(int disp) { jump_if(!st_get_bit(ST_C_BIT), disp); }
inline void op_joc(int disp) { jump_if(st_get_bit(ST_C_BIT), disp); }
inline void op_jno(int disp) { jump_if(!st_get_bit(ST_OV_BIT), disp); }
inline void op_jl(int disp) { jump_if(!flag_lgt() && !flag_eq(), disp); }
inline void op_jh(int disp) { jump_if(flag_lgt() && !flag_eq(), disp); }
inline void op_jop(int disp) { jump_if(st_get_bit(ST_OP_BIT), disp); }

// R12 plus the displacement, as a plain sum: R12 is not halved here.
inline int cru_bit_address(int disp)
{
    constexpr int R12_OFFSET = 2 * 12;
    return mem_read_word(static_cast<Location>(g_cpu.workspace + R12_OFFSET)) + disp;
}

// Only the decrementer's two flags exist among the CRU output bits.
inline void set_cru_bit(int disp, int32_t value)
{
    const int a = cru_bit_address(disp);
    if (a == CRU_DECREMENTER_ENABLE) {
        g_decrementer_enabled = value;
    } else if (a == CRU_DECREMENTER_MODE) {
        g_decrementer_mode = value;
    }
    g_cycles += CRU_BIT_CYCLES;
}

inline void op_sbo(int disp) { set_cru_bit(disp, 1); }
inline void op_sbz(int disp) { set_cru_bit(disp, 0); }

// No CRU input bit is modelled: every bit reads 0.
inline void op_tb(int /*disp*/)
{
    st_set_bit(ST_EQ_BIT, 0);
    g_cycles += CRU_BIT_CYCLES;
}
