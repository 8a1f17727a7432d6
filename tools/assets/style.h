// The look of the generated pictures: colours, sizes and the font. Change these and run
// scripts/make-assets.sh to restyle the board and the pieces. Where things lie on the board is
// fixed by the program's cell grid and lives in board_painter.cpp instead.
#pragma once

#include <QRgb>

namespace tarvelle::assets::style {

// The one font for the piece characters and the board's labels.
inline constexpr char kFontFamily[] = "WenQuanYi Zen Hei";

// Board.
inline constexpr QRgb kWood = qRgb(224, 190, 136);
// How far the grain strays from kWood, in steps of the red channel.
inline constexpr double kGrainDepth = 7.0;
inline constexpr QRgb kInk = qRgb(36, 26, 18);
inline constexpr double kDiagonalWidth = 1.3;
// Corner marks of the cannon and pawn points: distance from the lines, arm length, thickness.
inline constexpr int kMarkGap = 3;
inline constexpr int kMarkArm = 8;
inline constexpr int kMarkThickness = 2;
inline constexpr int kLabelPixelSize = 14;

// Pieces, on a 56 x 56 picture centred at (28, 28). Radii in pixels.
inline constexpr double kDiscRadius = 26.5;
inline constexpr double kFaceRadius = 25.0;
inline constexpr QRgb kRim = qRgb(126, 76, 34);
inline constexpr QRgb kFaceLight = qRgb(252, 230, 184);
inline constexpr QRgb kFaceShade = qRgb(222, 180, 118);
inline constexpr double kEngravingRadius = 21.0;
inline constexpr double kEngravingWidth = 1.4;
inline constexpr QRgb kRedInk = qRgb(196, 20, 16);
inline constexpr QRgb kBlackInk = qRgb(28, 28, 28);
inline constexpr int kCharacterPixelSize = 31;
// A thin outline stroke thickens the font's strokes so the characters read at a glance.
inline constexpr double kCharacterOutline = 0.9;

// The selection mark: a ring inside the disc, also drawn alone on an empty point.
inline constexpr QRgb kSelection = qRgb(0, 112, 255);
inline constexpr double kSelectionRadius = 24.0;
inline constexpr double kSelectionWidth = 3.6;

}  // namespace tarvelle::assets::style
