// A host clock that moves only when the program sleeps (or a test moves it),
// installed for one test in place of the system's, so that pacing and
// waiting are tested without really sleeping.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "shell/pacing.h"

class FakeClock {
public:
    // Each fake clock starts later than any before it, as the real one
    // would, so that no deadline an earlier test left lies ahead.
    FakeClock()
    {
        static int64_t start = int64_t{1} << 50;
        now = start += int64_t{1} << 40;
        sleeps.clear();
        after_sleep = nullptr;
        g_host_clock = {[] { return now; }, sleep_until};
    }
    ~FakeClock()
    {
        g_host_clock = saved_;
        pacing_start(0);
        after_sleep = nullptr;
    }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    static inline int64_t now = 0;
    static inline std::vector<int64_t> sleeps;  // every time slept until, in order
    // Called after each sleep with the number of sleeps so far.
    static inline std::function<void(std::size_t)> after_sleep;

private:
    static void sleep_until(int64_t time)
    {
        sleeps.push_back(time);
        now = std::max(now, time);
        if (after_sleep) {
            after_sleep(sleeps.size());
        }
    }

    HostClock saved_ = g_host_clock;
};
