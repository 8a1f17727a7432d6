#include "ui/puzzle_picker_window.h"

#include <QHeaderView>

#include "ui/window_frame.h"

namespace tarvelle {
namespace {

constexpr QSize kClientSize(704, 544);
constexpr QSize kOuterSize(707, 571);

enum Column { kLineNumber, kPuzzleNumber, kName, kFen, kColumnCount };

struct ColumnDefinition {
    const char* heading;
    int width;
    Qt::Alignment alignment;
};

const ColumnDefinition kColumns[kColumnCount] = {
    {"序号", 50, Qt::AlignLeft},
    {"棋局号", 70, Qt::AlignLeft},
    {"棋局名称", 80, Qt::AlignRight},
    {"fens", 480, Qt::AlignLeft},
};

std::string CellText(const QTreeWidgetItem* item, int column) {
    return item == nullptr ? std::string() : item->text(column).toStdString();
}

}  // namespace

PuzzlePickerWindow::PuzzlePickerWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("点选加载棋局"));
    setModal(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("超级列表框_结果"));
    list_->setGeometry(8, 8, 688, 528);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setColumnCount(kColumnCount);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    auto* headings = new QTreeWidgetItem();
    for (int column = 0; column < kColumnCount; ++column) {
        headings->setText(column, QString::fromUtf8(kColumns[column].heading));
        headings->setTextAlignment(column, kColumns[column].alignment | Qt::AlignVCenter);
        list_->setColumnWidth(column, kColumns[column].width);
    }
    list_->setHeaderItem(headings);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit rowClicked(list_->indexOfTopLevelItem(item)); });

    SetFixedFrame(*this, kClientSize, kOuterSize);
}

void PuzzlePickerWindow::AddRow(const PuzzleRow& row) {
    auto* item = new QTreeWidgetItem(list_);
    const std::string* texts[kColumnCount] = {&row.lineNumber, &row.puzzleNumber, &row.name,
                                              &row.fen};
    for (int column = 0; column < kColumnCount; ++column) {
        item->setText(column, QString::fromStdString(*texts[column]));
        item->setTextAlignment(column, kColumns[column].alignment | Qt::AlignVCenter);
    }
}

int PuzzlePickerWindow::RowCount() const {
    return list_->topLevelItemCount();
}

PuzzleRow PuzzlePickerWindow::Row(int index) const {
    const QTreeWidgetItem* item = list_->topLevelItem(index);
    return {CellText(item, kLineNumber), CellText(item, kPuzzleNumber), CellText(item, kName),
            CellText(item, kFen)};
}

int PuzzlePickerWindow::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
}

}  // namespace tarvelle
