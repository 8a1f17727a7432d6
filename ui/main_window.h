// The main window: the board with its click targets, the thinking box, the FEN box, the status
// bar and the menu. It shows what the game logic tells it through GameScreen and hands every user
// command on as a signal; it decides nothing itself.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <string>

#include "board/piece_pictures.h"
#include "game/game_screen.h"
#include "ui/board_panel.h"
#include "ui/engine_settings_dialog.h"
#include "ui/position_editor_window.h"
#include "ui/status_bar.h"
#include "ui/training_picker_window.h"
#include "ui/training_statistics_window.h"

namespace tarvelle {

class MainWindow final : public QMainWindow, public GameScreen {
    Q_OBJECT

public:
    // `pictures` must outlive the window; the editor windows it opens draw through it too.
    explicit MainWindow(const PictureFiles& pictures, QWidget* parent = nullptr);

    // The board panel 画板1.
    tarvelle::BoardPanel& BoardPanel() { return *board_; }

    // The text of the FEN box as it stands, typed edits included.
    std::string FenText() const;

    void ShowFenText(const std::string& text) override;
    void ShowStatusText(int part, const std::string& text) override;
    void ShowThinkingText(const std::string& text) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    // Yes and No answer; the box closed any other way gives kDismissed.
    QuestionAnswer AskQuestion(const std::string& text, const std::string& caption) override;
    // The caption "Tarvelle — " and the title, or "Tarvelle" alone without a puzzle; 重做本题,
    // 重走此步, 提示 and 解法 are enabled only when they have something to act on.
    void ShowPuzzle(const std::optional<std::string>& title, bool solutionStored) override;
    // 复习 shows how many puzzles are due, "复习 (12)", and is enabled only when any are.
    void ShowReviewCount(int due);

    // Opens a new position editor modally: editorOpened is emitted before it shows, and the call
    // returns when it is closed.
    void OpenPositionEditor();
    // Opens a new puzzle picker modally over the main window: puzzlePickerOpened is emitted
    // before it shows, and the call returns when it is closed.
    void OpenPuzzlePicker();
    // Opens a new engine settings dialog modally: engineSettingsOpened is emitted before it shows,
    // and the call returns when it is closed.
    void OpenEngineSettings();
    // Opens a new statistics window modally: statisticsOpened is emitted before it shows, and the
    // call returns when it is closed.
    void OpenStatistics();
    // The about box, modal.
    void ShowAbout();

signals:
    // A left press on board cell 0..89, counted in reading order from the top-left of the panel.
    void cellClicked(int cell);
    void flipRequested();
    void takeBackRequested();
    // A fresh editor, not yet shown: the place to prepare it and connect to it.
    void editorOpened(tarvelle::PositionEditorWindow* editor);
    // A fresh engine settings dialog, not yet shown: the place to fill it and connect to it.
    void engineSettingsOpened(tarvelle::EngineSettingsDialog* dialog);
    // The puzzle menu: a fresh picker, not yet shown, to fill and connect to; and its other items.
    void puzzlePickerOpened(tarvelle::TrainingPickerWindow* picker);
    void previousPuzzleRequested();
    void nextPuzzleRequested();
    void repeatPuzzleRequested();
    void retryMoveRequested();
    void hintRequested();
    void solutionRequested();
    void reviewRequested();
    // A fresh statistics window, not yet shown: the place to fill it.
    void statisticsOpened(tarvelle::TrainingStatisticsWindow* window);
    // The menu 题库 is about to open: the moment to bring the count on 复习 up to date.
    void puzzleMenuAboutToShow();
    // The first time the window becomes the active window; never again.
    void firstActivated();
    // The window was closed: close button, system menu, Escape or close().
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateMenu();
    void CreatePuzzleMenu();

    const PictureFiles& pictures_;
    tarvelle::BoardPanel* board_;
    QPlainTextEdit* thinkingBox_;
    QPlainTextEdit* fenBox_;
    PartedStatusBar* statusBar_;
    QAction* repeatPuzzleItem_ = nullptr;
    QAction* retryMoveItem_ = nullptr;
    QAction* hintItem_ = nullptr;
    QAction* solutionItem_ = nullptr;
    QAction* reviewItem_ = nullptr;
    bool activatedBefore_ = false;
};

}  // namespace tarvelle
