// A puzzle's stored solution, the fourth field of its line in the puzzle file, as moves.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "game/puzzle_list.h"
#include "position/position_record.h"

namespace tarvelle {

// The moves of the row's solution (engine move text, one word per move) played from its FEN. The
// line ends before the first word that is not a legal move there, so a fourth field that holds no
// solution, such as a comment in a file written for the three-field format, gives no moves.
std::vector<MoveValue> SolutionMoves(const PuzzleRow& row);

// The length a puzzle is named by: the attacking moves of its solution; none without a solution.
std::optional<int> NamedLength(std::span<const MoveValue> solution);

// The attacker's moves among the first `plies` of a puzzle's game, in which it moves first.
constexpr int AttackerMoves(int plies) {
    return (plies + 1) / 2;
}

// The moves the attacker has left, after the first `plies` of the game, to mate within `length`.
constexpr int AttackerMovesLeft(int length, int plies) {
    return length - AttackerMoves(plies);
}

}  // namespace tarvelle
