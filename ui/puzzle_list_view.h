// The list both puzzle pickers show their rows in: one row selected at a time, whole rows,
// nothing edited, columns fixed in place.
#pragma once

#include <QRect>
#include <QString>
#include <QTreeView>

namespace tarvelle {

QTreeView* NewPuzzleListView(QWidget* parent, const QString& name, const QRect& place);

}  // namespace tarvelle
