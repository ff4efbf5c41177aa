// Breakpoints by source line. The editor names a file by its absolute path
// and a line; the program's debug information finds the file among those
// it records (the same absolute path, else the one that shares the most
// trailing parts of its path) and the first instruction that line placed,
// or the next line that placed one. Breakpoints set before the debug
// information is read are kept, and placed once the launch has read it.
#pragma once

#include <string>
#include <vector>

#include "dap/arguments.h"

// The breakpoints of the file at `path` are `wanted` (the client's list)
// from now on; the answer's list.
Json source_breakpoints_set(const std::string& path, const Json& wanted);

// After a launch: every kept breakpoint placed through the debug
// information now read, as `breakpoint` events' bodies.
std::vector<Json> source_breakpoints_place_kept();

// No breakpoint by source line, as a session starts.
void source_breakpoints_forget();
