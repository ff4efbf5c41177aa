// The debugger overlay: the operations that the frame loop and the keys
// call. Its record lives with the machine, which sets the hold flags.
#pragma once

#include <cstdint>
#include <string>

#include "machine/debugger_record.h"
#include "machine/memory_map.h"

// The memory dump of either view: 16 lines of 8 bytes.
constexpr int DUMP_LINES = 16;
constexpr int DUMP_LINE_BYTES = 8;
constexpr int32_t CPU_DUMP_START = RAM_START;  // the processor view's dump starts in RAM

void debugger_init();
void debugger_show();
void debugger_show_cpu();
void debugger_show_vdp();
void debugger_draw_view();
void debugger_leave();

// A line at the foot of either view, in free cells, until another replaces
// it (an empty text clears it). Shown at the next redraw, in capitals.
void debugger_note(const char* text);

// What the window's title says while the debugger holds the processor: the
// note, or else why it holds it, and with the program's names where PC
// stands ("breakpoint at >0124 - at DRAW+6 (main.asm:88)"). Empty while the
// processor runs.
std::string debugger_hold_words();
