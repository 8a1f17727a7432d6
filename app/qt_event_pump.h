// The main loop's event pump on Qt. The idle wait blocks in Qt's event dispatcher until a window
// event arrives or the engine's output becomes readable, watched by a socket notifier, or another
// thread wakes it, or the time the loop gave runs out; so the program wakes only when there is
// something to do and handles engine output at once.
//
// While the engine is being started, its lines are read as soon as they come, in whatever event
// loop runs, the side question's and other modal boxes' included, and a one-shot timer ends the
// start when its bound runs out. So the window never waits for the engine, and a user who takes
// a while over the first question does not cost a prompt engine its start.
#pragma once

#include <QSocketNotifier>
#include <QTimer>
#include <memory>

#include "app/event_pump.h"
#include "engine/engine_link.h"
#include "engine/engine_session.h"

namespace tarvelle {

class QtEventPump final : public EventPump, public OutputWatch {
public:
    QtEventPump();

    void ProcessPendingEvents() override;
    void ProcessEventsOrWait(std::optional<std::int64_t> wakeInMs) override;
    void WatchOutput(int descriptor) override;

    // Ends the idle wait that runs now or comes next. Any thread may call it.
    void Wake();

    // Carries `link`'s start on until it ends (Ready or lost); nullptr lets go of it.
    void FollowEngineStart(EngineLink* link);

private:
    void ContinueStart();
    // Arms the timer for what is left of the start's bound, or lets go once the start is over.
    void TimeStart();

    // Only the main loop reads the engine's output once the engine has started. The notifier is
    // switched off once it has fired, until the loop waits again, so that unread output does not
    // keep a modal dialog's event loop spinning.
    std::unique_ptr<QSocketNotifier> engineOutput_;
    // A notifier given up inside its own signal, deleted at the next pump.
    std::unique_ptr<QSocketNotifier> retiredOutput_;
    EngineLink* startingLink_ = nullptr;
    QTimer startBound_;
    QTimer idleBound_;
    // Receives the events that Wake posts; they do nothing but end the wait.
    QObject wakeTarget_;
};

}  // namespace tarvelle
