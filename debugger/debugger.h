// The debugger overlay: its record, and the operations that the frame loop,
// the keys and the processor call.
#pragma once

#include <array>
#include <cstdint>

constexpr int TEXT_COLUMNS = 40;
constexpr int TEXT_ROWS = 24;

// The memory dump of either view: 16 lines of 8 bytes.
constexpr int DUMP_LINES = 16;
constexpr int DUMP_LINE_BYTES = 8;
constexpr int32_t CPU_DUMP_START = 0xF000;  // the processor view's dump starts in RAM

struct Debugger {
    int32_t stopped;          // the debugger holds the processor
    int32_t in_interrupt;     // an interrupt was taken and its RTWP not yet executed
    int32_t overlay_visible;  // the overlay is on screen
    int32_t show_vdp_memory;  // 0: CPU view, 1: VDP view
    int32_t dump_address;     // first address of the memory dump of the view shown
    int32_t saved_cpu_address;
    int32_t saved_vdp_address;
    std::array<uint8_t, TEXT_COLUMNS * TEXT_ROWS> text_grid;
};

extern Debugger g_debugger;

void debugger_init();
void debugger_show();
void debugger_show_cpu();
void debugger_show_vdp();
void debugger_draw_view();
void debugger_leave();
