#include "engine/link_clock.h"

#include <chrono>
#include <thread>

namespace tarvelle {

int SystemClock::SecondsOfDay() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<int>(seconds.count() % 86400);
}

std::int64_t SystemClock::SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SystemClock::Sleep(int milliseconds) {
    // A sleeping thread wakes a fraction of a millisecond late, more on a loaded or virtual
    // machine. Long pauses end with a short spin instead, so that the engine's move shows when
    // its pause is over and not later; the 1 ms polls of the stop wait just sleep.
    constexpr auto kSpin = std::chrono::milliseconds(2);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    if (milliseconds <= 2 * kSpin.count()) {
        std::this_thread::sleep_until(end);
        return;
    }
    std::this_thread::sleep_until(end - kSpin);
    while (std::chrono::steady_clock::now() < end) {
    }
}

}  // namespace tarvelle
