// The main loop's event pump on Qt. The idle wait blocks in Qt's event dispatcher until a window
// event arrives or the engine's output becomes readable, watched by a socket notifier, so the
// program wakes only when there is something to do and handles engine output at once.
#pragma once

#include <QSocketNotifier>
#include <memory>

#include "app/event_pump.h"
#include "engine/engine_session.h"

namespace tarvelle {

class QtEventPump final : public EventPump, public OutputWatch {
public:
    void ProcessPendingEvents() override;
    void ProcessEventsOrWait() override;
    void WatchOutput(int descriptor) override;

private:
    // Only the main loop reads the engine's output. The notifier is switched off once it has
    // fired, until the loop waits again, so that unread output does not keep a modal dialog's
    // event loop spinning.
    std::unique_ptr<QSocketNotifier> engineOutput_;
};

}  // namespace tarvelle
