// How the main loop hands control to the window system between engine polls.
#pragma once

namespace tarvelle {

class EventPump {
public:
    virtual ~EventPump() = default;

    // Dispatches every pending window event, then returns.
    virtual void ProcessPendingEvents() = 0;

    // The idle step's pump: dispatches the pending window events, or when there are none sleeps
    // until a window event arrives or the engine writes, and dispatches what came.
    virtual void ProcessEventsOrWait() = 0;
};

}  // namespace tarvelle
