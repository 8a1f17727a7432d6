// The main loop's event pump on Qt. The idle pause blocks in the event dispatcher until an event
// arrives or a one-millisecond timer fires, so the loop still polls the engine every millisecond
// without spinning, and an event is handled as soon as it arrives rather than after a sleep.
#pragma once

#include <QTimer>

#include "app/event_pump.h"

namespace tarvelle {

class QtEventPump final : public EventPump {
public:
    QtEventPump();

    void ProcessPendingEvents() override;
    void ProcessEventsOrWaitBriefly() override;

private:
    QTimer tick_;
};

}  // namespace tarvelle
