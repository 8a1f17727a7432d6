// The list both puzzle pickers show their rows in: one row selected at a time, whole rows,
// nothing edited, columns fixed in place.
#pragma once

#include <QRect>
#include <QString>
#include <QTreeView>

#include "ui/column_table_model.h"

namespace tarvelle {

QTreeView* NewPuzzleListView(QWidget* parent, const QString& name, const QRect& place);
// Shows `model` in `list`, each column at the width the model gives it.
void ShowModel(QTreeView& list, ColumnTableModel* model);

}  // namespace tarvelle
