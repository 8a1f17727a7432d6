#include "game/puzzle_verdict.h"

namespace tarvelle {

std::string PuzzleVerdictText(int playerMoves, std::optional<int> namedLength) {
    const std::string used = std::to_string(playerMoves);
    if (!namedLength) return "用了" + used + "步";
    const std::string named = std::to_string(*namedLength);
    if (playerMoves <= *namedLength) return "解题成功：" + named + "步杀，用了" + used + "步。";
    return "已杀，比" + named + "步多用了" + std::to_string(playerMoves - *namedLength) + "步。";
}

}  // namespace tarvelle
