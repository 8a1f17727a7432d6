#include "app/editor_wiring.h"

#include "game/puzzle_list.h"
#include "ui/message_boxes.h"

namespace tarvelle {

EditorWiring::EditorWiring(PositionEditorWindow& window, EditorRecord& record,
                           const PositionRecord& gamePosition, std::filesystem::path puzzleFile,
                           const PuzzleMarks& marks, GameStarter startGame)
    : QObject(&window),
      window_(window),
      editor_(record, window.EditorBoard(), window.Palette(), window),
      puzzleFile_(std::move(puzzleFile)),
      marks_(marks),
      startGame_(std::move(startGame)) {
    editor_.Open(gamePosition);
    using Window = PositionEditorWindow;
    connect(&window, &Window::boardCellPressed, this,
            [this](int cell) { editor_.OnBoardClick(cell); });
    connect(&window, &Window::boardCellRightPressed, this,
            [this](int cell) { editor_.OnBoardRightClick(cell); });
    connect(&window, &Window::paletteCellPressed, this,
            [this](int entry) { editor_.OnPaletteClick(entry); });
    connect(&window, &Window::redToMoveClicked, this, [this] { editor_.SetSideToMove(kRedSide); });
    connect(&window, &Window::blackToMoveClicked, this,
            [this] { editor_.SetSideToMove(kBlackSide); });
    connect(&window, &Window::startPositionClicked, this, [this] { editor_.PutStartFen(); });
    connect(&window, &Window::applyFenClicked, this, [this] { editor_.ApplyFenBox(); });
    connect(&window, &Window::sendToMainBoardClicked, this, [this] {
        startGame_(editor_.Position(), editor_.GameStartFen());
        window_.accept();
    });
    connect(&window, &Window::pickerOpened, this, [this](PuzzlePickerWindow* picker) {
        FillPuzzleList(*picker);
        connect(picker, &PuzzlePickerWindow::rowClicked, this,
                [this, picker] { ChoosePuzzle(*picker); });
    });
}

void EditorWiring::FillPuzzleList(PuzzlePickerWindow& picker) const {
    picker.AddRows(ReadPuzzleFile(puzzleFile_), marks_);
}

void EditorWiring::ChoosePuzzle(PuzzlePickerWindow& picker) {
    const int selected = picker.SelectedRow();
    if (selected < 0) return;
    const PuzzleRow row = picker.Row(selected);
    ShowInformation(&picker, QString::fromStdString(row.puzzleNumber + "： " + row.name),
                    QStringLiteral("加载的棋局："));
    window_.ShowFenText(row.fen);
    editor_.ApplyFenBox();
    picker.accept();
}

}  // namespace tarvelle
