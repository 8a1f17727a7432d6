// Modal message boxes over a window of the program, with Chinese buttons.
#pragma once

#include <QString>
#include <QWidget>

#include "game/game_screen.h"

namespace tarvelle {

// Information icon and an OK button ("确定"); returns when the box is closed.
void ShowInformation(QWidget* parent, const QString& text, const QString& caption);

// An OK button and no icon; returns when the box is closed.
void ShowPlainMessage(QWidget* parent, const QString& text, const QString& caption);

// Yes and No buttons ("是", "否"), also answered with the keys Y and N. Escape answers No, as it
// does in any Yes/No box; a box closed without an answer (by its owner going away) gives
// kDismissed.
QuestionAnswer AskYesNo(QWidget* parent, const QString& text, const QString& caption);

}  // namespace tarvelle
