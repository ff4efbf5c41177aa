#include "fake_clock.h"

#include <algorithm>

#include "shell/pacing.h"

int64_t FakeClock::now = 0;
std::vector<int64_t> FakeClock::sleeps;
std::function<void(std::size_t)> FakeClock::after_sleep;

namespace {

HostClock g_saved_clock;

int64_t fake_now()
{
    return FakeClock::now;
}

void fake_sleep_until(int64_t time)
{
    FakeClock::sleeps.push_back(time);
    FakeClock::now = std::max(FakeClock::now, time);
    if (FakeClock::after_sleep) {
        FakeClock::after_sleep(FakeClock::sleeps.size());
    }
}

}  // namespace

FakeClock::FakeClock()
{
    // Each fake clock starts later than any clock before it, as the real one
    // would, so that no deadline that an earlier test left lies ahead.
    static int64_t start = int64_t{1} << 50;
    start += int64_t{1} << 40;
    now = start;
    sleeps.clear();
    after_sleep = nullptr;
    g_saved_clock = g_host_clock;
    g_host_clock = {fake_now, fake_sleep_until};
}

FakeClock::~FakeClock()
{
    g_host_clock = g_saved_clock;
    pacing_start(0);
    after_sleep = nullptr;
}
