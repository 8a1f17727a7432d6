// The windows' edit boxes: multi-line, wrapped at the box's width, no scroll bars, black on white.
#pragma once

#include <QPlainTextEdit>
#include <QRect>
#include <QString>

namespace tarvelle {

// An edit box named `name` at `geometry` of `parent`, holding `text`.
QPlainTextEdit* CreateEditBox(QWidget& parent, const QString& name, const QRect& geometry,
                              const QString& text);

}  // namespace tarvelle
