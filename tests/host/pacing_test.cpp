// Real-time pacing against a fake clock: deadlines a frame apart that do not
// drift, a few frames of catching up at most, fast-forward; and the frame
// loop's pause, which sleeps between looks at the event queue.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/debugger.h"
#include "fake_clock.h"
#include "host_machine.h"
#include "overlay_screen.h"
#include "shell/events.h"
#include "shell/frame_loop.h"
#include "shell/pacing.h"
#include "shell/title.h"

namespace {

constexpr int64_t MS = 1'000'000;
constexpr int64_t FRAME = 16'666'667;  // 1/60 s, in whole nanoseconds

struct Frame {
    int64_t cost;  // host time the frame takes
    bool fast_forward;
};

std::vector<Frame> frames(int count, int64_t cost, bool fast_forward = false)
{
    return std::vector<Frame>(static_cast<std::size_t>(count), Frame{cost, fast_forward});
}

std::vector<Frame> operator+(std::vector<Frame> a, const std::vector<Frame>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Pacing, Deadlines)
{
    struct Case {
        const char* name;
        double speed;
        std::vector<Frame> run;
        int64_t host_time;  // from the start to the end of the last wait
        std::size_t sleeps;
    };
    const Case cases[] = {
        {"real time: 60 frames a second", 1, frames(60, MS), 60 * FRAME, 60},
        {"twice real time", 2, frames(60, MS), 60 * 8'333'333, 60},
        {"a hundredth", 0.01, frames(2, MS), 2 * int64_t{1'666'666'667}, 2},
        {"unpaced", 0, frames(60, MS), 60 * MS, 0},
        {"uneven frames keep to the deadlines", 1, frames(1, 15 * MS) + frames(1, MS) + frames(1, 16 * MS), 3 * FRAME, 3},
        {"a host slower than real time never sleeps", 1, frames(10, 20 * MS), 200 * MS, 0},
        {"two frames behind: caught up", 1, frames(1, 5 * FRAME / 2) + frames(10, MS), 11 * FRAME, 9},
        {"a sleeping host is not caught up", 1, frames(1, 10'000 * MS) + frames(10, MS), 10'000 * MS + 10 * FRAME, 10},
        {"fast-forward runs unpaced", 1, frames(60, MS, true), 60 * MS, 0},
        {"after fast-forward, real time without a burst", 1, frames(10, MS, true) + frames(10, MS), 10 * MS + 10 * FRAME, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        const int64_t start = FakeClock::now;
        pacing_start(c.speed);
        for (const Frame& frame : c.run) {
            FakeClock::now += frame.cost;
            const int64_t time = next_frame_time(frame.fast_forward);
            if (time > FakeClock::now) {
                g_host_clock.sleep_until(time);
            }
        }
        EXPECT_EQ(FakeClock::now - start, c.host_time);
        EXPECT_EQ(FakeClock::sleeps.size(), c.sleeps);
    }
}

constexpr uint16_t NOP = 0x1000;  // 10 cycles
constexpr int NOPS_PER_FRAME = (CYCLES_PER_FRAME + 9) / 10;

void start_nop_machine()
{
    start_overlay_machine();
    for (Location at = 0x0100; at < 0x8000; at = static_cast<Location>(at + 2)) {
        poke_words(at, {NOP});
    }
}

int nops_run()
{
    return (g_cpu.PC - 0x0100) / 2;
}

// F3 pauses between frames: the loop then sleeps, looking at the events
// between sleeps, until F3 again; Escape ends it paused or not.
TEST(Pause, SleepsBetweenFrames)
{
    start_nop_machine();
    FakeClock clock;
    pacing_start(1);
    std::string title_paused;
    FakeClock::after_sleep = [&](std::size_t sleeps) {
        if (sleeps == 1) {
            title_paused = title_text();
        } else if (sleeps == 3) {
            push_key(SDLK_F3);
        } else if (sleeps == 4) {
            push_key(SDLK_ESCAPE);
        }
    };
    push_key(SDLK_F3);
    frame_loop();
    EXPECT_EQ(title_paused, "pavon - paused");
    EXPECT_EQ(nops_run(), 3 * NOPS_PER_FRAME) << "one frame, the pause, two frames";
    ASSERT_EQ(FakeClock::sleeps.size(), 4u);
    EXPECT_EQ(FakeClock::sleeps[1] - FakeClock::sleeps[0], EVENT_WAIT_TIME);
    EXPECT_EQ(FakeClock::sleeps[3] - FakeClock::sleeps[2], FRAME) << "paced again from the end of the pause";
    EXPECT_EQ(g_paused, 0);
    EXPECT_STREQ(title_text(), "pavon");
}

}  // namespace
