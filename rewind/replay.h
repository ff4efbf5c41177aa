// Replaying a stretch of the kept past: from an entry's moment the machine
// runs again as it ran then, quietly (no bus diagnostic, message, trace or
// watch line, and no stop), while the places where the debugger could hold
// the processor are looked at: every place between two instructions outside
// an interrupt service.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rewind/going_back.h"
#include "rewind/ring.h"

enum class Looking {
    HOLDS,  // every place the debugger could hold the processor at
    HITS,   // the places where a breakpoint or a watchpoint would have held it
};

struct Stretch {
    bool reached_end = false;              // false: the end never came, the past is not the machine's
    std::optional<uint32_t> last;          // the last place found, in instructions from the start
    HitKind last_hit = HitKind::BREAKPOINT;
    bool last_at_breakpoint = false;       // `last` is a breakpoint's own place, reached there
    std::optional<uint32_t> first_hold;    // the first place the debugger could hold at
    bool hit_pending = false;              // a hit after the last such place: it holds further on
    HitKind pending_hit = HitKind::BREAKPOINT;
    std::vector<uint8_t> watched_at_start; // the watched bytes at the start (looking for hits)
};

// Runs the machine from where it stands up to `end` (excluded), or to the
// frame's budget when no end is known.
Stretch replay_stretch(std::optional<Position> end, Looking looking);

// Runs `instructions` instructions, quietly, the breakpoints reached on
// the way told to the host's check as a run tells it.
void replay_instructions(uint32_t instructions);

// A breakpoint reached at the place the machine stands, told to the host's
// check as a run arriving there tells it; whether it would stop there.
bool breakpoint_reached();
