#include "game/move_judge.h"

#include <algorithm>
#include <utility>

#include "game/puzzle_solution.h"
#include "game/puzzle_verdict.h"

namespace tarvelle {

MoveJudge::MoveJudge(GameFlow& game, const PositionRecord& gamePosition, const MoveList& moveList,
                     EngineControl& engine, EngineDisplay& display, LinkClock& clock,
                     const SearchSettings& settings, SolverWorker& solver)
    : game_(game),
      gamePosition_(gamePosition),
      moveList_(moveList),
      engine_(engine),
      display_(display),
      clock_(clock),
      settings_(settings),
      solver_(solver) {}

void MoveJudge::Begin(std::int16_t attacker, std::optional<int> storedLength) {
    Forget();
    attacker_ = attacker;
    length_ = storedLength;
    // A puzzle of the user's own without a solution is measured by the solver's fastest mate.
    if (!length_) Ask(Purpose::kLength, kMaxMateMoves);
}

void MoveJudge::End() {
    Forget();
    attacker_.reset();
    length_.reset();
}

void MoveJudge::Forget() {
    if (question_) solver_.Cancel();
    question_.reset();
    reply_.reset();
    enginePlays_.reset();
    known_.clear();
    hintShownAt_.reset();
    moved_ = false;
    mistake_ = false;
    hintGiven_ = false;
}

std::vector<MoveValue> MoveJudge::GameMoves() const {
    const auto first = moveList_.moves.begin() + 1;
    return {first, first + moveList_.currentPly};
}

bool MoveJudge::ComputerToMove() const {
    return attacker_ && BoardSide(gamePosition_) != *attacker_;
}

std::optional<int> MoveJudge::JudgedMovesLeft(int plies) const {
    if (!length_) return std::nullopt;
    const int left = AttackerMovesLeft(*length_, plies);
    if (left < 0 || left > kMaxMateMoves) return std::nullopt;
    return left;
}

void MoveJudge::DropStale(const std::vector<MoveValue>& moves) {
    // The length belongs to the puzzle, not to one position of its game.
    if (question_ && question_->purpose != Purpose::kLength && question_->moves != moves) {
        solver_.Cancel();
        question_.reset();
    }
    if (reply_ && reply_->moves != moves) reply_.reset();
}

void MoveJudge::Ask(Purpose purpose, int attackerMoves) {
    question_ = Question{purpose, GameMoves(), attackerMoves};
    if (purpose == Purpose::kVerdict) {
        solver_.AskDefence(gamePosition_, attackerMoves);
    } else {
        solver_.AskMate(gamePosition_, attackerMoves);
    }
}

TurnStep MoveJudge::TakeTurn() {
    if (!attacker_) return {};
    const std::vector<MoveValue> moves = GameMoves();
    DropStale(moves);
    if (question_) {
        const std::optional<MateAnswer> answer = solver_.TakeAnswer();
        if (!answer) return {.holdsTurn = true, .wakeInMs = std::nullopt};
        const Question question = *std::exchange(question_, std::nullopt);
        Apply(question, *answer);
    }
    if (reply_) return PlayReply();
    return AskForComputer(moves);
}

void MoveJudge::Apply(const Question& question, const MateAnswer& answer) {
    const bool mates = answer.outcome == MateOutcome::kMate && !answer.line.empty();
    switch (question.purpose) {
        case Purpose::kLength:
            // Without a length the puzzle is not judged, and the engine plays as it always did.
            if (!mates) return;
            length_ = answer.moves;
            known_.push_back({question.moves, answer.line});
            return;
        case Purpose::kVerdict:
            Judge(question, answer);
            return;
        case Purpose::kHint:
            if (mates) {
                known_.push_back({question.moves, answer.line});
                MarkHint(question.moves, answer.line.front());
            } else if (answer.outcome == MateOutcome::kNoMate) {
                display_.ShowThinkingText(NoMateLeftText(*length_));
            }
            return;
    }
}

void MoveJudge::Judge(const Question& question, const MateAnswer& answer) {
    const std::int64_t due = clock_.SteadyMilliseconds() + settings_.paceFactor * kPaceMilliseconds;
    if (answer.outcome == MateOutcome::kMate && !answer.line.empty()) {
        known_.push_back({question.moves, answer.line});
        display_.ShowThinkingText(RightMoveText(answer.moves));
        reply_ = Reply{answer.line.front(), question.moves, due};
    } else if (answer.outcome == MateOutcome::kNoMate && answer.refutation != 0) {
        mistake_ = true;
        display_.ShowThinkingText(
            WrongMoveText(question.attackerMoves + 1, gamePosition_, answer.refutation));
        reply_ = Reply{answer.refutation, question.moves, due};
    } else {
        enginePlays_ = question.moves;
    }
}

TurnStep MoveJudge::PlayReply() {
    const std::int64_t wait = reply_->dueMs - clock_.SteadyMilliseconds();
    if (wait > 0) return {.holdsTurn = true, .wakeInMs = wait};
    const MoveValue move = std::exchange(reply_, std::nullopt)->move;
    // The solver's moves are legal; should the game refuse one all the same, the engine plays.
    if (!game_.PlayMove(move)) enginePlays_ = GameMoves();
    return {};
}

TurnStep MoveJudge::AskForComputer(const std::vector<MoveValue>& moves) {
    if (!ComputerToMove() || enginePlays_ == moves) return {};
    const std::optional<int> left = JudgedMovesLeft(moveList_.currentPly);
    if (!left) {
        enginePlays_ = moves;
        return {};
    }
    // A mated defender has nothing to play, and the engine is not asked to find a move either.
    if (CchessLegalMoves(&gamePosition_, nullptr, 0) > 0) Ask(Purpose::kVerdict, *left);
    return {.holdsTurn = true, .wakeInMs = std::nullopt};
}

void MoveJudge::Hint() {
    const std::vector<MoveValue> moves = GameMoves();
    DropStale(moves);
    if (!length_ || question_ || reply_ || ComputerToMove()) return;
    if (const std::optional<MoveValue> next = KnownNextMove(moves)) {
        MarkHint(moves, *next);
        return;
    }
    const int left = AttackerMovesLeft(*length_, moveList_.currentPly);
    if (left < 1) {
        display_.ShowThinkingText(NoMateLeftText(*length_));
    } else if (left <= kMaxMateMoves) {
        Ask(Purpose::kHint, left);
    }
}

std::optional<MoveValue> MoveJudge::KnownNextMove(const std::vector<MoveValue>& moves) const {
    for (auto known = known_.rbegin(); known != known_.rend(); ++known) {
        const std::size_t before = known->moves.size();
        if (moves.size() < before || moves.size() - before >= known->line.size()) continue;
        if (!std::equal(known->moves.begin(), known->moves.end(), moves.begin())) continue;
        if (!std::equal(moves.begin() + static_cast<std::ptrdiff_t>(before), moves.end(),
                        known->line.begin())) {
            continue;
        }
        return known->line[moves.size() - before];
    }
    return std::nullopt;
}

void MoveJudge::MarkHint(const std::vector<MoveValue>& moves, MoveValue move) {
    game_.ShowHint(move, hintShownAt_ == moves);
    hintShownAt_ = moves;
    hintGiven_ = true;
}

void MoveJudge::RetryMove() {
    if (!attacker_) return;
    // Back to the position before the player's last move: the reply to it goes too, once it came.
    const int plies = ComputerToMove() ? 1 : 2;
    if (moveList_.currentPly < plies) return;
    for (int ply = 0; ply < plies; ++ply)
        game_.TakeBackMove();
    DropStale(GameMoves());
}

bool MoveJudge::BoardTakesMoves() {
    DropStale(GameMoves());
    // The player need not wait for the puzzle's length to move: the verdict waits for it instead.
    if (question_ && (question_->purpose != Purpose::kLength || ComputerToMove())) return false;
    return !reply_;
}

void MoveJudge::BeforeUserMove() {
    moved_ = true;
    if (ComputerToMove() || !JudgedMovesLeft(moveList_.currentPly + 1)) return;
    // A ponder hit would make the engine's search the reply, and a finished ponder search would
    // have its reply played at once: neither may come before the verdict.
    const EngineState state = engine_.State();
    if (IsSearchRunning(state) || state == EngineState::PonderDone) engine_.Halt();
}

}  // namespace tarvelle
