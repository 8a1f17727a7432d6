#include "engine/link_clock.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
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
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SystemClock::WaitForInput(int descriptor, int milliseconds) {
    pollfd input{descriptor, POLLIN, 0};
    const std::int64_t deadline = SteadyMilliseconds() + milliseconds;
    // A signal cuts poll short; wait out the rest. A negative time-out would wait for ever.
    while (poll(&input, 1,
                static_cast<int>(std::max<std::int64_t>(deadline - SteadyMilliseconds(), 0))) < 0 &&
           errno == EINTR) {
    }
}

}  // namespace tarvelle
