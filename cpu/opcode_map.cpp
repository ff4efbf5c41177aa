// The opcode map, computed once at compile time. Each word is classified by
// the same rules the processor's decoding follows: the top three bits pick the
// format, then the fields within it pick the instruction. Decoders that take
// a general operand come in families indexed by its mode (Ts), and for the
// two-operand instructions by both modes (Ts * 4 + Td).
#include "cpu/opcode_map.h"

#include <utility>

#include "bus/keyboard.h"
#include "cpu/decoders.h"

namespace {

constexpr bool WORD = false;
constexpr bool BYTE = true;

using ModeFamily = std::array<Executor, 4>;     // by Ts
using DualFamily = std::array<Executor, 16>;    // by Ts * 4 + Td

template <DualHandler H, bool Byte>
constexpr DualFamily dual = []<std::size_t... M>(std::index_sequence<M...>) {
    return DualFamily{&decode_dual_operand<H, Byte, M / 4, M % 4>...};
}(std::make_index_sequence<16>{});

template <DualHandler H>
constexpr ModeFamily register_source = {&decode_register_source<H, 0>, &decode_register_source<H, 1>,
                                        &decode_register_source<H, 2>, &decode_register_source<H, 3>};

template <CountHandler H>
constexpr ModeFamily cru_transfer = {&decode_cru_transfer<H, 0>, &decode_cru_transfer<H, 1>,
                                     &decode_cru_transfer<H, 2>, &decode_cru_transfer<H, 3>};

template <OperandHandler H>
constexpr ModeFamily single = {&decode_single_operand<H, 0>, &decode_single_operand<H, 1>,
                               &decode_single_operand<H, 2>, &decode_single_operand<H, 3>};

// SETO and SWPB: one handler for a register operand, one for memory.
template <OperandHandler OnRegister, OperandHandler OnMemory>
constexpr ModeFamily single_in_image = {&decode_single_operand<OnRegister, 0>, &decode_single_operand<OnMemory, 1>,
                                        &decode_single_operand<OnMemory, 2>, &decode_single_operand<OnMemory, 3>};

template <TargetHandler H>
constexpr ModeFamily branch = {&decode_branch<H, 0>, &decode_branch<H, 1>, &decode_branch<H, 2>,
                               &decode_branch<H, 3>};

constexpr ModeFamily xop = {&decode_xop<0>, &decode_xop<1>, &decode_xop<2>, &decode_xop<3>};
constexpr ModeFamily blwp = {&decode_blwp<0>, &decode_blwp<1>, &decode_blwp<2>, &decode_blwp<3>};
constexpr ModeFamily x = {&decode_x<0>, &decode_x<1>, &decode_x<2>, &decode_x<3>};

// >4000 to >FFFF, by the top four bits less 4.
constexpr std::array<DualFamily, 12> DUAL_OPERAND = {
    dual<op_szc, WORD>, dual<op_szcb, BYTE>,  // >4000, >5000
    dual<op_s, WORD>,   dual<op_sb, BYTE>,    // >6000, >7000
    dual<op_c, WORD>,   dual<op_cb, BYTE>,    // >8000, >9000
    dual<op_a, WORD>,   dual<op_ab, BYTE>,    // >A000, >B000
    dual<op_mov, WORD>, dual<op_movb, BYTE>,  // >C000, >D000
    dual<op_soc, WORD>, dual<op_socb, BYTE>,  // >E000, >F000
};

// >2000 to >3FFF, by (op >> 10) & 7.
constexpr std::array<ModeFamily, 8> REGISTER_SOURCE = {
    register_source<op_coc>,  // >2000
    register_source<op_czc>,  // >2400
    register_source<op_xor>,  // >2800
    xop,                      // >2C00
    cru_transfer<op_ldcr>,    // >3000
    cru_transfer<op_stcr>,    // >3400
    register_source<op_mpy>,  // >3800
    register_source<op_div>,  // >3C00
};

// >0400 to >07FF, by (op >> 6) & >F.
constexpr std::array<ModeFamily, 16> SINGLE_OPERAND = {
    blwp,                  // >0400
    branch<op_b>,          // >0440
    x,                     // >0480
    single<op_clr>,        // >04C0
    single<op_neg>,        // >0500
    single<op_inv>,        // >0540
    single<op_inc>,        // >0580
    single<op_inct>,       // >05C0
    single<op_dec>,        // >0600
    single<op_dect>,       // >0640
    branch<op_bl>,         // >0680
    single_in_image<op_swpb<true>, op_swpb<false>>,  // >06C0
    single_in_image<op_seto<true>, op_seto<false>>,  // >0700
    single<op_abs>,        // >0740
    single<no_instruction>,  // >0780
    single<no_instruction>,  // >07C0
};

// >0800 to >0BFF, by (op >> 8) & 3.
constexpr std::array<Executor, 4> SHIFTS = {
    &decode_shift<op_sra>, &decode_shift<op_srl>, &decode_shift<op_sla>, &decode_shift<op_src>,
};

// >1000 to >1CFF, by (op >> 8) & >F.
constexpr std::array<Executor, 13> JUMPS = {
    &decode_jump<op_jmp>, &decode_jump<op_jlt>, &decode_jump<op_jle>, &decode_jump<op_jeq>,
    &decode_jump<op_jhe>, &decode_jump<op_jgt>, &decode_jump<op_jne>, &decode_jump<op_jnc>,
    &decode_jump<op_joc>, &decode_jump<op_jno>, &decode_jump<op_jl>,  &decode_jump<op_jh>,
    &decode_jump<op_jop>,
};

// >1D00 to >1FFF, by (op >> 8) & 3 (0 does not occur).
constexpr std::array<Executor, 4> CRU_BITS = {
    &decode_nothing, &decode_cru_bit<op_sbo>, &decode_cru_bit<op_sbz>, &decode_cru_bit<op_tb>,
};

// >0200 to >029F, by (op >> 5) & 7.
constexpr std::array<Executor, 5> IMMEDIATES = {
    &decode_immediate<op_li>,   &decode_immediate<op_ai>, &decode_immediate<op_andi>,
    &decode_immediate<op_ori>,  &decode_immediate<op_ci>,
};

// >0080 to >009F and >02A0 to >02DF, by (op >> 4) & 7.
constexpr std::array<Executor, 8> REGISTER_ONLY = {
    &decode_register<op_lst>,  &decode_register<op_lwp>,  &decode_register<op_stwp>,
    &decode_register<op_stwp>, &decode_register<op_stst>, &decode_nothing,
    &decode_nothing,           &decode_nothing,
};

// MPYS and DIVS, >0180 to >01FF.
constexpr ModeFamily DIVS = single<op_divs>;
constexpr ModeFamily MPYS = single<op_mpys>;

constexpr Executor dual_operand_group(uint16_t op)
{
    return DUAL_OPERAND[(op >> 12) - 4][source_mode(op) * 4 + destination_mode(op)];
}

constexpr Executor register_source_group(uint16_t op)
{
    return REGISTER_SOURCE[(op >> 10) & 7][source_mode(op)];
}

// Looks only at bits 9 to 0, which is why >0C00 to >0FFF act as their low
// ten bits would here. The RSET and LREX codes run as LIMI, >00E0 as LWPI.
constexpr Executor control_group(uint16_t op)
{
    const int c = (op >> 7) & 7;
    const int e = (op >> 5) & 3;
    if (c == 4 || (c == 5 && e == 0)) {
        return IMMEDIATES[(op >> 5) & 7];
    }
    if (e == 3 || (c == 6 && e == 0)) {
        return (op & 0x100) == 0 ? &decode_no_operand<op_lwpi> : &decode_no_operand<op_limi>;
    }
    if ((c == 5 && (e == 1 || e == 2)) || (c == 1 && e == 0)) {
        return REGISTER_ONLY[(op >> 4) & 7];
    }
    if (c == 7 && e == 0) {
        return &decode_no_operand<op_rtwp>;
    }
    return &decode_nothing;  // IDLE, CKON, CKOF and unassigned codes
}

constexpr Executor low_group(uint16_t op)
{
    const int a = (op >> 10) & 7;
    const int d = (op >> 8) & 3;
    const int b7 = (op >> 7) & 1;
    if (a == 0 && (d == 0 || d == 1) && b7 == 0) {
        return &decode_nothing;
    }
    if (a == 0 && d == 1) {
        return ((op & 0x40) != 0 ? MPYS : DIVS)[source_mode(op)];
    }
    if (a == 0 || a == 3) {
        return control_group(op);
    }
    if (a == 1) {
        return SINGLE_OPERAND[(op >> 6) & 0xF][source_mode(op)];
    }
    if (a == 2) {
        return SHIFTS[(op >> 8) & 3];
    }
    if (a == 7 && d != 0) {
        return CRU_BITS[d];
    }
    return JUMPS[(op >> 8) & 0xF];
}

constexpr Executor executor_for(uint16_t op)
{
    switch (op >> 13) {
    case 0:
        return low_group(op);
    case 1:
        return register_source_group(op);
    default:
        return dual_operand_group(op);
    }
}

constexpr std::array<Executor, 0x10000> build_opcode_map()
{
    std::array<Executor, 0x10000> map{};
    for (std::size_t op = 0; op < map.size(); ++op) {
        map[op] = executor_for(static_cast<uint16_t>(op));
    }
    return map;
}

}  // namespace

constexpr std::array<Executor, 0x10000> OPCODE_MAP = build_opcode_map();
