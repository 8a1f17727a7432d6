// The 30 pictures of a board point: empty, the 14 pieces, and each of them selected.
#pragma once

#include <QImage>
#include <QPainter>

namespace tarvelle::assets {

constexpr int kPieceSize = 56;
constexpr int kPiecePictureCount = 30;

// Piece `kind` (1..14, numbered as the pictures) on a 56 x 56 canvas: rim, shaded face, engraved
// ring and character, antialiased against whatever the canvas holds.
void PaintPiece(QPainter& painter, int kind);

// Picture 0..29 as a 56 x 56 RGB32 image in the program's numbering: 0 empty, 1..7 Red king,
// advisor, elephant, horse, chariot, cannon, pawn, 8..14 Black's in the same order, plus 15 for
// the selected form. Pure white wherever the board is to show through; every other pixel is
// blended against the board's wood, never against white, and is never pure white itself. Every
// picture stays inside the footprint of the plain pieces' disc. Needs a QGuiApplication.
QImage PaintPiecePicture(int number);

}  // namespace tarvelle::assets
