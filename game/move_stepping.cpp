#include "game/move_stepping.h"

#include <cstddef>

namespace tarvelle {

void PlayNextMove(PositionRecord& gamePosition, MoveList& moveList, MainBoard& board) {
    ++moveList.currentPly;
    const MoveValue move = moveList.moves[static_cast<std::size_t>(moveList.currentPly)];
    // Listed moves were found legal when they were accepted.
    CchessTryMove(&gamePosition, nullptr, move);
    board.DrawSquare(MoveTo(move), false);
    board.DrawSquare(MoveFrom(move), false);
}

void StepBack(PositionRecord& gamePosition, MoveList& moveList, MainBoard& board) {
    CchessUndoMove(&gamePosition);
    const MoveValue move = moveList.moves[static_cast<std::size_t>(moveList.currentPly)];
    board.DrawSquare(MoveFrom(move), false);
    board.DrawSquare(MoveTo(move), false);
    --moveList.currentPly;
}

}  // namespace tarvelle
