// The stack the client sees, innermost first: where PC stands, then each
// call in progress (debugger/call_stack.h) at the place of its call (the
// BL, BLWP or XOP, or the instruction the frame interrupt came before), as
// debuggers show call sites. Each frame has its source line when the
// program's debug information knows one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameSource {
    std::string path;  // the absolute path, as the editor opens it
    std::string name;  // the file's own name
    int64_t line = 0;
};

struct StackFrame {
    uint16_t address;  // PC, or the call that a caller's frame stands at
    std::string name;  // "DRAW+6"; without a source line, the instruction too
    bool has_source = false;
    FrameSource source;
};

// The source line that placed the byte at `address`; false without one.
bool source_of(uint16_t address, FrameSource& source);

std::vector<StackFrame> stack_frames();
