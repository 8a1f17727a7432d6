#include "game/puzzle_training.h"

#include <memory>

#include "game/puzzle_solution.h"
#include "game/puzzle_verdict.h"
#include "position/chinese_notation.h"
#include "position/fen_text.h"

namespace tarvelle {

namespace {

// How an attempt the player mated in `playerMoves` counts, by what the judge saw of it.
AttemptResult MateResult(const MoveJudge& judge, int playerMoves) {
    if (judge.HintGiven()) return AttemptResult::kHint;
    const std::optional<int> length = judge.Length();
    if (judge.MistakeMade() || (length && playerMoves > *length)) return AttemptResult::kMistake;
    return AttemptResult::kClean;
}

}  // namespace

PuzzleTraining::PuzzleTraining(GameFlow& game, const MoveList& moveList, GameScreen& screen,
                               SideChoice& sides, SearchSettings& search, MoveJudge& judge,
                               std::filesystem::path solvedFile, std::filesystem::path attemptsFile)
    : game_(game),
      moveList_(moveList),
      screen_(screen),
      sides_(sides),
      search_(search),
      judge_(judge),
      solved_(std::move(solvedFile)),
      attempts_(std::move(attemptsFile)) {}

int PuzzleTraining::NextRow(const PuzzleCatalogue& puzzles, const PuzzleFilter& filter) const {
    return filter.Next(puzzles, CurrentRow());
}

int PuzzleTraining::PreviousRow(const PuzzleCatalogue& puzzles, const PuzzleFilter& filter) const {
    return filter.Previous(puzzles, CurrentRow());
}

std::optional<int> PuzzleTraining::CurrentRow() const {
    return current_ ? std::optional<int>(current_->index) : std::nullopt;
}

int PuzzleTraining::ReviewRow(std::span<const std::size_t> dueRows) const {
    if (dueRows.empty()) return -1;
    for (const std::size_t row : dueRows) {
        if (!current_ || static_cast<std::size_t>(current_->index) != row)
            return static_cast<int>(row);
    }
    return static_cast<int>(dueRows.front());
}

void PuzzleTraining::Load(int index, const PuzzleRow& row) {
    Leave();
    const auto position = std::make_unique<PositionRecord>();
    CchessFen2Board(position.get(), row.fen.c_str());
    game_.StartFromPosition(*position, StartFenText(*position, row.fen, EditorMoveNumber(row.fen)));
    const auto attacker = static_cast<std::int16_t>(BoardSide(*position));
    LetComputerPlay(static_cast<std::int16_t>(1 - attacker), sides_, search_);
    current_ = Puzzle{index, row, SolutionMoves(row), attacker};
    screen_.ShowFenText(row.fen);
    screen_.ShowPuzzle(row.puzzleNumber + " " + row.name, !current_->solution.empty());
    judge_.Begin(attacker, NamedLength(current_->solution));
}

void PuzzleTraining::Repeat() {
    if (!current_) return;
    const Puzzle puzzle = *current_;
    Load(puzzle.index, puzzle.row);
}

void PuzzleTraining::End() {
    Leave();
    current_.reset();
    judge_.End();
    screen_.ShowPuzzle(std::nullopt, false);
}

void PuzzleTraining::Leave() {
    // Browsing through the puzzles is no attempt at them.
    if (current_ && !current_->attemptRecorded && (judge_.Moved() || judge_.HintGiven()))
        RecordAttempt(AttemptResult::kFailed);
}

void PuzzleTraining::RecordAttempt(AttemptResult result) {
    // The player moves first, so every odd ply is the player's.
    std::vector<MoveValue> playerMoves;
    for (int ply = 1; ply <= moveList_.currentPly; ply += 2)
        playerMoves.push_back(moveList_.moves[static_cast<std::size_t>(ply)]);
    attempts_.Add(current_->row.fen, result, playerMoves);
    current_->attemptRecorded = true;
    if (attemptRecorded_) attemptRecorded_();
}

void PuzzleTraining::ShowSolution() {
    if (!current_ || current_->solution.empty()) return;
    const auto start = std::make_unique<PositionRecord>();
    CchessFen2Board(start.get(), current_->row.fen.c_str());
    screen_.ShowThinkingText(ChineseMoveLine(*start, current_->solution));
}

std::string PuzzleTraining::OnMate(std::int16_t winner, int plies) {
    if (!current_ || winner != current_->attacker) return {};
    const int playerMoves = AttackerMoves(plies);
    const std::optional<int> namedLength = NamedLength(current_->solution);
    if (SolvedWith(playerMoves, namedLength)) solved_.Add(current_->row.fen);
    if (!current_->attemptRecorded) RecordAttempt(MateResult(judge_, playerMoves));
    return PuzzleVerdictText(playerMoves, namedLength);
}

}  // namespace tarvelle
