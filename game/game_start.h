// The start of a game from a FEN text.
#pragma once

#include <string>

#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

// Sets the game record to the position of `fen`, however the rules library repairs it, keeps the
// text as the start FEN sent to the engine, and empties the move list. The side to move comes from
// the record, so that a game may start with Black to move.
void StartGameFromFen(PositionRecord& gamePosition, MoveList& moveList, const std::string& fen);

}  // namespace tarvelle
