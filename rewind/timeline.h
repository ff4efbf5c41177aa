// The machine's recent past, kept while it runs so that it can go back: a
// snapshot as every frame begins, and one at every change the host makes to
// the machine within a frame (a key let go while the debugger holds the
// processor, a state file loaded, a reset). Between two snapshots the
// machine runs by itself, so any moment between them is found again by
// replaying from the first. The host calls the hooks below at those points;
// while nothing is kept they cost one test each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "machine/record_parts.h"

// The most the kept past takes: 48 MB of differences, whatever the program
// writes, and about 1 MB besides.
constexpr std::size_t TIMELINE_BYTE_BOUND = std::size_t{48} << 20;

// Keeps the last `frames` frames of the machine (bus/machine.h's parts)
// and of `more_parts` (records of the layers above that follow the
// machine), from the next frame on; 0 frames keeps none.
void timeline_start(std::size_t frames, std::span<const RecordPart> more_parts,
                    std::size_t byte_bound = TIMELINE_BYTE_BOUND);
void timeline_stop();
bool timeline_on();

// Records of the layers above that go back in time with the machine as well
// (the debug adapter's hit counts): kept from the next frame on, beside the
// parts named at the start; what was kept so far is dropped.
void timeline_keep_also(std::span<const RecordPart> parts);

// A frame begins (after its cycle count is set to 0) and its instructions
// end, before the frame's end steps.
void timeline_frame_begins(uint64_t frame);
void timeline_frame_ends();

// Around a change the host makes to the machine's records.
void timeline_change_begins();
void timeline_change_ends();

// Makes `change` to the machine's records where the kept past sees it.
template <typename Change>
void timeline_change(Change change)
{
    timeline_change_begins();
    change();
    timeline_change_ends();
}

// Puts the machine back to the start of the frame before the moment it
// stands at: false, changing nothing, when no earlier frame is kept.
bool timeline_back_one_frame();

// How far back the kept past reaches: the host frame in which its oldest
// frame ran, and how many frames it holds.
struct KeptPast {
    uint64_t oldest_frame;
    std::size_t frames;
};
KeptPast kept_past();

// Bytes allocated for the kept past.
std::size_t timeline_bytes();
