#include "ui/program_style.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace tarvelle {

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // Two chevrons pointing on, as the style's own picture shows them.
    QPixmap chevrons(16, 16);
    chevrons.fill(Qt::transparent);
    QPainter painter(&chevrons);
    painter.setPen(
        QPen(widget != nullptr ? widget->palette().color(QPalette::ButtonText) : QColor(Qt::black),
             1.5));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const qreal left : {4.0, 8.0}) {
        painter.drawLine(QPointF(left, 4), QPointF(left + 4, 8));
        painter.drawLine(QPointF(left + 4, 8), QPointF(left, 12));
    }
    return QIcon(chevrons);
}

}  // namespace tarvelle
