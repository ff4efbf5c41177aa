// Going back in time on the host: the kept past sized by --rewind, the
// rewind key (Backspace held: each host frame takes the machine back one
// frame and shows that frame's picture), the debugger's keys that go back,
// and the changes the host makes to the machine, which the kept past must
// know of.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rewind/going_back.h"
#include "rewind/timeline.h"

// What the last host frame did with the machine, for the title.
enum class Rewinding : int32_t {
    NO,
    GOING_BACK,
    AT_OLDEST,  // the rewind key is held, and no earlier frame is kept
};
extern Rewinding g_rewinding;

constexpr uint32_t FRAMES_PER_SECOND = 60;

// From the next frame on, the machine's last `frames` frames are kept (0:
// none), in at most `byte_bound` bytes of differences. The machine's keys
// are those the host holds.
void time_travel_start(std::size_t frames, std::size_t byte_bound = TIMELINE_BYTE_BOUND);

// At the start of every host frame: while the rewind key is held (and a
// past is kept), the frame takes the machine back one frame instead of
// running it (true). Once the
// machine runs freely after going back, it holds the keys that the host
// holds.
bool frame_goes_back();

// A key of the emulated keyboard goes down (1) or up (0) on the host's
// word.
void set_machine_key(unsigned key, uint8_t state);

// Backspace while the debugger holds the processor: one instruction back,
// or back to the last breakpoint or watchpoint hit; the overlay says why
// when it cannot.
GoingBack debugger_go_back(bool to_last_hit);
