// How the main loop hands control to the window system between engine polls.
#pragma once

#include <cstdint>
#include <optional>

namespace tarvelle {

class EventPump {
public:
    virtual ~EventPump() = default;

    // Dispatches every pending window event, then returns.
    virtual void ProcessPendingEvents() = 0;

    // The idle step's pump: dispatches the pending window events, or when there are none sleeps
    // until a window event arrives, the engine writes, the trainer's solver answers or, when
    // given, `wakeInMs` have passed, and dispatches what came.
    virtual void ProcessEventsOrWait(std::optional<std::int64_t> wakeInMs) = 0;
};

}  // namespace tarvelle
