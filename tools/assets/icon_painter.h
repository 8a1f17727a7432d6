// The program's icon: Black's elephant piece, 象 as in 象棋, on a clear background.
#pragma once

#include <QImage>
#include <QString>

namespace tarvelle::assets {

// The icon sizes the desktop's icon theme gets as PNG pictures, besides the scalable one.
constexpr int kIconSizes[] = {48, 64, 128, 256};

// The icon as a `size` x `size` picture with an alpha channel. Needs a QGuiApplication.
QImage PaintIcon(int size);

// The icon as an SVG file, drawn by the same painting. False when it cannot be written.
bool WriteIconSvg(const QString& path);

}  // namespace tarvelle::assets
