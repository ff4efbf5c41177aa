#include "dap/frames.h"

#include "cpu/cpu.h"
#include "dap/names.h"
#include "debugger/call_stack.h"
#include "debugger/program_names.h"
#include "isa/disassembler.h"

namespace {

// A frame is named by its label, or its address; without a source line the
// instruction there is shown too.
StackFrame frame_at(uint16_t address)
{
    StackFrame frame{address, address_text(address), false, {}};
    frame.has_source = source_of(address, frame.source);
    if (!frame.has_source) {
        char text[DISASSEMBLY_BUFFER];
        uint16_t next = address;
        Location current = address;
        disassemble(address, text, next, current);
        frame.name += "  ";
        frame.name += text;
    }
    return frame;
}

}  // namespace

bool source_of(uint16_t address, FrameSource& source)
{
    const DebugSymbols* symbols = program_symbols();
    const LineEntry* line = symbols != nullptr ? symbols->line_at(address) : nullptr;
    if (line == nullptr) {
        return false;
    }
    const SourceFile& file = symbols->file(line->file);
    source = {file.absolute.empty() ? file.path : file.absolute, file.path.substr(file.path.rfind('/') + 1), line->line};
    return true;
}

std::vector<StackFrame> stack_frames()
{
    std::vector<StackFrame> frames{frame_at(g_cpu.PC)};
    for (const CallFrame& call : call_stack_frames()) {
        frames.push_back(frame_at(call.site));
    }
    return frames;
}
