// Helpers for driving the windows as a user would: clicks delivered to the window at a point (so
// the widget under it is found as for a real click), and answers to modal boxes.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>

#include "ui/hotspot_grid.h"

namespace tarvelle::testing {

// Clicks `point` of `widget` through its top-level window; the window must be shown.
inline void ClickAt(QWidget& widget, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier, widget.mapTo(window, point));
}

// The click targets on `panel` by tag, prototypes included.
inline std::map<QString, QLabel*> HotspotsByTag(QWidget& panel) {
    std::map<QString, QLabel*> hotspots;
    for (QLabel* label : panel.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QVariant tag = label->property(kTagProperty);
        if (tag.isValid()) hotspots[tag.toString()] = label;
    }
    return hotspots;
}

// Runs `action` on the next modal window once it is shown; call it before the blocking call that
// opens the window.
inline void WhenModalShown(std::function<void(QWidget&)> action) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        action(*modal);
    });
    poll->start(5);
}

}  // namespace tarvelle::testing
