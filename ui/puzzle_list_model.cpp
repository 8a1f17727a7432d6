#include "ui/puzzle_list_model.h"

#include <iterator>

#include "game/puzzle_solution.h"

namespace tarvelle {
namespace {

enum Column { kLineNumber, kPuzzleNumber, kName, kFen, kLength, kMark };

// The fens column gives up the width the two last columns need to show without scrolling.
const TableColumn kColumns[] = {
    {"序号", 50, Qt::AlignLeft},  {"棋局号", 70, Qt::AlignLeft},  {"棋局名称", 80, Qt::AlignRight},
    {"fens", 390, Qt::AlignLeft}, {"步数", 40, Qt::AlignHCenter}, {"已解", 40, Qt::AlignHCenter},
};

}  // namespace

PuzzleListModel::PuzzleListModel(QObject* parent) : ColumnTableModel(kColumns, parent) {}

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

int PuzzleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QString PuzzleListModel::CellText(int index, int column) const {
    const PuzzleRow& row = rows_[static_cast<std::size_t>(index)];
    switch (column) {
        case kLineNumber:
            return QString::fromStdString(row.lineNumber);
        case kPuzzleNumber:
            return QString::fromStdString(row.puzzleNumber);
        case kName:
            return QString::fromStdString(row.name);
        case kFen:
            return QString::fromStdString(row.fen);
        case kLength: {
            const std::optional<int> length = NamedLength(SolutionMoves(row));
            return length ? QString::number(*length) : QString();
        }
        case kMark:
            return marks_ != nullptr ? QString::fromStdString(marks_->Mark(row.fen)) : QString();
    }
    return {};
}

}  // namespace tarvelle
