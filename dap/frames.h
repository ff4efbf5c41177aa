// The stack the client sees, innermost first. Today it is the processor's
// PC alone; the call stack that the debugger will follow adds a frame for
// each call in progress, and the line table a source line to each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameSource {
    std::string path;
    int64_t line = 0;
};

struct FrameHooks {
    std::vector<uint16_t> (*call_sites)();                  // null: no calls followed
    bool (*source_of)(uint16_t address, FrameSource& line);  // null: no line table
};

extern FrameHooks g_frame_hooks;

struct StackFrame {
    uint16_t address;  // PC, or the call that a caller's frame stands at
    std::string name;
    bool has_source = false;
    FrameSource source;
};

std::vector<StackFrame> stack_frames();
