#include "tools/assets/icon_painter.h"

#include <QPainter>
#include <QSvgGenerator>

#include "tools/assets/piece_painter.h"

namespace tarvelle::assets {
namespace {

constexpr int kBlackElephant = 10;

// Scales the 56-pixel piece up to fill a square of `size` units.
void PaintIconOn(QPainter& painter, double size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kPieceSize, size / kPieceSize);
    PaintPiece(painter, kBlackElephant);
}

}  // namespace

QImage PaintIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    PaintIconOn(painter, size);
    return icon;
}

bool WriteIconSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize({kPieceSize, kPieceSize});
    svg.setViewBox(QRect(0, 0, kPieceSize, kPieceSize));
    svg.setTitle(QStringLiteral("Tarvelle"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    PaintIconOn(painter, kPieceSize);
    return painter.end();
}

}  // namespace tarvelle::assets
