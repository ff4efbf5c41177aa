// Real-time speed. Each frame has a deadline one frame's time after the last
// one's, so rounding and late wake-ups never add up to a drift; the host
// clock is a pair of functions that tests replace with a clock of their own.
#pragma once

#include <cstdint>

// Real time: one frame of CYCLES_PER_FRAME cycles per video-chip field.
constexpr double REAL_TIME_FRAMES_PER_SECOND = 60;

// Behind its deadlines by more than this many frames (a busy host, a laptop
// that slept), the pacing starts again from now instead of catching up.
constexpr int64_t MOST_FRAMES_TO_CATCH_UP = 3;

constexpr int64_t NANOSECONDS_PER_SECOND = 1'000'000'000;

struct HostClock {
    int64_t (*now)();                   // nanoseconds on a clock that never goes back
    void (*sleep_until)(int64_t time);  // returns at `time` or a little after
};

// The system's monotonic clock.
extern HostClock g_host_clock;

// Paces the frames at `speed` times real time from now on; a speed of 0
// leaves them unpaced.
void pacing_start(double speed);

// The first deadline is one frame from now: after a pause, or when the
// processor was held.
void pacing_restart();

// Called after every frame: the time the next frame may start, which is
// now or earlier when frames are unpaced, fast-forwarded or behind.
int64_t next_frame_time(bool fast_forward);
