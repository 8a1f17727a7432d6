// How the main loop hands control to the window system between engine polls.
#pragma once

namespace tarvelle {

class EventPump {
public:
    virtual ~EventPump() = default;

    // Dispatches every pending window event, then returns.
    virtual void ProcessPendingEvents() = 0;

    // The idle pause: returns after at most about one millisecond, early when a window event
    // arrives, which is then dispatched.
    virtual void WaitBriefly() = 0;
};

}  // namespace tarvelle
