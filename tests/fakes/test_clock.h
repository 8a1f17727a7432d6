// A clock for the engine link's tests. Frozen, it stands still and its sleeps are real but short,
// so an engine answers in its own time. Running, every sleep passes at once and moves the clock on
// by the time asked for, so that ten-second bounds are reached without waiting for them.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/link_clock.h"

namespace tarvelle::testing {

class TestClock final : public LinkClock {
public:
    bool running = false;
    int startSecondsOfDay = 1000;
    std::int64_t elapsedMs = 0;
    // Every sleep longer than the stop wait's 1 ms poll: the pace pauses.
    std::vector<int> pauses;

    int SecondsOfDay() override {
        return static_cast<int>((startSecondsOfDay + elapsedMs / 1000) % 86400);
    }
    std::int64_t SteadyMilliseconds() override { return elapsedMs; }
    void Sleep(int milliseconds) override {
        if (milliseconds > 1) pauses.push_back(milliseconds);
        if (!running) {
            system_.Sleep(std::min(milliseconds, 1));
            return;
        }
        elapsedMs += milliseconds;
        // A wait without an end would otherwise spin the test for ever.
        if (elapsedMs > 3600 * 1000) {
            std::fputs("the test clock ran for an hour: a wait has no end\n", stderr);
            std::abort();
        }
    }

private:
    SystemClock system_;
};

}  // namespace tarvelle::testing
