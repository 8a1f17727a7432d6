// The puzzle picker: one list of puzzles, one row each, chosen with a single left click.
#pragma once

#include <QDialog>
#include <QTreeView>
#include <vector>

#include "game/puzzle_list.h"
#include "game/puzzle_marks.h"
#include "ui/puzzle_list_model.h"

namespace tarvelle {

class PuzzlePickerWindow final : public QDialog {
    Q_OBJECT

public:
    explicit PuzzlePickerWindow(QWidget* parent = nullptr);

    // Appends the rows under the columns 序号, 棋局号, 棋局名称 and fens, then each puzzle's
    // length and its mark from `marks`, which must outlive the picker.
    void AddRows(std::vector<PuzzleRow> rows, const PuzzleMarks& marks);
    int RowCount() const;
    // Row 0.. as shown; an index out of range reads a row of empty texts.
    PuzzleRow Row(int index) const;
    // The selected row, or -1 when none is.
    int SelectedRow() const;

signals:
    // A single left click on a row, after the click has selected it.
    void rowClicked(int index);

private:
    PuzzleListModel* model_;
    QTreeView* list_;
};

}  // namespace tarvelle
