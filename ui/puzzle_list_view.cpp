#include "ui/puzzle_list_view.h"

#include <QHeaderView>

namespace tarvelle {

QTreeView* NewPuzzleListView(QWidget* parent, const QString& name, const QRect& place) {
    auto* list = new QTreeView(parent);
    list->setObjectName(name);
    list->setGeometry(place);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    // Rows of one height let the list place any row without measuring those above it.
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    return list;
}

void ShowModel(QTreeView& list, ColumnTableModel* model) {
    list.setModel(model);
    for (int column = 0; column < model->columnCount(); ++column)
        list.setColumnWidth(column, model->ColumnWidth(column));
}

}  // namespace tarvelle
