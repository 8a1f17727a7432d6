#include "app/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tarvelle {

QtEventPump::QtEventPump() {
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(1);
}

void QtEventPump::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::ProcessEventsOrWaitBriefly() {
    if (!tick_.isActive()) tick_.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace tarvelle
