#include "rewind/replay.h"

#include "cpu/cpu.h"
#include "debugger/breakpoints.h"
#include "debugger/debug_hooks.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"
#include "machine/messages.h"

namespace {

// A stretch that runs longer than this has lost its way.
constexpr uint32_t MOST_REPLAYED = 1u << 24;

// While it lives, the machine's output channels are closed and the
// debugger's hold flag is left as it was: a replay has happened before.
class Quiet {
public:
    Quiet() { g_machine_output = {}; }
    ~Quiet()
    {
        g_machine_output = output_;
        g_debugger.stopped = stopped_;
    }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    MachineOutput output_ = g_machine_output;
    int32_t stopped_ = g_debugger.stopped;
};

bool at_end(const std::optional<Position>& end)
{
    return end.has_value() ? position_now() == *end : g_cycles >= CYCLES_PER_FRAME;
}

// The first cause of a hold waits for the next place the debugger may hold at.
void hold_further_on(Stretch& stretch, HitKind hit)
{
    if (!stretch.hit_pending) {
        stretch.hit_pending = true;
        stretch.pending_hit = hit;
    }
}

}  // namespace

Stretch replay_stretch(std::optional<Position> end, Looking looking)
{
    const Quiet quiet;
    const bool watching = looking == Looking::HITS && any_watch();
    Stretch stretch;
    if (watching) {
        watch_copy(stretch.watched_at_start);
    }
    for (uint32_t place = 0; place < MOST_REPLAYED; ++place) {
        if (at_end(end)) {
            stretch.reached_end = true;
            return stretch;
        }
        const bool breakpoint = looking == Looking::HITS && breakpoint_reached();
        if (!g_debugger.in_interrupt) {
            stretch.first_hold = stretch.first_hold.value_or(place);
            if (looking == Looking::HOLDS || breakpoint || stretch.hit_pending) {
                stretch.last = place;
                stretch.last_hit = stretch.hit_pending ? stretch.pending_hit : HitKind::BREAKPOINT;
                stretch.last_at_breakpoint = breakpoint && !stretch.hit_pending;
                stretch.hit_pending = false;
            }
        } else if (breakpoint) {
            hold_further_on(stretch, HitKind::BREAKPOINT);  // the service runs on to its RTWP first
        }
        if (watching) {
            watch_take();
        }
        replay_instruction();
        if (watching && watch_changed()) {
            hold_further_on(stretch, HitKind::WATCH);
        }
    }
    return stretch;
}

void replay_instructions(uint32_t instructions)
{
    const Quiet quiet;
    const bool checked = g_debug_host.break_here != nullptr;
    for (uint32_t i = 0; i < instructions; ++i) {
        if (checked) {
            breakpoint_reached();
        }
        replay_instruction();
    }
}

bool breakpoint_reached()
{
    const uint16_t pc = g_cpu.PC;
    return breakpoint_at(pc) && (g_debug_host.break_here == nullptr || g_debug_host.break_here(pc));
}
