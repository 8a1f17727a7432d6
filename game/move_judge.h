// The trainer that judges every move of a puzzle. When the player, who attacks, has moved, the
// mate solver is asked on its worker thread whether the attacker still mates within the moves
// left of the puzzle's length; until it answers the board takes no move. A move that still mates
// is answered with the defence that resists longest, one that does not with its refutation and a
// verdict in the thinking box; either comes after the pause the engine's moves come after, and in
// place of the engine. When the solver cannot tell within its budget, the engine plays as it
// would without the trainer.
//
// Questions and replies belong to the game's moves as they stood when they were asked: once the
// game has moved on or back, they are given up.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/engine_control.h"
#include "engine/engine_display.h"
#include "engine/link_clock.h"
#include "engine/search_settings.h"
#include "game/game_flow.h"
#include "game/solver_worker.h"
#include "game/turn_taker.h"
#include "position/move_list.h"

namespace tarvelle {

// What the trainer's solver may spend on one question before the engine is asked instead, and the
// size of its table. The table's memory is taken from the system only as the search reaches it.
constexpr std::chrono::milliseconds kTrainerQuestionTime{2000};
constexpr std::size_t kTrainerTableMegabytes = 64;

class MoveJudge final : public TurnTaker, public UserMoveGate {
public:
    // Everything must outlive the judge.
    MoveJudge(GameFlow& game, const PositionRecord& gamePosition, const MoveList& moveList,
              EngineControl& engine, EngineDisplay& display, LinkClock& clock,
              const SearchSettings& settings, SolverWorker& solver);

    // A puzzle's game has started from its position, with `attacker` to move. Its moves are
    // judged against `storedLength`; without one, against the length the solver finds now.
    void Begin(std::int16_t attacker, std::optional<int> storedLength);
    // The game is no puzzle any more: nothing is judged.
    void End();

    // The length the moves are judged against; none while it is not known.
    std::optional<int> Length() const { return length_; }
    // What the player did in the game since Begin: moved, played a move judged wrong, took a
    // hint.
    bool Moved() const { return moved_; }
    bool MistakeMade() const { return mistake_; }
    bool HintGiven() const { return hintGiven_; }

    // The answer that has come, the reply that is due, or the question for the computer's move.
    TurnStep TakeTurn() override;

    // 提示: the piece the solver's line moves next from the position on the board becomes the
    // selection; asked again in the same position, its destination is framed too.
    void Hint();
    // 重走此步: takes back the player's last move, and the reply to it when it came.
    void RetryMove();

    bool BoardTakesMoves() override;
    // Stops the engine's pondering when this move is to be judged, so that no reply of the
    // engine's comes before the verdict.
    void BeforeUserMove() override;

private:
    enum class Purpose { kLength, kVerdict, kHint };
    struct Question {
        Purpose purpose;
        // The game's moves when it was asked.
        std::vector<MoveValue> moves;
        int attackerMoves;
    };
    struct Reply {
        MoveValue move;
        std::vector<MoveValue> moves;
        std::int64_t dueMs;
    };
    // A line of the solver's, from the position after `moves`.
    struct KnownLine {
        std::vector<MoveValue> moves;
        std::vector<MoveValue> line;
    };

    std::vector<MoveValue> GameMoves() const;
    bool ComputerToMove() const;
    // The attacker's moves left after `plies` when they are to be judged: the length is known and
    // the solver can take the question.
    std::optional<int> JudgedMovesLeft(int plies) const;
    // Gives up a question or a reply the game has left behind.
    void DropStale(const std::vector<MoveValue>& moves);
    void Ask(Purpose purpose, int attackerMoves);
    void Apply(const Question& question, const MateAnswer& answer);
    void Judge(const Question& question, const MateAnswer& answer);
    TurnStep PlayReply();
    // The question for the computer's move, when this position is to be judged.
    TurnStep AskForComputer(const std::vector<MoveValue>& moves);
    // The attacker's next move in a line the solver gave for the game as it stands.
    std::optional<MoveValue> KnownNextMove(const std::vector<MoveValue>& moves) const;
    void MarkHint(const std::vector<MoveValue>& moves, MoveValue move);
    void Forget();

    GameFlow& game_;
    const PositionRecord& gamePosition_;
    const MoveList& moveList_;
    EngineControl& engine_;
    EngineDisplay& display_;
    LinkClock& clock_;
    const SearchSettings& settings_;
    SolverWorker& solver_;

    std::optional<std::int16_t> attacker_;
    std::optional<int> length_;
    std::optional<Question> question_;
    std::optional<Reply> reply_;
    // The game's moves for which the engine plays the computer's move.
    std::optional<std::vector<MoveValue>> enginePlays_;
    std::vector<KnownLine> known_;
    // The game's moves when the hint last showed a piece.
    std::optional<std::vector<MoveValue>> hintShownAt_;
    bool moved_ = false;
    bool mistake_ = false;
    bool hintGiven_ = false;
};

}  // namespace tarvelle
