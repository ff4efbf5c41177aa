#include "rewind/going_back.h"

#include <optional>
#include <vector>

#include "debugger/debug_hooks.h"
#include "debugger/watch.h"
#include "machine/debugger_record.h"
#include "rewind/replay.h"
#include "rewind/timeline_state.h"

namespace {

// A place in the kept past: so many instructions after an entry's moment.
struct Place {
    std::size_t entry;
    uint32_t instructions;
    bool reached_by_running = false;  // a breakpoint here is told to the host's check
};

HitKind last_hit = HitKind::BREAKPOINT;

// The machine goes to `place`; `state` is its entry whole. The entries after
// that one go: the future is run again from there.
void land(const Place& place, const std::vector<uint8_t>& state)
{
    Ring& ring = g_timeline.ring;
    if (place.entry + 1 < ring.size()) {
        ring.cut_after(place.entry, state);
    }
    restore_parts(ring.parts(), ring.reference().data());
    replay_instructions(place.instructions);
    if (place.reached_by_running) {
        breakpoint_reached();
    }
    g_timeline.in_frame = true;
    g_timeline.resting = false;
    g_debugger.stopped = 1;
    debug_machine_moved();
}

bool watched_bytes_differ(const std::vector<uint8_t>& before)
{
    std::vector<uint8_t> now;
    watch_copy(now);
    return now != before;
}

// Replays the kept past backwards, stretch by stretch, from the one the
// machine stands in: the last place found before the machine's own is where
// it goes.
GoingBack go_back(Looking looking)
{
    Ring& ring = g_timeline.ring;
    if (!processor_held()) {
        return GoingBack::NOT_HELD;
    }
    if (!g_timeline.on || ring.empty()) {
        return GoingBack::NOTHING_EARLIER;
    }
    std::vector<uint8_t> saved(ring.state_size());
    capture_parts(ring.parts(), saved.data());
    std::vector<uint8_t> state = ring.reference();
    // The first place the debugger could hold at after the stretch being
    // replayed, with its entry whole and how that entry began.
    std::optional<Place> later;
    std::vector<uint8_t> later_state;
    std::vector<uint8_t> later_watched;
    bool later_frame_start = false;
    std::optional<Position> end = position_now();
    for (std::size_t entry = ring.size() - 1;; --entry) {
        if (entry + 1 < ring.size()) {
            ring.go_back(entry + 1, state);
        }
        restore_parts(ring.parts(), state.data());
        Stretch stretch = replay_stretch(end, looking);
        if (!stretch.reached_end) {
            restore_parts(ring.parts(), saved.data());
            ring.clear();
            debug_machine_moved();
            return GoingBack::LOST;
        }
        // A hit after the stretch's last place (or in the frame's end
        // steps) holds the processor at the first place after it.
        const bool frame_end_hit = looking == Looking::HITS && later_frame_start && any_watch() &&
                                   watched_bytes_differ(later_watched);
        if (later.has_value() && (stretch.hit_pending || frame_end_hit)) {
            last_hit = stretch.hit_pending ? stretch.pending_hit : HitKind::WATCH;
            land(*later, later_state);
            return GoingBack::DONE;
        }
        if (stretch.last.has_value()) {
            // A breakpoint where the machine lands is told as a run arriving
            // there tells it: one instruction back, or at the breakpoint that
            // holds it (not where a change of watched memory holds it).
            last_hit = stretch.last_hit;
            land({entry, *stretch.last, looking == Looking::HOLDS || stretch.last_at_breakpoint}, state);
            return GoingBack::DONE;
        }
        if (stretch.first_hold.has_value()) {
            later = Place{entry, *stretch.first_hold, false};
            later_state = state;
        }
        later_watched = std::move(stretch.watched_at_start);
        later_frame_start = ring.at(entry).frame_start;
        if (entry == 0) {
            break;
        }
        const Entry& before = ring.at(entry - 1);
        end = before.ended ? std::optional<Position>(before.end) : std::nullopt;
    }
    restore_parts(ring.parts(), saved.data());
    debug_machine_moved();
    return looking == Looking::HOLDS ? GoingBack::NOTHING_EARLIER : GoingBack::NO_HIT;
}

}  // namespace

GoingBack step_back_instruction()
{
    return go_back(Looking::HOLDS);
}

GoingBack run_back_to_hit()
{
    return go_back(Looking::HITS);
}

std::string going_back_refusal(GoingBack result)
{
    switch (result) {
    case GoingBack::NOTHING_EARLIER: return stop_reason_text({StopCause::NOTHING_EARLIER, 0});
    case GoingBack::NO_HIT: return stop_reason_text({StopCause::NO_HIT_KEPT, 0});
    case GoingBack::LOST: return stop_reason_text({StopCause::PAST_LOST, 0});
    case GoingBack::DONE:
    case GoingBack::NOT_HELD: break;
    }
    return {};
}

HitKind hit_gone_back_to()
{
    return last_hit;
}
