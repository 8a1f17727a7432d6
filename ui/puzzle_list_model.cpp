#include "ui/puzzle_list_model.h"

#include <iterator>

namespace tarvelle {
namespace {

struct ColumnDefinition {
    const char* heading;
    int width;
    Qt::Alignment alignment;
    std::string PuzzleRow::*text;
};

const ColumnDefinition kColumns[PuzzleListModel::kColumnCount] = {
    {"序号", 50, Qt::AlignLeft, &PuzzleRow::lineNumber},
    {"棋局号", 70, Qt::AlignLeft, &PuzzleRow::puzzleNumber},
    {"棋局名称", 80, Qt::AlignRight, &PuzzleRow::name},
    {"fens", 480, Qt::AlignLeft, &PuzzleRow::fen},
};

}  // namespace

void PuzzleListModel::Append(std::vector<PuzzleRow> rows) {
    if (rows.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

PuzzleRow PuzzleListModel::Row(int index) const {
    if (index < 0 || index >= rowCount()) return {};
    return rows_[static_cast<std::size_t>(index)];
}

int PuzzleListModel::ColumnWidth(int column) {
    return kColumns[column].width;
}

int PuzzleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PuzzleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PuzzleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
    const ColumnDefinition& column = kColumns[index.column()];
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(rows_[static_cast<std::size_t>(index.row())].*column.text);
    }
    if (role == Qt::TextAlignmentRole) return (column.alignment | Qt::AlignVCenter).toInt();
    return {};
}

QVariant PuzzleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kColumns[section].heading);
    if (role == Qt::TextAlignmentRole)
        return (kColumns[section].alignment | Qt::AlignVCenter).toInt();
    return {};
}

}  // namespace tarvelle
