#include "rewind/timeline.h"

#include <vector>

#include "bus/machine.h"
#include "rewind/timeline_state.h"

Timeline g_timeline;

void timeline_start(std::size_t frames, std::span<const RecordPart> more_parts, std::size_t byte_bound)
{
    timeline_stop();
    if (frames == 0) {
        return;
    }
    std::vector<RecordPart> parts(machine_parts().begin(), machine_parts().end());
    parts.insert(parts.end(), more_parts.begin(), more_parts.end());
    g_timeline.ring.start(parts, frames, byte_bound);
    g_timeline.frames = frames;
    g_timeline.byte_bound = byte_bound;
    g_timeline.on = true;
}

void timeline_keep_also(std::span<const RecordPart> more_parts)
{
    Timeline& t = g_timeline;
    if (!t.on) {
        return;
    }
    std::vector<RecordPart> parts(t.ring.parts().begin(), t.ring.parts().end());
    parts.insert(parts.end(), more_parts.begin(), more_parts.end());
    t.ring.start(parts, t.frames, t.byte_bound);
    t.in_frame = false;
    t.resting = false;
    t.change_pending = false;
}

void timeline_stop()
{
    g_timeline = Timeline{};  // the ring's memory goes with it
}

bool timeline_on()
{
    return g_timeline.on;
}

void timeline_frame_begins(uint64_t frame)
{
    Timeline& t = g_timeline;
    if (!t.on) {
        return;
    }
    // Put back to the newest entry, the machine stands at that entry's
    // moment again: it is taken anew, as it stands now.
    if (t.resting) {
        t.ring.pop();
    }
    t.frame = frame;
    t.ring.push(frame, true);
    t.in_frame = true;
    t.resting = false;
}

namespace {

// Within a frame's instructions, the stretch of the run from the newest
// entry ends where the machine stands (true); outside them there is none.
bool end_newest_stretch(Timeline& t)
{
    if (!t.on || !t.in_frame || t.ring.empty()) {
        return false;
    }
    t.ring.newest().ended = true;
    t.ring.newest().end = position_now();
    return true;
}

}  // namespace

void timeline_frame_ends()
{
    end_newest_stretch(g_timeline);
    g_timeline.in_frame = false;
}

// Outside a frame's instructions the next frame's snapshot takes the change
// in; within them, the stretch from the newest entry ends here, and a new
// entry begins with the change made.
void timeline_change_begins()
{
    if (end_newest_stretch(g_timeline)) {
        g_timeline.change_pending = true;
    }
}

void timeline_change_ends()
{
    Timeline& t = g_timeline;
    if (t.change_pending) {
        t.change_pending = false;
        t.ring.push(t.frame, false);
    }
}

bool timeline_back_one_frame()
{
    Timeline& t = g_timeline;
    Ring& ring = t.ring;
    if (!t.on || ring.empty() || (t.resting && ring.size() == 1)) {
        return false;
    }
    if (t.resting) {
        ring.pop();
    }
    while (!ring.newest().frame_start && ring.size() > 1) {
        ring.pop();
    }
    restore_parts(ring.parts(), ring.reference().data());
    t.resting = true;
    t.in_frame = false;
    return true;
}

KeptPast kept_past()
{
    const Ring& ring = g_timeline.ring;
    return {ring.empty() ? 0 : ring.at(0).frame, ring.frames_kept()};
}

std::size_t timeline_bytes()
{
    return g_timeline.ring.bytes_held();
}
