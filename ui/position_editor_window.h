// The position editor: its own board and piece palette with their click targets, the side-to-move
// radio boxes, the position buttons and a FEN box. It shows what the editor logic tells it through
// EditorScreen and its two panels, hands every user command on as a signal and keeps no position
// of its own.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <string>

#include "board/piece_pictures.h"
#include "board/position_editor.h"
#include "ui/board_panel.h"
#include "ui/puzzle_picker_window.h"

namespace tarvelle {

class PositionEditorWindow final : public QDialog, public EditorScreen {
    Q_OBJECT

public:
    // `pictures` must outlive the window.
    explicit PositionEditorWindow(const PictureFiles& pictures, QWidget* parent = nullptr);

    // The editor board 画板1, with the board picture.
    tarvelle::BoardPanel& EditorBoard() { return *board_; }
    // The piece palette 画板2, without a picture.
    tarvelle::BoardPanel& Palette() { return *palette_; }

    std::string FenText() const override;
    void ShowFenText(const std::string& text) override;
    // Any side other than 0 and 1 leaves both radio boxes unchecked.
    void ShowSideToMove(int side) override;
    bool RedToMoveChecked() const { return redToMove_->isChecked(); }
    bool BlackToMoveChecked() const { return blackToMove_->isChecked(); }

    // Opens a new puzzle picker modally over the editor: pickerOpened is emitted before it shows,
    // and the call returns when it is closed.
    void OpenPuzzlePicker();

signals:
    // Left and right presses on editor board cell 0..89 (reading order from the top-left).
    void boardCellPressed(int cell);
    void boardCellRightPressed(int cell);
    // A left press on palette entry 0..31.
    void paletteCellPressed(int entry);
    void redToMoveClicked();
    void blackToMoveClicked();
    void startPositionClicked();
    void applyFenClicked();
    void sendToMainBoardClicked();
    // A fresh picker, not yet shown: the place to fill it and connect to it.
    void pickerOpened(tarvelle::PuzzlePickerWindow* picker);

private:
    void CreateBoard(const PictureFiles& pictures);
    void CreatePalette(const PictureFiles& pictures);
    void CreateSideButtons();
    void CreatePositionButtons();

    tarvelle::BoardPanel* board_ = nullptr;
    tarvelle::BoardPanel* palette_ = nullptr;
    QButtonGroup* sideToMove_ = nullptr;
    QRadioButton* redToMove_ = nullptr;
    QRadioButton* blackToMove_ = nullptr;
    QPlainTextEdit* fenBox_ = nullptr;
};

}  // namespace tarvelle
