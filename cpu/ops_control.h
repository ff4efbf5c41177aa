// Immediate instructions, and those that load or store WP and ST. The
// immediate word follows the instruction; each handler that uses one moves PC
// past it. Which accesses go through the bus and which straight to the image
// is fixed per instruction; a register written in the image is still never
// changed in ROM (register_write_word).
#pragma once

#include <cstdint>

#include "cpu/addressing.h"
#include "cpu/operand_access.h"
#include "cpu/status.h"
#include "machine/debugger_record.h"

constexpr int32_t LI_CYCLES = 12;
constexpr int32_t IMMEDIATE_CYCLES = 14;  // AI, ANDI, ORI, CI
constexpr int32_t STWP_CYCLES = 8;
constexpr int32_t STST_CYCLES = 8;
constexpr int32_t LWPI_CYCLES = 10;
constexpr int32_t LIMI_CYCLES = 16;
constexpr int32_t RTWP_CYCLES = 14;
constexpr int32_t LST_CYCLES = 8;
constexpr int32_t LWP_CYCLES = 10;

inline void skip_immediate()
{
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + 2);
}

inline void op_li(Location w, uint16_t value)
{
    register_write_word(w, value);
    set_result_flags(value);
    skip_immediate();
    g_cycles += LI_CYCLES;
}

inline void op_ai(Location w, uint16_t value)
{
    operand_write_word(w, add_with_flags(value, mem_read_word(w)));
    skip_immediate();
    g_cycles += IMMEDIATE_CYCLES;
}

inline void op_andi(Location w, uint16_t value)
{
    const auto r = static_cast<uint16_t>(mem_read_word(w) & value);
    operand_write_word(w, r);
    set_result_flags(r);
    skip_immediate();
    g_cycles += IMMEDIATE_CYCLES;
}

inline void op_ori(Location w, uint16_t value)
{
    const auto r = static_cast<uint16_t>(mem_read_word(w) | value);
    operand_write_word(w, r);
    set_result_flags(r);
    skip_immediate();
    g_cycles += IMMEDIATE_CYCLES;
}

// The register is the first operand of the comparison.
inline void op_ci(Location w, uint16_t value)
{
    set_compare_flags(mem_read_word(w), value);
    skip_immediate();
    g_cycles += IMMEDIATE_CYCLES;
}

inline void op_stwp(Location w)
{
    register_write_word(w, g_cpu.WP);
    g_cycles += STWP_CYCLES;
}

inline void op_stst(Location w)
{
    operand_write_word(w, g_cpu.ST);
    g_cycles += STST_CYCLES;
}

inline void op_lst(Location w)
{
    g_cpu.ST = mem_read_word(w);
    g_cycles += LST_CYCLES;
}

inline void op_lwp(Location w)
{
    g_cpu.WP = mem_read_word(w);
    cpu_set_workspace(g_cpu.WP);
    g_cycles += LWP_CYCLES;
}

inline void op_lwpi()
{
    g_cpu.immediate = next_word();
    g_cpu.WP = g_cpu.immediate;
    cpu_set_workspace(g_cpu.WP);
    skip_immediate();
    g_cycles += LWPI_CYCLES;
}

// Only the mask changes; the frame loop looks at it once per frame.
inline void op_limi()
{
    g_cpu.immediate = next_word();
    g_cpu.ST = static_cast<uint16_t>((g_cpu.ST & ~ST_INT_MASK) | (g_cpu.immediate & ST_INT_MASK));
    skip_immediate();
    g_cycles += LIMI_CYCLES;
}

// Returns to the context saved in R13 to R15 by BLWP, XOP or an interrupt.
inline void op_rtwp()
{
    const uint16_t wp = reg_read(13);
    const uint16_t pc = reg_read(14);
    const uint16_t st = reg_read(15);
    g_cpu.ST = st;
    g_cpu.PC = pc;
    g_cpu.WP = wp;
    cpu_set_workspace(wp);
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC - 2);
    g_debugger.in_interrupt = 0;
    g_cycles += RTWP_CYCLES;
}
