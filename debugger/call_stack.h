// The call stack: the calls in progress, followed instruction by instruction
// while the debugger's checks run (never while they are off). A BL, BLWP or
// XOP, and the frame interrupt, push a frame with the caller's place and
// workspace and the address the caller goes on at; PC reaching a frame's
// return address with the caller's workspace is that call's return, which
// pops it and every frame inside it. At most CALL_STACK_DEPTH frames are
// kept: a deeper call drops the oldest. Return addresses are marked where
// the checks look before each instruction (debugger/breakpoints.h), so that
// an instruction that neither calls nor returns costs one test of its word.
//
// The record is plain bytes, so that it travels back in time with the
// machine (one row of the table of parts in shell/time_travel.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/breakpoints.h"
#include "machine/instruction_format.h"

enum class CallKind : uint8_t { BL, BLWP, XOP, INTERRUPT };

struct CallFrame {
    uint16_t site;            // the call's address; for an interrupt, the instruction it came before
    uint16_t caller_wp;       // the caller's workspace
    uint16_t return_address;  // where the caller goes on
    CallKind kind;
    bool operator==(const CallFrame&) const = default;
};

constexpr std::size_t CALL_STACK_DEPTH = 32;

struct CallStack {
    std::array<CallFrame, CALL_STACK_DEPTH> frames;  // a ring; the innermost at `top`
    uint32_t top;
    uint32_t depth;
};

extern CallStack g_call_stack;

static_assert((CALL_STACK_DEPTH & (CALL_STACK_DEPTH - 1)) == 0, "the ring wraps by a mask");
constexpr uint32_t CALL_RING_MASK = CALL_STACK_DEPTH - 1;

// The frame on top of the others; the oldest goes when the ring is full.
inline void call_stack_push(const CallFrame& frame)
{
    CallStack& stack = g_call_stack;
    stack.top = (stack.top + 1) & CALL_RING_MASK;
    stack.depth += stack.depth < CALL_STACK_DEPTH ? 1 : 0;
    stack.frames[stack.top] = frame;
    if (!return_address_marked(frame.return_address)) {
        return_address_mark(frame.return_address);
    }
}

// BL (>0680 to >06BF), BLWP (>0400 to >043F), XOP (>2C00 to >2FFF). Most
// instructions fail the first test of each pair.
inline bool is_call(uint16_t op)
{
    return (op < 0x06C0 && ((op & 0xFFC0) == 0x0680 || (op & 0xFFC0) == 0x0400)) || (op & 0xFC00) == 0x2C00;
}

// The call `op` at PC is about to execute, from the caller's workspace;
// the caller goes on past the call's extension word, if it has one.
inline void call_stack_called(uint16_t op)
{
    const auto return_address = static_cast<uint16_t>(g_cpu.PC + (source_mode(op) == MODE_INDEXED ? 4 : 2));
    const CallKind kind = (op & 0xFFC0) == 0x0680   ? CallKind::BL
                          : (op & 0xFFC0) == 0x0400 ? CallKind::BLWP
                                                    : CallKind::XOP;
    call_stack_push({g_cpu.PC, g_cpu.WP, return_address, kind});
}

// A return to a frame below the innermost one.
void call_stack_returned_deeper();

// PC has reached an address that calls return to: the frame it returns
// from, with the ones inside it, goes. Mostly it is the innermost.
inline void call_stack_returned()
{
    CallStack& stack = g_call_stack;
    const CallFrame& innermost = stack.frames[stack.top];
    if (stack.depth != 0 && innermost.return_address == g_cpu.PC && innermost.caller_wp == g_cpu.WP) {
        stack.top = (stack.top - 1) & CALL_RING_MASK;
        --stack.depth;
    } else {
        call_stack_returned_deeper();
    }
}

// Before each instruction while the checks run: its word `op`.
inline void follow_calls(uint16_t op)
{
    if (is_call(op)) [[unlikely]] {
        call_stack_called(op);
    }
}

// The frame interrupt has just been taken: its service is a call too.
void call_stack_interrupted();

void call_stack_clear();

// The frames, innermost first: `index` 0 is the call that PC's routine
// returns to.
std::size_t call_stack_depth();
CallFrame call_stack_frame(std::size_t index);
std::vector<CallFrame> call_stack_frames();

// "called from MAIN+12 (main.asm:40)", "interrupted at >0104": the call's
// place, by name and source line when the program's names are loaded.
std::string call_frame_text(const CallFrame& frame);
