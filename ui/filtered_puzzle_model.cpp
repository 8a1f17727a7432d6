#include "ui/filtered_puzzle_model.h"

#include <algorithm>
#include <numeric>

namespace tarvelle {
namespace {

enum Column { kNumber, kName, kLength, kThemes, kStars, kState };

const TableColumn kColumns[] = {
    {"棋局号", 60, Qt::AlignLeft}, {"棋局名称", 110, Qt::AlignLeft}, {"步数", 40, Qt::AlignHCenter},
    {"杀法", 136, Qt::AlignLeft},  {"星级", 70, Qt::AlignLeft},      {"状态", 70, Qt::AlignHCenter},
};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FilteredPuzzleModel::FilteredPuzzleModel(PuzzleCatalogue puzzles, QObject* parent)
    : ColumnTableModel(kColumns, parent),
      puzzles_(std::move(puzzles)),
      shown_(static_cast<std::size_t>(puzzles_.Size())) {
    std::iota(shown_.begin(), shown_.end(), 0);
}

void FilteredPuzzleModel::Apply(const PuzzleFilter& filter) {
    std::vector<int> shown = filter.Matching(puzzles_);
    beginResetModel();
    shown_ = std::move(shown);
    endResetModel();
}

int FilteredPuzzleModel::FileRow(int shownRow) const {
    if (shownRow < 0 || shownRow >= rowCount()) return -1;
    return shown_[static_cast<std::size_t>(shownRow)];
}

int FilteredPuzzleModel::ShownRow(int fileRow) const {
    const auto found = std::lower_bound(shown_.begin(), shown_.end(), fileRow);
    return found != shown_.end() && *found == fileRow ? static_cast<int>(found - shown_.begin())
                                                      : -1;
}

int FilteredPuzzleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QString FilteredPuzzleModel::CellText(int shownRow, int column) const {
    const int fileRow = FileRow(shownRow);
    switch (column) {
        case kNumber:
            return Text(puzzles_.Number(fileRow));
        case kName:
            return Text(puzzles_.Name(fileRow));
        case kLength: {
            const std::optional<int> length = puzzles_.Length(fileRow);
            return length ? QString::number(*length) : QString();
        }
        case kThemes:
            return Text(puzzles_.ThemesOf(fileRow));
        case kStars:
            return QString(puzzles_.Stars(fileRow), QChar(u'★'));
        case kState: {
            const QString mark = QString::fromUtf8(PuzzleMarkText(puzzles_.Mark(fileRow)));
            if (!puzzles_.Due(fileRow)) return mark;
            return mark.isEmpty() ? QStringLiteral("待复习") : mark + QStringLiteral(" 待复习");
        }
    }
    return {};
}

}  // namespace tarvelle
