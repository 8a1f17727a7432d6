#include "ui/puzzle_picker_window.h"

#include "ui/puzzle_list_view.h"
#include "ui/window_frame.h"

namespace tarvelle {
namespace {

constexpr QSize kClientSize(704, 544);
constexpr QSize kOuterSize(707, 571);

}  // namespace

PuzzlePickerWindow::PuzzlePickerWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("点选加载棋局"));
    setModal(true);

    model_ = new PuzzleListModel(this);
    list_ = NewPuzzleListView(this, QStringLiteral("超级列表框_结果"), QRect(8, 8, 688, 528));
    ShowModel(*list_, model_);
    connect(list_, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { emit rowClicked(index.row()); });

    SetFixedFrame(*this, kClientSize, kOuterSize);
}

void PuzzlePickerWindow::AddRows(std::vector<PuzzleRow> rows, const PuzzleMarks& marks) {
    model_->Append(std::move(rows), marks);
}

int PuzzlePickerWindow::RowCount() const {
    return model_->rowCount();
}

PuzzleRow PuzzlePickerWindow::Row(int index) const {
    return model_->Row(index);
}

int PuzzlePickerWindow::SelectedRow() const {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

}  // namespace tarvelle
