// How the engine link reads the time and lets it pass. The program uses the system's clocks;
// tests replace them, so that bounds of ten seconds pass without ten seconds of waiting.
#pragma once

#include <cstdint>

namespace tarvelle {

class LinkClock {
public:
    virtual ~LinkClock() = default;

    // The time of day in whole seconds, 0..86399; it wraps at midnight.
    virtual int SecondsOfDay() = 0;

    // A count of milliseconds that only moves forward, for bounds on waits.
    virtual std::int64_t SteadyMilliseconds() = 0;

    virtual void Sleep(int milliseconds) = 0;
};

// The clocks of the running program. Its time of day is counted on the steady clock, so that
// setting the system time or a change of daylight saving time never cuts a wait short. Pauses
// end on time, to well under a millisecond.
class SystemClock final : public LinkClock {
public:
    int SecondsOfDay() override;
    std::int64_t SteadyMilliseconds() override;
    void Sleep(int milliseconds) override;
};

}  // namespace tarvelle
