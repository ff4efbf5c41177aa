// Placeholder until the overlay lands.
#include "debugger/debugger.h"

#include "video/display.h"

Debugger g_debugger{0, 0, 0, 1, 0, 0xF000, 0, {}};

void debugger_init()
{
    g_debugger.saved_cpu_address = 0xF000;
    g_debugger.in_interrupt = 0;
    g_debugger.stopped = 0;
    g_debugger.saved_vdp_address = 0;
    g_debugger.dump_address = 0;
    g_debugger.show_vdp_memory = 1;
    debugger_show_cpu();
    debugger_leave();
}

void debugger_show()
{
    g_debugger.overlay_visible = 1;
    debugger_draw_view();
    display_flip();
}

void debugger_show_cpu()
{
    if (g_debugger.show_vdp_memory == 0) {
        return;
    }
    g_debugger.show_vdp_memory = 0;
    g_debugger.saved_vdp_address = g_debugger.dump_address;
    g_debugger.dump_address = g_debugger.saved_cpu_address;
}

void debugger_show_vdp()
{
    if (g_debugger.show_vdp_memory == 1) {
        return;
    }
    g_debugger.show_vdp_memory = 1;
    g_debugger.saved_cpu_address = g_debugger.dump_address;
    g_debugger.dump_address = g_debugger.saved_vdp_address;
}

void debugger_draw_view() {}

void debugger_leave()
{
    g_debugger.overlay_visible = 0;
    g_debugger.stopped = 0;
    vdp_render();
}
