#include "debugger/call_stack.h"

#include "cpu/addressing.h"
#include "debugger/program_names.h"

CallStack g_call_stack{};

namespace {

CallFrame& frame_at(std::size_t index)
{
    return g_call_stack.frames[(g_call_stack.top - index) & CALL_RING_MASK];
}

}  // namespace

void call_stack_returned_deeper()
{
    for (std::size_t i = 1; i < g_call_stack.depth; ++i) {
        const CallFrame& frame = frame_at(i);
        if (frame.return_address == g_cpu.PC && frame.caller_wp == g_cpu.WP) {
            g_call_stack.top = static_cast<uint32_t>(g_call_stack.top - i - 1) & CALL_RING_MASK;
            g_call_stack.depth -= static_cast<uint32_t>(i + 1);
            return;
        }
    }
}

void call_stack_interrupted()
{
    const uint16_t return_address = reg_read(14);
    call_stack_push({return_address, reg_read(13), return_address, CallKind::INTERRUPT});
}

void call_stack_clear()
{
    g_call_stack = {};
}

std::size_t call_stack_depth()
{
    return g_call_stack.depth;
}

CallFrame call_stack_frame(std::size_t index)
{
    return frame_at(index);
}

std::vector<CallFrame> call_stack_frames()
{
    std::vector<CallFrame> frames;
    for (std::size_t i = 0; i < g_call_stack.depth; ++i) {
        frames.push_back(frame_at(i));
    }
    return frames;
}

std::string call_frame_text(const CallFrame& frame)
{
    return (frame.kind == CallKind::INTERRUPT ? "interrupted at " : "called from ") + where_text(frame.site);
}
