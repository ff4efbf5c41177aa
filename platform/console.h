// Standard output, for the messages the user reads. Each text is flushed at
// once, so that it keeps its place among the diagnostics on standard error.
#pragma once

void console_print(const char* text);
