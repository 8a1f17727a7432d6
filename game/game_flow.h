// Every move of the game, the user's and the engine's, passes through here: legality, the
// engine's ponder cycle, the move list, the board and the result. Undo lives here too.
#pragma once

#include <cstdint>
#include <string>

#include "board/main_board.h"
#include "engine/engine_control.h"
#include "game/game_screen.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

// Told of every mate before the result box shows.
class MateObserver {
public:
    // `winner` is the side that mated (0 Red, 1 Black), `plies` the moves of the game as it
    // stands. Returns a line for the result box to add, or an empty text.
    virtual std::string OnMate(std::int16_t winner, int plies) = 0;

protected:
    ~MateObserver() = default;
};

// Consulted on every move the user enters on the board.
class UserMoveGate {
public:
    // False while the board must wait: a click then neither selects nor moves.
    virtual bool BoardTakesMoves() = 0;
    // The user is about to play a legal move; the engine has not heard of it yet.
    virtual void BeforeUserMove() = 0;

protected:
    ~UserMoveGate() = default;
};

class GameFlow final {
public:
    GameFlow(PositionRecord& gamePosition, MoveList& moveList, BoardMarks& marks, MainBoard& board,
             EngineControl& engine, GameScreen& screen);

    // Records and plays a legal move and announces a result it brings; a reply the engine had
    // ready for that move follows at once. Returns false, changing nothing, for an illegal move or
    // when the move list is full.
    bool AcceptMove(MoveValue move);

    // AcceptMove, and when the move is taken the FEN box shows the new position. The way both
    // the user's and the computer's moves are played.
    bool PlayMove(MoveValue move);

    // Plays the computer's move that the engine link reported, and tells the link whether the
    // game took it.
    void PlayEngineMove(MoveValue move);

    // Side to move on the board, and after the last listed move; both read the game record.
    std::int16_t BoardSide() const { return tarvelle::BoardSide(gamePosition_); }
    std::int16_t GameSide() const { return tarvelle::GameSide(gamePosition_, moveList_); }

    // The move-entry step for a clicked square: a piece of the side to move becomes the
    // selection; any other point completes the move from the selection, if there is one.
    void EnterSquare(Square square);

    // Shows the lost king marked and the result in a message box, with `note` as a line of its
    // own below the result when it is not empty.
    void AnnounceResult(const std::string& text, const std::string& note);

    // From now on mates are told to `observer` (null: to nobody), which must outlive the game.
    void ObserveMates(MateObserver* observer) { mateObserver_ = observer; }

    // From now on the user's moves pass `gate` (null: none), which must outlive the game.
    void GateUserMoves(UserMoveGate* gate) { userMoveGate_ = gate; }

    // Shows a move the user might play: its piece becomes the selection, and with `destination`
    // its destination is framed too, until the next move, take-back or new game.
    void ShowHint(MoveValue move, bool destination);

    // Undo: halts the engine, takes back one ply, cuts the list there and marks the move that is
    // now last.
    void TakeBackMove();

    // A new game on the main board from `position` (the editor's), which `startFen` describes to
    // the engine: the engine is settled first, and the board is redrawn with no marks left over
    // from the old game. The side question is the caller's.
    void StartFromPosition(const PositionRecord& position, const std::string& startFen);

private:
    // Leaves a connected engine Ready and makes the position on the board the end of the game.
    void SettleGame();
    // EnterSquare on a board that takes moves.
    void TakeSquare(Square square);
    void Select(Square square);
    // Draws a destination the hint framed plain again.
    void ClearHintDestination();

    PositionRecord& gamePosition_;
    MoveList& moveList_;
    BoardMarks& marks_;
    MainBoard& board_;
    EngineControl& engine_;
    GameScreen& screen_;
    MateObserver* mateObserver_ = nullptr;
    UserMoveGate* userMoveGate_ = nullptr;
    Square hintDestination_ = 0;
};

}  // namespace tarvelle
