// What the two dialects share of the lines that start a search: the node budget and the position
// with the moves that led to it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/move_text.h"
#include "position/position_record.h"

namespace tarvelle {

// 6 to the power (2 - searchLevel), truncated; 10077696 at level -7. Saturates for levels that
// no side question sets rather than overflow.
std::int64_t NodeBudget(std::int16_t searchLevel);

// "position fen F", then " moves" and each played move in the engine's move text when there are
// any, then `assumedMove` (0 for none) as if it had been played too.
std::string PositionCommand(std::string_view startFen, std::span<const MoveValue> playedMoves,
                            MoveValue assumedMove, RankNumbering ranks);

}  // namespace tarvelle
