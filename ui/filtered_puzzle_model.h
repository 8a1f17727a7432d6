// The rows of the puzzle menu's picker as a table model: the puzzles a filter lets pass, in file
// order. Only the list of passing rows is kept beside the catalogue, and a cell's text is made
// when the list shows it, so a file of a hundred thousand puzzles opens and filters in a moment.
#pragma once

#include <vector>

#include "game/puzzle_catalogue.h"
#include "game/puzzle_filter.h"
#include "ui/column_table_model.h"

namespace tarvelle {

class FilteredPuzzleModel final : public ColumnTableModel {
public:
    // The columns, in order: 棋局号, 棋局名称, 步数, 杀法 (the themes), 星级 (as ★) and 状态 (the
    // mark of the last attempt, PuzzleMarks, and 待复习 when the puzzle is due).
    // Shows every row of `puzzles` until a filter is applied.
    explicit FilteredPuzzleModel(PuzzleCatalogue puzzles, QObject* parent = nullptr);

    const PuzzleCatalogue& Puzzles() const { return puzzles_; }
    // Shows the rows `filter` lets pass, as a reset of the model.
    void Apply(const PuzzleFilter& filter);
    // The file row shown as row `shownRow`, or -1 when none is.
    int FileRow(int shownRow) const;
    // Where file row `fileRow` is shown, or -1 when it is not.
    int ShownRow(int fileRow) const;

    int rowCount(const QModelIndex& parent = {}) const override;

private:
    QString CellText(int shownRow, int column) const override;

    PuzzleCatalogue puzzles_;
    std::vector<int> shown_;
};

}  // namespace tarvelle
