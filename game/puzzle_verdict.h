// The line the result box adds when the player mates in a puzzle from the puzzle list.
#pragma once

#include <optional>
#include <string>

namespace tarvelle {

// `playerMoves` counts the player's moves in the game as it stands; `namedLength` is the length of
// the puzzle's stored solution, when it has one.
std::string PuzzleVerdictText(int playerMoves, std::optional<int> namedLength);

}  // namespace tarvelle
