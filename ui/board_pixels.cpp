#include "ui/board_pixels.h"

#include <QPainter>

#include "board/cell_geometry.h"
#include "ui/picture_file.h"

namespace tarvelle {

BoardPixels::BoardPixels(const PictureFiles& pictures, QSize size, const QImage& background,
                         QColor backgroundColour)
    : pictures_(pictures),
      backgroundColour_(backgroundColour),
      background_(background.convertToFormat(QImage::Format_RGB32)),
      image_(size, QImage::Format_RGB32) {
    image_.fill(backgroundColour_);
    QPainter painter(&image_);
    painter.drawImage(QPoint(0, 0), background_);
}

QRect BoardPixels::ClearCell(int x, int y) {
    const QRect cell(x, y, kCellSize, kCellSize);
    const QRect covered = cell & background_.rect();
    QPainter painter(&image_);
    painter.fillRect(cell, backgroundColour_);
    if (!covered.isEmpty()) painter.drawImage(covered.topLeft(), background_, covered);
    return cell;
}

QRect BoardPixels::DrawPicture(int x, int y, int pictureNumber) {
    const QImage picture = ReadColourKeyedPicture(pictures_.Locate(pictureNumber).c_str());
    if (picture.isNull()) return {};
    QPainter painter(&image_);
    painter.drawImage(QPoint(x, y), picture);
    return QRect(QPoint(x, y), picture.size());
}

}  // namespace tarvelle
