#include "dap/frames.h"

#include "cpu/cpu.h"
#include "dap/names.h"
#include "isa/disassembler.h"

FrameHooks g_frame_hooks{};

namespace {

// A frame is named by its address and the instruction there.
StackFrame frame_at(uint16_t address)
{
    char text[DISASSEMBLY_BUFFER];
    uint16_t next = address;
    Location current = address;
    disassemble(address, text, next, current);
    StackFrame frame{address, address_text(address) + "  " + text, false, {}};
    frame.has_source = g_frame_hooks.source_of != nullptr && g_frame_hooks.source_of(address, frame.source);
    return frame;
}

}  // namespace

std::vector<StackFrame> stack_frames()
{
    std::vector<StackFrame> frames{frame_at(g_cpu.PC)};
    if (g_frame_hooks.call_sites != nullptr) {
        for (const uint16_t site : g_frame_hooks.call_sites()) {
            frames.push_back(frame_at(site));
        }
    }
    return frames;
}
