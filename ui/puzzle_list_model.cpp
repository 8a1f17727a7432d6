#include "ui/puzzle_list_model.h"

#include <iterator>

#include "game/puzzle_solution.h"

namespace tarvelle {
namespace {

struct ColumnDefinition {
    const char* heading;
    int width;
    Qt::Alignment alignment;
    // The field the column shows; null for the columns worked out from the row.
    std::string PuzzleRow::*text;
};

constexpr int kLengthColumn = 4;
constexpr int kMarkColumn = 5;

// The fens column gives up the width the two last columns need to show without scrolling.
const ColumnDefinition kColumns[PuzzleListModel::kColumnCount] = {
    {"序号", 50, Qt::AlignLeft, &PuzzleRow::lineNumber},
    {"棋局号", 70, Qt::AlignLeft, &PuzzleRow::puzzleNumber},
    {"棋局名称", 80, Qt::AlignRight, &PuzzleRow::name},
    {"fens", 390, Qt::AlignLeft, &PuzzleRow::fen},
    {"步数", 40, Qt::AlignHCenter, nullptr},
    {"已解", 40, Qt::AlignHCenter, nullptr},
};

}  // namespace

void PuzzleListModel::Append(std::vector<PuzzleRow> rows, const PuzzleMarks& marks) {
    marks_ = &marks;
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
    if (role == Qt::DisplayRole)
        return CellText(rows_[static_cast<std::size_t>(index.row())], index.column());
    if (role == Qt::TextAlignmentRole) return (column.alignment | Qt::AlignVCenter).toInt();
    return {};
}

QString PuzzleListModel::CellText(const PuzzleRow& row, int column) const {
    if (column == kLengthColumn) {
        const std::optional<int> length = NamedLength(SolutionMoves(row));
        return length ? QString::number(*length) : QString();
    }
    if (column == kMarkColumn)
        return marks_ != nullptr ? QString::fromStdString(marks_->Mark(row.fen)) : QString();
    return QString::fromStdString(row.*kColumns[column].text);
}

QVariant PuzzleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kColumns[section].heading);
    if (role == Qt::TextAlignmentRole)
        return (kColumns[section].alignment | Qt::AlignVCenter).toInt();
    return {};
}

}  // namespace tarvelle
