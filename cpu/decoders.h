// The decoders: one per instruction format, instantiated per handler and per
// operand mode, so that the opcode map can send each instruction word straight
// to code in which the addressing is already decided. A decoder takes the
// word's fields apart, resolves its operands (charging their cycles), calls
// the handler and then corrects PC for extension words and for handlers that
// load PC; cpu_execute finally advances PC past the instruction word.
#pragma once

#include <cstdint>

#include "cpu/addressing.h"
#include "cpu/ops_control.h"
#include "cpu/ops_dual.h"
#include "cpu/ops_jump.h"
#include "cpu/ops_register.h"
#include "cpu/ops_shift.h"
#include "cpu/ops_single.h"

using DualHandler = void (*)(Location source, Location destination);
using OperandHandler = void (*)(Location operand);
using TargetHandler = void (*)(uint16_t target);
using CountHandler = void (*)(Location source, int count);
using ImmediateHandler = void (*)(Location w, uint16_t immediate);
using ShiftHandler = void (*)(int w, int count);
using DisplacementHandler = void (*)(int disp);
using PlainHandler = void (*)();

// Bytes of extension word that an operand in this mode takes.
constexpr int extension_bytes(int mode) { return mode == MODE_INDEXED ? 2 : 0; }

inline void move_pc(int bytes)
{
    g_cpu.PC = static_cast<uint16_t>(g_cpu.PC + bytes);
}

constexpr uint16_t XOP_CLEARED_ST_BITS = 0x01E0;  // bits 7 to 10

// A destination's extension word follows the source's: PC is raised while
// the destination is resolved, and the handler sees PC at the instruction.
template <DualHandler Handler, bool Byte, int Ts, int Td>
void decode_dual_operand(uint16_t op)
{
    const Location s = resolve_operand<Ts, Byte>(source_register(op));
    move_pc(extension_bytes(Ts));
    const Location d = resolve_operand<Td, Byte>(destination_register(op));
    move_pc(-extension_bytes(Ts));
    Handler(s, d);
    move_pc(extension_bytes(Ts) + extension_bytes(Td));
}

// COC, CZC, XOR, MPY, DIV: a word source and register D.
template <DualHandler Handler, int Ts>
void decode_register_source(uint16_t op)
{
    const Location s = resolve_operand<Ts, false>(source_register(op));
    Handler(s, reg_ptr(destination_register(op)));
    move_pc(extension_bytes(Ts));
}

// LDCR, STCR: a word source whatever the bit count, and the count.
template <CountHandler Handler, int Ts>
void decode_cru_transfer(uint16_t op)
{
    const Location s = resolve_operand<Ts, false>(source_register(op));
    Handler(s, destination_register(op));
    move_pc(extension_bytes(Ts));
}

// XOP: a context switch through vector D at >0040, performed here. The
// routine finds the operand's address in R11 and returns with RTWP.
template <int Ts>
void decode_xop(uint16_t op)
{
    const Location operand = resolve_operand<Ts, false>(source_register(op));
    const auto return_pc = static_cast<uint16_t>(g_cpu.PC + 2 + extension_bytes(Ts));
    context_switch(static_cast<Location>(XOP_VECTORS + 4 * destination_register(op)), return_pc);
    reg_write(11, operand);
    g_cpu.ST = static_cast<uint16_t>((g_cpu.ST | ST_X) & ~XOP_CLEARED_ST_BITS);
    move_pc(-2);
}

// Single-operand instructions that neither branch nor execute (also MPYS,
// DIVS and the codes with no instruction, whose handler does nothing).
template <OperandHandler Handler, int Ts>
void decode_single_operand(uint16_t op)
{
    Handler(resolve_operand<Ts, false>(source_register(op)));
    move_pc(extension_bytes(Ts));
}

// B and BL go to the operand's address, taken before any auto-increment and
// not made even; a register operand Rn gives the contents of Rn.
template <TargetHandler Handler, int Ts>
void decode_branch(uint16_t op)
{
    const int r = source_register(op);
    const auto target = static_cast<uint16_t>(Ts == MODE_INDEXED ? indexed_address(r) : reg_read(r));
    resolve_operand<Ts, false>(r);
    move_pc(extension_bytes(Ts));  // BL's return address lies after the extension word
    Handler(target);
    move_pc(-2);
}

template <int Ts>
void decode_blwp(uint16_t op)
{
    const Location vector = resolve_operand<Ts, false>(source_register(op));
    move_pc(extension_bytes(Ts));  // the saved PC lies after the extension word
    op_blwp(vector);
    move_pc(-2);
}

// The executed word finds its own extension words after the X's.
template <int Ts>
void decode_x(uint16_t op)
{
    const Location word = resolve_operand<Ts, false>(source_register(op));
    move_pc(extension_bytes(Ts));
    op_x(word);
}

// The count comes from the instruction, else from R0's low four bits, else 16.
template <ShiftHandler Handler>
void decode_shift(uint16_t op)
{
    int count = shift_count_field(op);
    if (count == 0) {
        count = reg_read(0) & 0xF;
    }
    Handler(source_register(op), count == 0 ? 16 : count);
}

template <DisplacementHandler Handler>
void decode_jump(uint16_t op)
{
    Handler(displacement(op));
    move_pc(-2);
}

template <DisplacementHandler Handler>
void decode_cru_bit(uint16_t op)
{
    Handler(displacement(op));
}

// LI, AI, ANDI, ORI, CI: register W and the word after the instruction. The
// handler moves PC past that word.
template <ImmediateHandler Handler>
void decode_immediate(uint16_t op)
{
    Handler(reg_ptr(source_register(op)), next_word());
}

// LST, LWP, STWP, STST: register W alone.
template <OperandHandler Handler>
void decode_register(uint16_t op)
{
    Handler(reg_ptr(source_register(op)));
}

// LWPI, LIMI, RTWP: no operand field.
template <PlainHandler Handler>
void decode_no_operand(uint16_t /*op*/)
{
    Handler();
}

// Codes outside the map: nothing is resolved, nothing is charged.
inline void decode_nothing(uint16_t /*op*/) {}

// The single-operand codes without an instruction only resolve their operand.
inline void no_instruction(Location /*operand*/) {}
