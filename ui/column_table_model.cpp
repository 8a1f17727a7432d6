#include "ui/column_table_model.h"

namespace tarvelle {

int ColumnTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ColumnTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole) return CellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return (columns_[static_cast<std::size_t>(index.column())].alignment | Qt::AlignVCenter)
            .toInt();
    return {};
}

QVariant ColumnTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const TableColumn& column = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromUtf8(column.heading);
    if (role == Qt::TextAlignmentRole) return (column.alignment | Qt::AlignVCenter).toInt();
    return {};
}

}  // namespace tarvelle
