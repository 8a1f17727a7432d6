// The windows' edit boxes: multi-line, wrapped at the box's width, no scroll bars, black on white.
#pragma once

#include <QPlainTextEdit>
#include <QRect>
#include <QString>

namespace tarvelle {

// The text both FEN boxes are defined with: the puzzle the program opens on.
inline constexpr char kStoredFenText[] =
    "3a2b2/1P1k5/2Pab4/7RC/9/9/2P2c3/2NA5/3KAr3/cnn1r4 w - - 0 0";

// An edit box named `name` at `geometry` of `parent`, holding `text`.
QPlainTextEdit* CreateEditBox(QWidget& parent, const QString& name, const QRect& geometry,
                              const QString& text);

}  // namespace tarvelle
