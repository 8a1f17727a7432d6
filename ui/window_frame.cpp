#include "ui/window_frame.h"

#include <QScreen>
#include <algorithm>

namespace tarvelle {

void SetFixedFrame(QWidget& window, QSize size) {
    window.setWindowFlags(window.windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
    window.setFixedSize(size);
    // A window taller than the screen keeps its title bar on the screen.
    const QRect screen = window.screen()->availableGeometry();
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(screen.center());
    window.move(std::max(placed.left(), screen.left()), std::max(placed.top(), screen.top()));
}

}  // namespace tarvelle
