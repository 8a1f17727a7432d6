#include "game/puzzle_training.h"

#include <algorithm>
#include <memory>

#include "game/puzzle_solution.h"
#include "game/puzzle_verdict.h"
#include "position/chinese_notation.h"
#include "position/fen_text.h"

namespace tarvelle {

PuzzleTraining::PuzzleTraining(GameFlow& game, GameScreen& screen, SideChoice& sides,
                               SearchSettings& search, std::filesystem::path solvedFile)
    : game_(game),
      screen_(screen),
      sides_(sides),
      search_(search),
      solved_(std::move(solvedFile)) {}

int PuzzleTraining::NextRow(int rowCount) const {
    if (rowCount <= 0) return -1;
    return current_ && current_->index + 1 < rowCount ? current_->index + 1 : 0;
}

int PuzzleTraining::PreviousRow(int rowCount) const {
    if (rowCount <= 0) return -1;
    // The file may have lost rows since the current puzzle was loaded from it.
    return current_ && current_->index > 0 ? std::min(current_->index, rowCount) - 1 : rowCount - 1;
}

void PuzzleTraining::Load(int index, const PuzzleRow& row) {
    const auto position = std::make_unique<PositionRecord>();
    CchessFen2Board(position.get(), row.fen.c_str());
    game_.StartFromPosition(*position, StartFenText(*position, row.fen, EditorMoveNumber(row.fen)));
    const auto attacker = static_cast<std::int16_t>(BoardSide(*position));
    LetComputerPlay(static_cast<std::int16_t>(1 - attacker), sides_, search_);
    current_ = Puzzle{index, row, SolutionMoves(row), attacker};
    screen_.ShowFenText(row.fen);
    screen_.ShowPuzzle(row.puzzleNumber + " " + row.name, !current_->solution.empty());
}

void PuzzleTraining::Repeat() {
    if (!current_) return;
    const Puzzle puzzle = *current_;
    Load(puzzle.index, puzzle.row);
}

void PuzzleTraining::End() {
    current_.reset();
    screen_.ShowPuzzle(std::nullopt, false);
}

void PuzzleTraining::ShowSolution() {
    if (!current_ || current_->solution.empty()) return;
    const auto start = std::make_unique<PositionRecord>();
    CchessFen2Board(start.get(), current_->row.fen.c_str());
    screen_.ShowThinkingText(ChineseMoveLine(*start, current_->solution));
}

std::string PuzzleTraining::OnMate(std::int16_t winner, int plies) {
    if (!current_ || winner != current_->attacker) return {};
    // The player moves first, so every odd ply is the player's.
    const int playerMoves = (plies + 1) / 2;
    const std::optional<int> namedLength = NamedLength(current_->solution);
    if (SolvedWith(playerMoves, namedLength)) solved_.Add(current_->row.fen);
    return PuzzleVerdictText(playerMoves, namedLength);
}

}  // namespace tarvelle
