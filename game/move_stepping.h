// Moving the game record along the move list, one ply at a time, with the board kept in step.
// Neither changes the list itself.
#pragma once

#include "board/main_board.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

// Plays the move after the current ply on the game record and draws its two squares plain.
void PlayNextMove(PositionRecord& gamePosition, MoveList& moveList, MainBoard& board);

// Takes back the move of the current ply and draws its two squares plain. Needs currentPly > 0.
void StepBack(PositionRecord& gamePosition, MoveList& moveList, MainBoard& board);

}  // namespace tarvelle
