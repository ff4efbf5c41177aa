#include "debugger/debugger.h"

#include <cstdio>

#include "cpu/cpu.h"

#include "debugger/call_stack.h"
#include "debugger/hold_reason.h"
#include "debugger/panels.h"
#include "debugger/program_names.h"
#include "debugger/screen.h"
#include "debugger/text.h"

namespace {

constexpr int32_t VDP_DUMP_START = 0x0000;

char note[TEXT_COLUMNS + 1] = "";

// Clears the grid, writes the current view's labels and paints them.
void build_view()
{
    text_clear();
    if (g_debugger.show_vdp_memory) {
        write_vdp_labels();
    } else {
        write_cpu_labels();
    }
    write_hold_lines(note);
    text_draw_all();
}

}  // namespace

void debugger_init()
{
    call_stack_clear();
    g_debugger.saved_cpu_address = CPU_DUMP_START;
    g_debugger.in_interrupt = 0;
    g_debugger.stopped = 0;
    g_debugger.saved_vdp_address = VDP_DUMP_START;
    g_debugger.dump_address = 0;
    g_debugger.show_vdp_memory = 1;
    debugger_show_cpu();
    debugger_leave();
}

void debugger_show()
{
    g_debugger.overlay_visible = 1;
    build_view();
    debugger_draw_view();
    g_overlay_screen.present();
}

// Each view keeps its own dump address while the other one is shown.
void debugger_show_cpu()
{
    if (g_debugger.show_vdp_memory == 0) {
        return;
    }
    g_debugger.show_vdp_memory = 0;
    g_debugger.saved_vdp_address = g_debugger.dump_address;
    g_debugger.dump_address = g_debugger.saved_cpu_address;
    build_view();
}

void debugger_show_vdp()
{
    if (g_debugger.show_vdp_memory == 1) {
        return;
    }
    g_debugger.show_vdp_memory = 1;
    g_debugger.saved_cpu_address = g_debugger.dump_address;
    g_debugger.dump_address = g_debugger.saved_vdp_address;
    build_view();
}

void debugger_draw_view()
{
    if (g_debugger.show_vdp_memory) {
        debugger_draw_vdp_view();
    } else {
        debugger_draw_cpu_view();
    }
}

// Leaving shows the whole VDP picture again at once, not at the frame's end.
void debugger_leave()
{
    g_debugger.overlay_visible = 0;
    g_debugger.stopped = 0;
    g_debugger.hold_here = 0;
    hold_reason_clear();
    g_overlay_screen.show_picture();
}

void debugger_note(const char* text)
{
    std::snprintf(note, sizeof note, "%s", text);
}

std::string debugger_hold_words()
{
    if (!processor_held()) {
        return {};
    }
    const std::string reason = note[0] != '\0' ? std::string(note) : stop_reason_text(hold_reason());
    return program_symbols() != nullptr ? reason + " - at " + where_text(g_cpu.PC) : reason;
}
