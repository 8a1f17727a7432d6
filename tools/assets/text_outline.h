// Text as filled outlines in the pictures' font: no hinting or sub-pixel effects, so the result
// depends only on the font's outlines.
#pragma once

#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QString>

namespace tarvelle::assets {

QFont PictureFont(int pixelSize);

// The outline of text moved so that its ink is centred horizontally on centre.x() and the
// vertical middle of `heightReference`'s ink (same font) lies on centre.y(). Passing the text
// itself centres it both ways; passing a fixed reference keeps a row of labels on one baseline.
QPainterPath CentredText(const QString& text, const QString& heightReference, int pixelSize,
                         QPointF centre);

}  // namespace tarvelle::assets
