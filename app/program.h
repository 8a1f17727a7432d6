// The running program: the main window and everything wired to it, from the window's creation to
// the end of the main loop.
#pragma once

#include <filesystem>

#include "app/main_loop.h"
#include "app/qt_event_pump.h"
#include "app/shared_state.h"
#include "board/main_board.h"
#include "board/piece_pictures.h"
#include "engine/engine_link.h"
#include "engine/engine_session.h"
#include "engine/link_clock.h"
#include "game/game_flow.h"
#include "game/move_judge.h"
#include "game/puzzle_training.h"
#include "game/review_schedule.h"
#include "game/solver_worker.h"
#include "ui/main_window.h"

namespace tarvelle {

class Program {
public:
    // Creates the main window and loads the puzzle of the window's FEN box as the game, to be drawn
    // once the window shows. The engine of `engineSession` is started when the window is first
    // activated; its start goes on in the background of the event loops, and nothing waits for
    // it. The session must outlive the program.
    Program(SharedState& state, const std::filesystem::path& programDirectory,
            EngineSession& engineSession);
    // Quits the engine, whatever it is doing.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the window with the game's board drawn in it.
    void Show();

    // Shows the window, waits for its first activation, asks the side question and runs the main
    // loop until the window is closed. Returns the exit code.
    int Run();

    MainWindow& Window() { return window_; }
    EngineLink& Engine() { return engine_; }

private:
    void ConnectWindow();
    // Blocks until the main window is first activated or closed; true when it was activated.
    bool WaitForFirstActivation();

    // Keeps the settings for this run and the next, and restarts the engine with them. The game,
    // its moves and the sides stay; the computer moves once the engine is ready, if it is its turn.
    void ApplyEngineSettings(const EngineSettings& settings);

    // A new game from the editor's position, then the side question; a puzzle being played ends.
    void StartGameFromEditor(const PositionRecord& position, const std::string& startFen);

    // The puzzle file as it is now: the user's own or the shipped one.
    std::filesystem::path PuzzleFile() const;
    // The puzzle file read anew, with the keys the filter reads.
    PuzzleCatalogue ReadPuzzles() const;
    // Reads the puzzle file anew and loads the row `choose` picks from it within the filter; says
    // so when no row passes.
    void LoadPuzzleRow(int (PuzzleTraining::*choose)(const PuzzleCatalogue& puzzles,
                                                     const PuzzleFilter& filter) const);

    // The day the review schedule and the statistics count as today; the one reader of
    // TARVELLE_TODAY, which fixes it for tests.
    static CalendarDay Today();
    // The review schedule of the attempts as they stand.
    ReviewSchedule Schedule() const;
    // Loads the puzzle of the puzzle file that 复习 picks (PuzzleTraining::ReviewRow).
    void LoadReviewPuzzle();
    // Brings the count on 复习 up to date with the attempts and the puzzle file.
    void ShowReviewCount();

    SharedState& state_;
    std::filesystem::path programDirectory_;
    EngineSession& engineSession_;
    SystemClock clock_;
    // Declared before the link, so that it still exists when the link closes the engine, and
    // before the solver, which wakes it.
    QtEventPump events_;
    SolverWorker solver_;
    PictureFiles pictures_;
    MainWindow window_;
    MainBoard board_;
    EngineLink engine_;
    GameFlow game_;
    MoveJudge judge_;
    PuzzleTraining training_;
    // The picker's choices, which 下一题 and 上一题 follow too.
    PuzzleFilter puzzleFilter_;
    MainLoop loop_;
    bool activated_ = false;
    bool closed_ = false;
};

}  // namespace tarvelle
