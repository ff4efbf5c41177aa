// The host's channel for diagnostics: on Windows the debugger output,
// elsewhere standard error. Each line reaches it whole, in one write.
#pragma once

#include <cstddef>

// Longer lines are cut to this size, terminator included.
constexpr std::size_t DEBUG_LINE_SIZE = 256;

void debug_output(const char* line);

// Formats one line (printf conventions) into a local buffer and sends it.
void debug_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
