#include "ui/board_panel.h"

#include <QFile>
#include <QPaintEvent>
#include <QPainter>

#include "board/cell_geometry.h"

namespace tarvelle {
namespace {

constexpr QRgb kWhite = 0x00FFFFFFu;

// The picture with its pure white pixels made fully transparent, ready to be painted over the
// panel; pixels the file already marks transparent stay so.
QImage ColourKeyed(const QImage& picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & kWhite) == kWhite) line[x] = 0;
        }
    }
    return keyed;
}

}  // namespace

BoardPanel::BoardPanel(const PictureFiles& pictures, QSize size, const QImage& background,
                       QWidget* parent)
    : QWidget(parent),
      pictures_(pictures),
      backgroundColour_(palette().color(QPalette::Window)),
      background_(background.convertToFormat(QImage::Format_RGB32)),
      pixels_(size, QImage::Format_RGB32) {
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    // Every pixel is painted from the backing image, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    pixels_.fill(backgroundColour_);
    QPainter painter(&pixels_);
    painter.drawImage(QPoint(0, 0), background_);
}

void BoardPanel::ClearCell(int x, int y) {
    const QRect cell(x, y, kCellSize, kCellSize);
    const QRect covered = cell & background_.rect();
    QPainter painter(&pixels_);
    painter.fillRect(cell, backgroundColour_);
    if (!covered.isEmpty()) painter.drawImage(covered.topLeft(), background_, covered);
    update(cell);
}

void BoardPanel::DrawPicture(int x, int y, int pictureNumber) {
    const QImage picture(QFile::decodeName(pictures_.Locate(pictureNumber).c_str()));
    if (picture.isNull()) return;
    QPainter painter(&pixels_);
    painter.drawImage(QPoint(x, y), ColourKeyed(picture));
    update(QRect(QPoint(x, y), picture.size()));
}

void BoardPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), pixels_, event->rect());
}

}  // namespace tarvelle
