// The two lines that start a search: the position with the moves that led to it, and "go" with
// the node budget.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "position/position_record.h"

namespace tarvelle {

// 6 to the power (2 - searchLevel), truncated; 10077696 at level -7. Saturates for levels that
// no side question sets rather than overflow.
std::int64_t NodeBudget(std::int16_t searchLevel);

// "position fen F", then " moves" and each played move in coordinate text when there are any,
// then `assumedMove` (0 for none) as if it had been played too.
std::string PositionCommand(std::string_view startFen, std::span<const MoveValue> playedMoves,
                            MoveValue assumedMove);

// "go", " ponder" for a search on the user's time, then " nodes " and the budget.
std::string GoCommand(bool ponder, std::int64_t nodeBudget);

}  // namespace tarvelle
