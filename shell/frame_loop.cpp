// The frame loop: the only main loop of the program. It also hosts the
// debugger, which may hold the processor while the overlay stays alive.
#include "shell/frame_loop.h"

#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "display/display.h"
#include "display/render.h"
#include "shell/events.h"
#include "shell/overdue_stop.h"
#include "video/vdp.h"

uint64_t g_frame_number = 0;

namespace {

constexpr int FRAME_INTERRUPT_LEVEL = 3;

// One turn of the inner loop: at most one instruction, and the overlay's
// refresh while it is on screen.
void run_turn()
{
    if (g_debugger.stopped && !g_debugger.overlay_visible) {
        debugger_show();
    }
    // Held by the debugger, the processor still finishes an interrupt service.
    if (!g_debugger.stopped || g_debugger.in_interrupt) {
        cpu_execute(cpu_fetch());
    }
    if (g_debugger.overlay_visible && !g_debugger.in_interrupt) {
        debugger_show();
        debugger_draw_view();
        display_flip();
        poll_events();
    }
}

}  // namespace

void end_frame()
{
    g_vdp.status &= static_cast<uint8_t>(~VDP_FRAME_FLAG);
    if (g_decrementer_enabled) {
        decrementer_tick();
    }
    vdp_render();
    if (cpu_interrupt_mask() >= FRAME_INTERRUPT_LEVEL) {
        cpu_interrupt(FRAME_INTERRUPT_LEVEL);
        g_cpu.ST = static_cast<uint16_t>((g_cpu.ST & 0xFFF8) + FRAME_INTERRUPT_LEVEL);
    }
    poll_events();
    ++g_frame_number;
}

void run_instructions()
{
    uint32_t turns = 0;
    while (!g_quit) {
        run_turn();
        if (g_cycles >= CYCLES_PER_FRAME) {
            break;
        }
        if (++turns == INSTRUCTIONS_BEFORE_EVENT_POLL) {
            turns = 0;
            poll_events();
        }
    }
}

void run_frame()
{
    g_cycles = 0;
    run_instructions();
    const bool overdue = stop_overdue();
    end_frame();
    if (overdue) {
        take_overdue_stop();
    }
}

void frame_loop()
{
    while (!g_quit) {
        run_frame();
    }
}
