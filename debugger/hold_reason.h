// Why the debugger holds the processor, told the same way on every road:
// the headless run's stop line, the debug adapter, the window's title and
// (in capitals) the overlay's last line.
#pragma once

#include <cstdint>
#include <string>

enum class StopCause : uint8_t {
    NONE,             // no reason noted: "stopped" (the debug adapter's pause, say)
    STOP_KEY,         // F1
    BREAKPOINT,       // `address`: where
    WATCHPOINT,
    STEP_OVER_ENDED,
    STEP_ENDED,       // a step that its starter ended (debugger_step_until)
    ROM_WRITE,
    ODD_WORKSPACE,    // `address`: the workspace pointer
    ENDLESS_FRAME,    // a frame whose instructions spend no cycles
    // Why a way back in time left the machine where it was.
    NOTHING_EARLIER,
    NO_HIT_KEPT,
    PAST_LOST,
};

struct StopReason {
    StopCause cause = StopCause::NONE;
    uint16_t address = 0;
};

// A frame whose instructions spend no cycles never ends; the words are also
// how the debug adapter knows that stop.
inline constexpr char ENDLESS_FRAME_REASON[] = "an endless loop of instructions that use no cycles";

// The words for a reason, the one place they are decided.
std::string stop_reason_text(StopReason reason);

// The hold that begins now is for `reason`.
void hold_reason_note(StopReason reason);

// The machine's own stop (a byte written into ROM, an odd workspace
// pointer), or NONE.
StopReason machine_stop_reason();

// The reason of the hold in progress: the one noted, or else the machine's
// own stop, or NONE.
StopReason hold_reason();

// The processor runs again: the next hold needs a reason of its own.
void hold_reason_clear();
