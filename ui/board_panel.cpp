#include "ui/board_panel.h"

#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

#include "assets/board_picture.h"
#include "board/cell_geometry.h"
#include "ui/picture_file.h"

namespace tarvelle {

QImage BoardPicture() {
    // Told its format, and not to guess it, the reader uses Qt's own BMP reader at once; guessing,
    // it would first load every image plugin installed to ask each whether it reads BMP, the SVG
    // one with the Qt SVG library, and that at every start.
    QImageReader reader(QString::fromLatin1(kBoardPictureResource), "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

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
    const QImage picture = ReadColourKeyedPicture(pictures_.Locate(pictureNumber).c_str());
    if (picture.isNull()) return;
    QPainter painter(&pixels_);
    painter.drawImage(QPoint(x, y), picture);
    update(QRect(QPoint(x, y), picture.size()));
}

void BoardPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), pixels_, event->rect());
}

}  // namespace tarvelle
