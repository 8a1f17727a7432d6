#include "game/game_flow.h"

#include <algorithm>
#include <array>
#include <optional>

#include "game/move_stepping.h"
#include "position/fen_text.h"

namespace tarvelle {

namespace {

constexpr PieceCode kRedKing = 16;
constexpr PieceCode kBlackKing = 32;

bool IsLegalMove(const PositionRecord& position, MoveValue move) {
    std::array<MoveValue, CCHESS_MAX_MOVES> moves{};
    const int count = CchessLegalMoves(&position, moves.data(), CCHESS_MAX_MOVES);
    return std::find(moves.begin(), moves.begin() + count, move) != moves.begin() + count;
}

}  // namespace

GameFlow::GameFlow(PositionRecord& gamePosition, MoveList& moveList, BoardMarks& marks,
                   MainBoard& board, EngineControl& engine, GameScreen& screen)
    : gamePosition_(gamePosition),
      moveList_(moveList),
      marks_(marks),
      board_(board),
      engine_(engine),
      screen_(screen) {}

bool GameFlow::AcceptMove(MoveValue move) {
    int status = 0;
    if (CchessTryMove(&gamePosition_, &status, move) == 0) return false;
    CchessUndoMove(&gamePosition_);
    if (moveList_.moveCount >= MoveList::kCapacity) return false;

    engine_.BeforeMove(move);
    AppendMove(moveList_, move);
    PlayNextMove(gamePosition_, moveList_, board_);
    ClearHintDestination();

    if ((status & CCHESS_STATUS_LOST) != 0) {
        const bool blackLost = BoardSide() == kBlackSide;
        marks_.lostKingSquare = gamePosition_.pieceSquares[blackLost ? kBlackKing : kRedKing];
        const std::int16_t winner = blackLost ? kRedSide : kBlackSide;
        AnnounceResult(blackLost ? "红胜。" : "黑胜。",
                       mateObserver_ ? mateObserver_->OnMate(winner, moveList_.currentPly) : "");
    }
    if (const std::optional<MoveValue> reply = engine_.AfterMove(move)) PlayEngineMove(*reply);
    return true;
}

bool GameFlow::PlayMove(MoveValue move) {
    if (!AcceptMove(move)) return false;
    screen_.ShowFenText(GameFenText(gamePosition_));
    return true;
}

void GameFlow::PlayEngineMove(MoveValue move) {
    engine_.EngineMovePlayed(PlayMove(move));
}

void GameFlow::EnterSquare(Square square) {
    if (userMoveGate_ == nullptr || userMoveGate_->BoardTakesMoves()) TakeSquare(square);
    screen_.ShowStatusText(0, EngineStatusText(engine_.State()));
}

void GameFlow::TakeSquare(Square square) {
    if (IsOwnPiece(gamePosition_.squares[square], BoardSide())) {
        Select(square);
    } else if (marks_.selectedSquare > 0) {
        const MoveValue move = MakeMoveValue(marks_.selectedSquare, square);
        if (userMoveGate_ != nullptr && IsLegalMove(gamePosition_, move))
            userMoveGate_->BeforeUserMove();
        PlayMove(move);
    }
}

void GameFlow::Select(Square square) {
    if (marks_.selectedSquare > 0) board_.DrawSquare(marks_.selectedSquare, false);
    marks_.selectedSquare = static_cast<std::int16_t>(square);
    board_.DrawSquare(square, true);
}

void GameFlow::ShowHint(MoveValue move, bool destination) {
    ClearHintDestination();
    Select(MoveFrom(move));
    if (!destination) return;
    hintDestination_ = MoveTo(move);
    board_.DrawSquare(hintDestination_, true);
}

void GameFlow::ClearHintDestination() {
    if (hintDestination_ == 0) return;
    // The move that was just played may have drawn it already; drawing it again costs nothing.
    board_.DrawSquare(hintDestination_, false);
    hintDestination_ = 0;
}

void GameFlow::AnnounceResult(const std::string& text, const std::string& note) {
    if (marks_.lostKingSquare > 0) board_.DrawSquare(marks_.lostKingSquare, true);
    screen_.ShowMessage(text + "\n\n本局结束!" + (note.empty() ? "" : "\n" + note), "胜负：");
}

void GameFlow::TakeBackMove() {
    if (IsEngineLoaded(engine_.State())) engine_.Halt();
    if (moveList_.currentPly > 0) StepBack(gamePosition_, moveList_, board_);
    SettleGame();
    ClearHintDestination();
    board_.RefreshMoveMarks();
}

void GameFlow::StartFromPosition(const PositionRecord& position, const std::string& startFen) {
    moveList_.currentPly = 0;
    SettleGame();
    moveList_.gameStartFen = startFen;
    gamePosition_ = position;
    hintDestination_ = 0;
    board_.RedrawBoard();
    // A piece picked in the old game must not move in the new one.
    board_.RefreshMoveMarks();
}

void GameFlow::SettleGame() {
    engine_.Settle();
    moveList_.moveCount = moveList_.currentPly;
}

}  // namespace tarvelle
