// Real-time pacing against a fake clock: deadlines a frame apart that do not
// drift, a few frames of catching up at most, fast-forward.
#include <gtest/gtest.h>

#include <vector>

#include "fake_clock.h"
#include "shell/pacing.h"

namespace {

constexpr int64_t MS = 1'000'000;
constexpr int64_t FRAME = 16'666'667;  // 1/60 s, in whole nanoseconds

// `count` frames that each take `cost` of host time.
struct Frames {
    int count;
    int64_t cost;
    bool fast_forward = false;
};

TEST(Pacing, Deadlines)
{
    struct Case {
        const char* name;
        double speed;
        std::vector<Frames> run;
        int64_t host_time;  // from the start to the end of the last wait
        std::size_t sleeps;
    };
    const Case cases[] = {
        {"real time: 60 frames a second", 1, {{60, MS}}, 60 * FRAME, 60},
        {"twice real time", 2, {{60, MS}}, 60 * 8'333'333, 60},
        {"a hundredth", 0.01, {{2, MS}}, 2 * int64_t{1'666'666'667}, 2},
        {"unpaced", 0, {{60, MS}}, 60 * MS, 0},
        {"uneven frames keep to the deadlines", 1, {{1, 15 * MS}, {1, MS}, {1, 16 * MS}}, 3 * FRAME, 3},
        {"a host slower than real time never sleeps", 1, {{10, 20 * MS}}, 200 * MS, 0},
        {"two frames behind: caught up", 1, {{1, 5 * FRAME / 2}, {10, MS}}, 11 * FRAME, 9},
        {"a sleeping host is not caught up", 1, {{1, 10'000 * MS}, {10, MS}}, 10'000 * MS + 10 * FRAME, 10},
        {"fast-forward runs unpaced", 1, {{60, MS, true}}, 60 * MS, 0},
        {"after fast-forward, real time without a burst", 1, {{10, MS, true}, {10, MS}}, 10 * MS + 10 * FRAME, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        const int64_t start = FakeClock::now;
        pacing_start(c.speed);
        for (const Frames& frames : c.run) {
            for (int i = 0; i < frames.count; ++i) {
                FakeClock::now += frames.cost;
                const int64_t time = next_frame_time(frames.fast_forward);
                if (time > FakeClock::now) {
                    g_host_clock.sleep_until(time);
                }
            }
        }
        EXPECT_EQ(FakeClock::now - start, c.host_time);
        EXPECT_EQ(FakeClock::sleeps.size(), c.sleeps);
    }
}

}  // namespace
