// Puzzle training: the puzzle of the puzzle list being played, the one place that knows it. A
// puzzle starts as a new game without the side question, and its moves are judged (MoveJudge);
// when the player mates, the result box gets a verdict and a solve is recorded. Every attempt
// that the player mates or leaves after a move or a hint is recorded too.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/search_settings.h"
#include "game/attempt_record.h"
#include "game/game_flow.h"
#include "game/game_screen.h"
#include "game/move_judge.h"
#include "game/puzzle_catalogue.h"
#include "game/puzzle_filter.h"
#include "game/puzzle_list.h"
#include "game/puzzle_marks.h"
#include "game/side_choice.h"
#include "game/solved_puzzles.h"
#include "position/move_list.h"

namespace tarvelle {

class PuzzleTraining final : public MateObserver {
public:
    // `solvedFile` keeps the solved puzzles between runs (SolvedPuzzlesFile), `attemptsFile` the
    // attempts (AttemptsFile). Everything else must outlive the training.
    PuzzleTraining(GameFlow& game, const MoveList& moveList, GameScreen& screen, SideChoice& sides,
                   SearchSettings& search, MoveJudge& judge, std::filesystem::path solvedFile,
                   std::filesystem::path attemptsFile);

    // The row 下一题 loads: the first row after the current puzzle's that `filter` lets pass,
    // going round past the end; the first passing row before any puzzle was loaded. -1 when no
    // row passes.
    int NextRow(const PuzzleCatalogue& puzzles, const PuzzleFilter& filter) const;
    // The row 上一题 loads: the last passing row before the current puzzle's, going round past the
    // start; the last passing row before any puzzle was loaded. -1 when no row passes.
    int PreviousRow(const PuzzleCatalogue& puzzles, const PuzzleFilter& filter) const;
    // The row 复习 loads from `dueRows` (ReviewSchedule::DueRows): the first that is not the
    // current puzzle's, so that 复习 moves on, or the current one's when it is the only one. -1
    // when none is due.
    int ReviewRow(std::span<const std::size_t> dueRows) const;

    // A new game on the puzzle of row `index` of the puzzle file, started as a game from the
    // editor is, except that the FEN box shows the puzzle, the caption names it and the computer
    // plays the side not to move, at the level an answered side question sets. The puzzle played
    // until now is left.
    void Load(int index, const PuzzleRow& row);
    // The current puzzle again from its start; nothing when no puzzle is being played.
    void Repeat();
    // A game that is no puzzle of the list has begun: the puzzle is left, no verdict, and the
    // caption is plain again.
    void End();
    // The puzzle is given up, as when the program closes: an attempt the player began and did
    // not mate counts as failed.
    void Leave();
    // The stored main line of the current puzzle in the thinking box, in book notation.
    void ShowSolution();

    const PuzzleMarks& Marks() const { return marks_; }
    const AttemptRecord& Attempts() const { return attempts_; }
    // The file row of the puzzle being played; none when no puzzle is.
    std::optional<int> CurrentRow() const;
    // `recorded` runs after every attempt is recorded, once the record holds it.
    void ObserveAttempts(std::function<void()> recorded) { attemptRecorded_ = std::move(recorded); }

    // When the player, who attacks, mates: the verdict on the moves it took, and the puzzle is
    // recorded as solved when it counts as solved (SolvedWith). The first mate of an attempt
    // records it. A mate of the computer's gives no line.
    std::string OnMate(std::int16_t winner, int plies) override;

private:
    struct Puzzle {
        int index = 0;
        PuzzleRow row;
        std::vector<MoveValue> solution;
        std::int16_t attacker = 0;
        bool attemptRecorded = false;
    };

    void RecordAttempt(AttemptResult result);

    GameFlow& game_;
    const MoveList& moveList_;
    GameScreen& screen_;
    SideChoice& sides_;
    SearchSettings& search_;
    MoveJudge& judge_;
    SolvedPuzzles solved_;
    AttemptRecord attempts_;
    PuzzleMarks marks_{attempts_, solved_};
    std::optional<Puzzle> current_;
    std::function<void()> attemptRecorded_;
};

// Whether a mate in `playerMoves` solves a puzzle: within its named length, or in any number of
// moves when it has no stored solution to measure against.
constexpr bool SolvedWith(int playerMoves, std::optional<int> namedLength) {
    return !namedLength || playerMoves <= *namedLength;
}

}  // namespace tarvelle
