// The trainer's words: the line the result box adds when the player mates in a puzzle from the
// puzzle list, and the thinking box's verdicts on the player's moves.
#pragma once

#include <optional>
#include <string>

#include "position/position_record.h"

namespace tarvelle {

// `playerMoves` counts the player's moves in the game as it stands; `namedLength` is the length of
// the puzzle's stored solution, when it has one.
std::string PuzzleVerdictText(int playerMoves, std::optional<int> namedLength);

// A move that still mates: `movesLeft` more moves mate against the best defence.
std::string RightMoveText(int movesLeft);

// A move that does not mate within the `movesHad` moves the player had for it, this one included:
// "此着不能在3步内成杀：黑方 将5平4", with the defender's refutation from `afterMove` in book
// notation.
std::string WrongMoveText(int movesHad, const PositionRecord& afterMove, MoveValue refutation);

// A hint asked where the player can no longer mate within the puzzle's `length`.
std::string NoMateLeftText(int length);

}  // namespace tarvelle
