#include "debugger/panels.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>

#include "cpu/addressing.h"
#include "cpu/cpu.h"
#include "debugger/breakpoints.h"
#include "debugger/call_stack.h"
#include "debugger/debugger.h"
#include "debugger/hold_reason.h"
#include "debugger/program_names.h"
#include "debugger/text.h"
#include "isa/disassembler.h"
#include "video/vdp.h"

namespace {

constexpr int VALUE_COLUMN = 4;  // a register's value stands four cells right of its label
constexpr int VALUE_WIDTH = 4;
constexpr int WORKSPACE_FIRST_ROW = 6;
constexpr int WORKSPACE_COLUMN_WIDTH = 9;  // R8 to R15 stand in a second column
constexpr int VDP_REGISTER_FIRST_ROW = 4;
constexpr int DUMP_COLUMN = 18;
constexpr int DUMP_BYTES_COLUMN = 24;
constexpr int DISASSEMBLY_ROW = 17;
constexpr int DISASSEMBLY_CELLS = 30;
constexpr int DISASSEMBLY_BLANKS = 26;  // wipes what a longer line left behind
constexpr int BREAK_MARK_COLUMN = 9;    // free cells right of PC's value
// Rows 19 to 23 are free in both views (the disassembly's trailing blanks
// reach into row 18 at most): PC's place, three callers, the reason.
constexpr int PLACE_ROW = 19;
constexpr int FIRST_CALLER_ROW = 20;
constexpr int REASON_ROW = TEXT_ROWS - 1;

int workspace_label_column(int n)
{
    return (n / 8) * WORKSPACE_COLUMN_WIDTH;
}

int workspace_row(int n)
{
    return n % 8 + WORKSPACE_FIRST_ROW;
}

void draw_value(int column, int row, unsigned value)
{
    text_print(column, row, "%04X", value);
    text_draw_span(column, row, column + VALUE_WIDTH);
}

// One line of a dump: its address, then eight bytes without separators.
// `read_byte` decides which memory the line shows.
template <typename ReadByte>
void draw_dump_line(int row, ReadByte read_byte)
{
    const uint32_t line_address = static_cast<uint32_t>(g_debugger.dump_address) + DUMP_LINE_BYTES * row;
    text_print(DUMP_COLUMN, row, "%04X", line_address & 0xFFFF);
    for (uint32_t i = 0; i < DUMP_LINE_BYTES; ++i) {
        text_print(DUMP_BYTES_COLUMN + 2 * static_cast<int>(i), row, "%02X", unsigned{read_byte(line_address + i)});
    }
    text_draw_span(DUMP_COLUMN, row, TEXT_COLUMNS);
}

uint8_t cpu_memory_byte(uint32_t address)
{
    return g_memory[address & 0xFFFF];
}

// Video memory decodes fourteen address bits, so every address shows a byte.
uint8_t video_memory_byte(uint32_t address)
{
    return vram_at(address);
}

void draw_disassembly()
{
    char line[DISASSEMBLY_BUFFER];
    uint16_t address = g_cpu.PC;
    Location current = g_cpu.PC;
    disassemble(g_cpu.PC, line, address, current);
    text_print(0, DISASSEMBLY_ROW, "%s", line);
    text_print(static_cast<int>(std::strlen(line)), DISASSEMBLY_ROW, "%*s", DISASSEMBLY_BLANKS, "");
    text_draw_span(0, DISASSEMBLY_ROW, DISASSEMBLY_CELLS);
}

// "BREAK" beside PC while a breakpoint is set at it.
void draw_breakpoint_mark()
{
    text_print(BREAK_MARK_COLUMN, 1, "%s", breakpoint_at(g_cpu.PC) ? "BREAK" : "     ");
    text_draw_span(BREAK_MARK_COLUMN, 1, BREAK_MARK_COLUMN + 5);
}

// One free row, in capitals (the font has no others), cut at its end.
void write_free_row(int row, std::string text)
{
    text.resize(std::min(text.size(), static_cast<std::size_t>(TEXT_COLUMNS)));
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    text_print(0, row, "%s", text.c_str());
}

}  // namespace

void write_hold_lines(const char* note)
{
    const bool held = processor_held();
    if (held && program_symbols() != nullptr) {
        write_free_row(PLACE_ROW, "at " + where_text(g_cpu.PC));
    }
    const std::size_t callers = held ? std::min<std::size_t>(call_stack_depth(), REASON_ROW - FIRST_CALLER_ROW) : 0;
    for (std::size_t i = 0; i < callers; ++i) {
        write_free_row(FIRST_CALLER_ROW + static_cast<int>(i), call_frame_text(call_stack_frame(i)));
    }
    write_free_row(REASON_ROW, note[0] != '\0' ? note : held ? stop_reason_text(hold_reason()) : "");
}

void write_cpu_labels()
{
    text_print(0, 0, "CPU REGISTERS");
    text_print(0, 1, "PC");
    text_print(0, 2, "ST");
    text_print(0, 3, "WP");
    text_print(0, 5, "WORKSPACE");
    for (int n = 0; n < 16; ++n) {
        text_print(workspace_label_column(n), workspace_row(n), "R%d", n);
    }
}

void write_vdp_labels()
{
    text_print(0, 0, "VGP REGISTERS");
    text_print(0, 1, "MP");
    text_print(0, 2, "SR");
    for (int i = 0; i < 8; ++i) {
        text_print(0, VDP_REGISTER_FIRST_ROW + i, "R%d", i);
    }
}

void debugger_draw_cpu_view()
{
    draw_value(VALUE_COLUMN, 1, g_cpu.PC);
    draw_breakpoint_mark();
    draw_value(VALUE_COLUMN, 2, g_cpu.ST);
    draw_value(VALUE_COLUMN, 3, g_cpu.WP);
    for (int r = 0; r < DUMP_LINES; ++r) {
        draw_dump_line(r, cpu_memory_byte);
        draw_value(workspace_label_column(r) + VALUE_COLUMN, workspace_row(r), reg_read(r));
    }
    draw_disassembly();
}

void debugger_draw_vdp_view()
{
    draw_value(VALUE_COLUMN, 1, g_vdp.address);
    draw_value(VALUE_COLUMN, 2, g_vdp.status);
    for (int i = 0; i < 8; ++i) {
        draw_value(VALUE_COLUMN, VDP_REGISTER_FIRST_ROW + i, g_vdp.registers[static_cast<std::size_t>(i)]);
    }
    for (int r = 0; r < DUMP_LINES; ++r) {
        draw_dump_line(r, video_memory_byte);
    }
}
