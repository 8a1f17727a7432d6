#include "game/game_start.h"

namespace tarvelle {

void StartGameFromFen(PositionRecord& gamePosition, MoveList& moveList, const std::string& fen) {
    CchessFen2Board(&gamePosition, fen.c_str());
    moveList.gameStartFen = fen;
    moveList.moveCount = 0;
    moveList.currentPly = 0;
}

}  // namespace tarvelle
