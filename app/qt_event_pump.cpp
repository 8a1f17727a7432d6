#include "app/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tarvelle {

void QtEventPump::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::ProcessEventsOrWait() {
    // The loop has just found no engine line waiting, so readable output from here on is new.
    if (engineOutput_) engineOutput_->setEnabled(true);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::WatchOutput(int descriptor) {
    engineOutput_.reset();
    if (descriptor < 0) return;
    engineOutput_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    QObject::connect(engineOutput_.get(), &QSocketNotifier::activated, engineOutput_.get(),
                     [notifier = engineOutput_.get()] { notifier->setEnabled(false); });
}

}  // namespace tarvelle
