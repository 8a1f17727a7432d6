// The puzzle picker's rows as a table model: the rows are kept as read from the file, and a cell's
// text is made only when the list shows it, so a file of a hundred thousand puzzles opens in a
// moment. That holds for the length and the mark too, which cost a few positions each.
#pragma once

#include <vector>

#include "game/puzzle_list.h"
#include "game/puzzle_marks.h"
#include "ui/column_table_model.h"

namespace tarvelle {

class PuzzleListModel final : public ColumnTableModel {
public:
    // The columns, in order: 序号, 棋局号, 棋局名称, fens, 步数 (the length of the stored
    // solution) and 已解 (the mark of the last attempt, PuzzleMarks).
    explicit PuzzleListModel(QObject* parent = nullptr);

    // Appends the rows at the end; `marks` marks them and must outlive the model.
    void Append(std::vector<PuzzleRow> rows, const PuzzleMarks& marks);
    // Row 0.. as shown; an index out of range reads a row of empty texts.
    PuzzleRow Row(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;

private:
    QString CellText(int index, int column) const override;

    std::vector<PuzzleRow> rows_;
    const PuzzleMarks* marks_ = nullptr;
};

}  // namespace tarvelle
