// The machine's two output channels, which the host connects: messages for
// the user (the processor's start-up line, the video chip's complaint) and
// diagnostics (the bus's reports). The machine prints nothing else, and
// until the host connects a channel, what goes to it is dropped.
#pragma once

#include <cstddef>

using OutputLine = void (*)(const char* text);

struct MachineOutput {
    OutputLine message;
    OutputLine diagnostic;
};

extern MachineOutput g_machine_output;

// Longer texts are cut to this size, terminator included.
constexpr std::size_t MACHINE_LINE_SIZE = 512;  // a watch line with names fits

// Format (printf conventions) into a local buffer and send the text whole.
void machine_message(const char* format, ...) __attribute__((format(printf, 1, 2)));
void machine_diagnostic(const char* format, ...) __attribute__((format(printf, 1, 2)));
