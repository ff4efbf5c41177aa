// The debugger's ways back, while it holds the processor: one instruction
// back, or back to the last place where a breakpoint or a watchpoint held
// it, within the kept past (rewind/timeline.h). Either way the machine is
// then exactly what it was there, and stepping on from there runs it as it
// ran. The stretches replayed on the way print nothing and stop nowhere; the
// host's check hears of every breakpoint reached on the way to where the
// machine lands, as a run would have asked it there (the debug adapter keeps
// its hit counts with the machine, so that they count from the counts then).
#pragma once

#include <cstdint>
#include <string>

enum class GoingBack {
    DONE,
    NOT_HELD,         // the debugger does not hold the processor
    NOTHING_EARLIER,  // the oldest place kept, or nothing kept
    NO_HIT,           // no breakpoint or watchpoint held it within the kept past
    LOST,             // the kept past does not lead to the machine as it stands: it is dropped
};

// The place before the last instruction the processor executed outside an
// interrupt service: F1 from there comes back here.
GoingBack step_back_instruction();

// The last place, before this one, where a breakpoint or a watchpoint would
// have held the processor: a breakpoint's address reached and let stop by the
// host's check (DebugHost::break_here, asked as the machine stood there), or
// the first place after a watched byte changed (after the service's RTWP for
// a change in an interrupt service, or in the frame's end steps).
GoingBack run_back_to_hit();

// Why the machine did not go back, in the debugger's words for a hold;
// empty when it did (or when the debugger does not hold the processor).
std::string going_back_refusal(GoingBack result);

// What would have held the processor where the last run back went to.
enum class HitKind : uint8_t { BREAKPOINT, WATCH };
HitKind hit_gone_back_to();
