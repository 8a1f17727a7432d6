// One opening of the position editor: the window's controls wired to the editor logic, its
// puzzle picker filled from the puzzle file, and its last button handed to the game.
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <string>

#include "board/position_editor.h"
#include "game/puzzle_marks.h"
#include "ui/position_editor_window.h"
#include "ui/puzzle_picker_window.h"

namespace tarvelle {

class EditorWiring final : public QObject {
    Q_OBJECT

public:
    // Starts a game from the editor's position, described to the engine by the start FEN, and
    // asks which side the computer plays; the editor closes once it returns.
    using GameStarter =
        std::function<void(const PositionRecord& position, const std::string& startFen)>;

    // Opens the editor logic on `gamePosition` and lives as long as `window`. `record` keeps what
    // the editor remembers between openings; `marks` marks the picker's rows.
    EditorWiring(PositionEditorWindow& window, EditorRecord& record,
                 const PositionRecord& gamePosition, std::filesystem::path puzzleFile,
                 const PuzzleMarks& marks, GameStarter startGame);

    const PositionEditor& Editor() const { return editor_; }

private:
    void FillPuzzleList(PuzzlePickerWindow& picker) const;
    // The row the click left selected, if any, goes into the editor and the picker closes.
    void ChoosePuzzle(PuzzlePickerWindow& picker);

    PositionEditorWindow& window_;
    PositionEditor editor_;
    std::filesystem::path puzzleFile_;
    const PuzzleMarks& marks_;
    GameStarter startGame_;
};

}  // namespace tarvelle
