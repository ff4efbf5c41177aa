// A host clock that moves only when the program sleeps (or a test moves it),
// installed for one test in place of the system's, so that pacing and
// waiting are tested without really sleeping.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class FakeClock {
public:
    FakeClock();
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    static int64_t now;
    static std::vector<int64_t> sleeps;  // every time slept until, in order
    // Called after each sleep with the number of sleeps so far.
    static std::function<void(std::size_t)> after_sleep;
};
