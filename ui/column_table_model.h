// A table model whose columns are fixed by a table of headings, first widths and alignments. The
// headers, the column count and the cells' alignment come from the table; a subclass counts the
// rows and makes a cell's text when the list shows it.
#pragma once

#include <QAbstractTableModel>
#include <span>

namespace tarvelle {

struct TableColumn {
    const char* heading;
    int width;
    Qt::Alignment alignment;
};

class ColumnTableModel : public QAbstractTableModel {
public:
    // The width the list gives column `column` at first.
    int ColumnWidth(int column) const { return columns_[static_cast<std::size_t>(column)].width; }

    int columnCount(const QModelIndex& parent = {}) const final;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const final;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const final;

protected:
    // `columns` must outlive the model: a table with static storage.
    ColumnTableModel(std::span<const TableColumn> columns, QObject* parent)
        : QAbstractTableModel(parent), columns_(columns) {}

    // Row `row` is below rowCount(), `column` below columnCount().
    virtual QString CellText(int row, int column) const = 0;

private:
    std::span<const TableColumn> columns_;
};

}  // namespace tarvelle
