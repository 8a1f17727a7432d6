// The main loop's event pump on Qt: pending events are dispatched, and the idle pause blocks in
// the event dispatcher until an event arrives or a one-millisecond timer fires, so the loop still
// polls the engine every millisecond without spinning.
#pragma once

#include <QTimer>

#include "app/event_pump.h"

namespace tarvelle {

class QtEventPump final : public EventPump {
public:
    QtEventPump();

    void ProcessPendingEvents() override;
    void WaitBriefly() override;

private:
    QTimer tick_;
};

}  // namespace tarvelle
