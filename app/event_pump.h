// How the main loop hands control to the window system between engine polls.
#pragma once

namespace tarvelle {

class EventPump {
public:
    virtual ~EventPump() = default;

    // Dispatches every pending window event, then returns.
    virtual void ProcessPendingEvents() = 0;

    // The idle step's pump and pause in one: dispatches the pending window events, or when there
    // are none waits at most about one millisecond for one to arrive and dispatches that.
    virtual void ProcessEventsOrWaitBriefly() = 0;
};

}  // namespace tarvelle
