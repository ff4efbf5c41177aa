// The frame loop: the only main loop of the program. It also hosts the
// debugger, which may hold the processor while the overlay stays alive, and
// the host's pause and pacing between frames.
#include "shell/frame_loop.h"

#include "cpu/cpu.h"
#include "debugger/debug_hooks.h"
#include "debugger/debugger.h"
#include "display/display.h"
#include "display/render.h"
#include "shell/events.h"
#include "shell/scripted_run.h"
#include "shell/time_travel.h"
#include "shell/title.h"
#include "video/vdp.h"

uint64_t g_frame_number = 0;
bool g_return_while_held = false;

namespace {

constexpr int FRAME_INTERRUPT_LEVEL = 3;

int64_t g_next_refresh = 0;  // when the overlay is next redrawn while the processor runs under it
bool g_frame_unfinished = false;  // run_frame returned while the processor was held

// The overlay is kept up to date: shown, and no interrupt service running
// (a service runs through without redraws; the overlay shows one only where
// a breakpoint, a watchpoint or a step over holds the processor in it).
bool overlay_live()
{
    return g_debugger.overlay_visible && (!g_debugger.in_interrupt || processor_held());
}

// Stopped by the machine or the stop key, the processor still finishes an
// interrupt service.
bool processor_runs()
{
    return !processor_held();
}

// Before the loop sleeps, the window is brought up to date: a present held
// back for coming too soon after the last would otherwise wait for the next.
void rest_until(int64_t time)
{
    display_flush();
    g_host_clock.sleep_until(time);
}

void sleep_for(int64_t time)
{
    rest_until(g_host_clock.now() + time);
}

// Under the overlay, at most once per HOST_REFRESH_TIME: the events, then the
// overlay redrawn and presented.
void refresh_overlay_when_due()
{
    const int64_t now = g_host_clock.now();
    if (now < g_next_refresh) {
        return;
    }
    g_next_refresh = now + HOST_REFRESH_TIME;
    poll_events();
    show_overlay_if_live();
}

// One turn while the debugger holds the processor: the overlay shows where
// the processor stands (`overlay_current` says whether it already does) and
// is redrawn after every key; between keys the loop sleeps.
void held_turn(bool overlay_current)
{
    if (!overlay_current) {
        show_overlay_if_live();
    }
    if (poll_events() > 0) {
        show_overlay_if_live();
        return;
    }
    title_update();
    sleep_for(EVENT_WAIT_TIME);
}

// Looks up from the processor every INSTRUCTIONS_BETWEEN_CLOCK_READS
// instructions (`turns` counts them).
void between_instructions(uint32_t turns)
{
    if (overlay_live()) {
        refresh_overlay_when_due();
    } else if (turns % INSTRUCTIONS_BEFORE_EVENT_POLL == 0) {
        poll_events();
    }
    if (turns % INSTRUCTIONS_IN_AN_ENDLESS_FRAME == 0 && processor_runs()) {
        run_endless_frame();
    }
}

// Waits until `time`. A long wait (a slow speed) is cut into pieces of
// HOST_REFRESH_TIME with the events polled between them, so that keys are
// still answered; a pause, fast-forward or quit ends the wait.
void wait_until(int64_t time)
{
    for (int64_t now = g_host_clock.now(); now < time && !g_quit && !g_paused && !g_fast_forward;
         now = g_host_clock.now()) {
        const bool long_wait = time - now > 2 * HOST_REFRESH_TIME;
        rest_until(long_wait ? now + HOST_REFRESH_TIME : time);
        if (long_wait) {
            poll_events();
            title_update();
        }
    }
}

// A stop of the stop key or the machine's own (F1, a byte written into
// ROM, an odd workspace pointer) waits for the interrupt service in
// progress: the processor holds at the first instruction after the RTWP
// that ends it. A service may
// also end without one (a routine that loads a workspace with LWPI and
// branches back to the main loop is legal), and the stop would then wait for
// ever. So a stop that waited through a whole frame (`waited`) holds the
// processor once that frame's end steps are done, unless it was lifted.
void hold_if_overdue(bool waited)
{
    if (waited && g_debugger.stopped) {
        g_debugger.in_interrupt = 0;
        debug_overdue_hold();
    }
}

// Paused: no frame runs; the events are waited for, sleeping.
void stay_paused()
{
    while (g_paused && !g_quit) {
        title_update();
        sleep_for(EVENT_WAIT_TIME);
        poll_events();
    }
    title_update();
    pacing_restart();
}

}  // namespace

void show_overlay_if_live()
{
    if (overlay_live()) {
        debugger_show();
    }
}

// Under the overlay the picture is drawn but not presented: presented now,
// it would hide the overlay until the overlay's next redraw, which paints
// the overlay over it and presents both.
void show_frame_picture()
{
    if (g_debugger.overlay_visible) {
        vdp_draw();
    } else {
        vdp_render();
    }
}

void end_frame()
{
    g_vdp.status &= static_cast<uint8_t>(~VDP_FRAME_FLAG);
    if (g_decrementer_enabled) {
        decrementer_tick();
    }
    show_frame_picture();
    if (cpu_interrupt_mask() >= FRAME_INTERRUPT_LEVEL) {
        cpu_interrupt(FRAME_INTERRUPT_LEVEL);
        g_cpu.ST = static_cast<uint16_t>((g_cpu.ST & 0xFFF8) + FRAME_INTERRUPT_LEVEL);
        debug_interrupt_taken();
    }
    run_frame_hooks();
    if (poll_events() > 0) {
        show_overlay_if_live();
    }
    ++g_frame_number;
}

void run_instructions()
{
    uint32_t turns = 0;
    bool overlay_current = false;  // the overlay shows the processor as it stands
    while (!g_quit) {
        if (g_debugger.stopped && !g_debugger.overlay_visible) {
            debugger_show();
            overlay_current = true;
        }
        if (processor_runs()) {
            execute_instruction();
            overlay_current = false;
        } else {
            held_turn(overlay_current);
            overlay_current = true;
            if (g_return_while_held) {
                return;
            }
        }
        if (g_cycles >= CYCLES_PER_FRAME) {
            break;
        }
        if (++turns % INSTRUCTIONS_BETWEEN_CLOCK_READS == 0) {
            between_instructions(turns);
        }
    }
}

void run_frame()
{
    if (!g_frame_unfinished) {
        if (frame_goes_back()) {
            return;  // the rewind key is held
        }
        g_cycles = 0;
        timeline_frame_begins(g_frame_number);
    }
    run_instructions();
    g_frame_unfinished = g_return_while_held && g_cycles < CYCLES_PER_FRAME && !g_quit;
    if (g_frame_unfinished) {
        return;
    }
    timeline_frame_ends();
    const bool waited = g_debugger.stopped && !processor_held();
    end_frame();
    hold_if_overdue(waited);
}

void frame_loop()
{
    while (!g_quit) {
        if (g_paused) {
            stay_paused();
            continue;
        }
        run_frame();
        title_update();
        wait_until(next_frame_time(g_fast_forward != 0));
    }
}
