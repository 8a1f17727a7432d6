// The empty board behind the program's cells.
#pragma once

#include <QImage>

namespace tarvelle::assets {

constexpr int kBoardWidth = 521;
constexpr int kBoardHeight = 577;

// The 521 x 577 board as an RGB32 picture: wood, lines, frame, palaces, point marks, river and
// the file letters and rank digits. Needs a QGuiApplication for the label font.
QImage PaintBoard();

}  // namespace tarvelle::assets
