#include "ui/window_frame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace tarvelle {
namespace {

// The frame the window system draws round our windows, as read off one already on screen.
QMargins FrameOfShownWindow() {
    for (const QWindow* shown : QGuiApplication::topLevelWindows()) {
        if (shown->isVisible() && !shown->frameMargins().isNull()) return shown->frameMargins();
    }
    return {};
}

}  // namespace

void SetFixedFrame(QWidget& window, QSize clientSize, QSize designOuterSize) {
    window.setWindowFlags(window.windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
    window.setFixedSize(clientSize);

    const QMargins frame = FrameOfShownWindow();
    const QSize outer =
        frame.isNull() ? designOuterSize.expandedTo(clientSize) : clientSize.grownBy(frame);
    // A window taller than the screen keeps its title bar on the screen.
    const QRect screen = window.screen()->availableGeometry();
    QRect placed(QPoint(0, 0), outer);
    placed.moveCenter(screen.center());
    // The position of a top-level window is that of its frame's top-left corner.
    window.move(std::max(placed.left(), screen.left()), std::max(placed.top(), screen.top()));
}

}  // namespace tarvelle
