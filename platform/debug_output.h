// The host's channel for diagnostics: on Windows the debugger output,
// elsewhere standard error. Each text reaches it whole, in one write.
#pragma once

void debug_output(const char* line);
