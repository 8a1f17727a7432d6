// A board's pixels kept in an image: the background picture at the origin, unscaled and clipped,
// the background colour where it does not reach, and piece pictures read from their files at every
// draw and drawn over it. The board panels draw into it and show it.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "board/piece_pictures.h"

namespace tarvelle {

class BoardPixels {
public:
    // `pictures` must outlive the pixels.
    BoardPixels(const PictureFiles& pictures, QSize size, const QImage& background,
                QColor backgroundColour);

    // BoardSurface's two drawing calls; each gives the rectangle it changed.
    QRect ClearCell(int x, int y);
    QRect DrawPicture(int x, int y, int pictureNumber);

    const QImage& Image() const { return image_; }

private:
    const PictureFiles& pictures_;
    QColor backgroundColour_;
    QImage background_;
    QImage image_;
};

}  // namespace tarvelle
