#include "shell/pacing.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int64_t system_now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

void system_sleep_until(int64_t time)
{
    std::this_thread::sleep_until(Clock::time_point(std::chrono::nanoseconds(time)));
}

int64_t g_frame_time = 0;  // nanoseconds per frame; 0: unpaced
int64_t g_deadline = 0;    // when the frame that runs now should end

}  // namespace

HostClock g_host_clock{system_now, system_sleep_until};

void pacing_start(double speed)
{
    g_frame_time = speed > 0 ? std::llround(NANOSECONDS_PER_SECOND / (REAL_TIME_FRAMES_PER_SECOND * speed)) : 0;
    pacing_restart();
}

void pacing_restart()
{
    g_deadline = g_host_clock.now() + g_frame_time;
}

int64_t next_frame_time(bool fast_forward)
{
    const int64_t now = g_host_clock.now();
    if (g_frame_time == 0) {
        return now;
    }
    if (fast_forward || now - g_deadline > MOST_FRAMES_TO_CATCH_UP * g_frame_time) {
        g_deadline = now + g_frame_time;
        return now;
    }
    const int64_t start = g_deadline;
    g_deadline += g_frame_time;
    return start;
}
