#include "app/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <limits>

namespace tarvelle {

QtEventPump::QtEventPump() {
    startBound_.setSingleShot(true);
    startBound_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&startBound_, &QTimer::timeout, [this] { ContinueStart(); });
    // Its timeout event is what ends the wait.
    idleBound_.setSingleShot(true);
    idleBound_.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::ProcessPendingEvents() {
    retiredOutput_.reset();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::ProcessEventsOrWait(std::optional<std::int64_t> wakeInMs) {
    retiredOutput_.reset();
    // The main loop may have read the start's last line itself; then the timer has no more use.
    TimeStart();
    // The loop has just found no engine line waiting, so readable output from here on is new.
    if (engineOutput_) engineOutput_->setEnabled(true);
    if (wakeInMs) {
        idleBound_.start(static_cast<int>(
            std::clamp<std::int64_t>(*wakeInMs, 0, std::numeric_limits<int>::max())));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    idleBound_.stop();
}

void QtEventPump::Wake() {
    QCoreApplication::postEvent(&wakeTarget_, new QEvent(QEvent::User));
}

void QtEventPump::WatchOutput(int descriptor) {
    // This may run inside the notifier's own signal: it is switched off now, before its
    // descriptor is closed, and deleted once that signal is over.
    if (engineOutput_) {
        engineOutput_->setEnabled(false);
        retiredOutput_ = std::move(engineOutput_);
    }
    if (descriptor < 0) return;
    engineOutput_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    QSocketNotifier* notifier = engineOutput_.get();
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this, notifier] {
        notifier->setEnabled(false);
        if (startingLink_ == nullptr) return;
        ContinueStart();
        // Everything written so far has been read: watch on for the rest of the start.
        if (startingLink_ != nullptr && notifier == engineOutput_.get()) notifier->setEnabled(true);
    });
}

void QtEventPump::FollowEngineStart(EngineLink* link) {
    startingLink_ = link;
    TimeStart();
}

void QtEventPump::ContinueStart() {
    if (startingLink_ != nullptr) startingLink_->ContinueStart();
    TimeStart();
}

void QtEventPump::TimeStart() {
    const std::optional<std::int64_t> left =
        startingLink_ != nullptr ? startingLink_->StartMillisecondsLeft() : std::nullopt;
    if (!left) {
        startingLink_ = nullptr;
        startBound_.stop();
        return;
    }
    // The link decides by its own clock; should the timer fire a little early, it is armed again.
    startBound_.start(static_cast<int>(std::max<std::int64_t>(*left, 1)));
}

}  // namespace tarvelle
