// The puzzle menu's picker (选题): the puzzle file as a list that the filters above it narrow, and
// a preview of the selected puzzle beside it. A click or the arrow keys select a row and show its
// position; Enter, a double click or 载入 load it. Typing goes to the search box.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <optional>

#include "board/piece_pictures.h"
#include "game/puzzle_catalogue.h"
#include "game/puzzle_filter.h"
#include "ui/board_preview.h"
#include "ui/filtered_puzzle_model.h"

namespace tarvelle {

class TrainingPickerWindow final : public QDialog {
    Q_OBJECT

public:
    // `pictures` must outlive the picker.
    explicit TrainingPickerWindow(const PictureFiles& pictures, QWidget* parent = nullptr);

    // Lists `puzzles` as `filter` lets them pass and sets the filters to its choices; every later
    // choice is written back into `filter`, which must outlive the picker. The row `current` of
    // the file is selected when it passes, and the first passing row otherwise.
    void ShowPuzzles(PuzzleCatalogue puzzles, PuzzleFilter& filter, std::optional<int> current);

    const PuzzleCatalogue& Puzzles() const { return model_->Puzzles(); }
    // The file row selected, or -1 when none is.
    int SelectedRow() const;

signals:
    // Enter, a double click or 载入 on the file row `fileRow`.
    void puzzleChosen(int fileRow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateFilters();
    void CreateList();
    void CreateSide(const PictureFiles& pictures);
    // Fills the filters' choices from the catalogue and the filter, without applying them.
    void ShowChoices();
    // Reads the filters into the filter, shows the rows it lets pass and keeps the selection when
    // its row still passes.
    void ApplyChoices();
    void ShowCount();
    void Select(int fileRow);
    // The selected row's position in the preview and its number and name below it.
    void ShowSelected();
    void ChooseSelected();
    // Looks up the next slice of the rows' states, and asks for the slice after it.
    void LookUpStates();

    FilteredPuzzleModel* model_ = nullptr;
    PuzzleFilter* filter_ = nullptr;
    QComboBox* length_;
    QComboBox* theme_;
    QComboBox* stars_;
    QComboBox* state_;
    QLineEdit* search_;
    QLabel* count_;
    QTreeView* list_;
    BoardPreview* preview_;
    QLabel* title_;
    QPushButton* load_;
    bool showingChoices_ = false;
    // The first row whose state the idle lookup has not reached.
    int statesLookedUp_ = 0;
    // The file row the preview shows; -1 for none, -2 before the first.
    int previewed_ = -2;
};

}  // namespace tarvelle
