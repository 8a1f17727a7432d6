#include "game/puzzle_verdict.h"

#include "position/chinese_notation.h"

namespace tarvelle {

std::string PuzzleVerdictText(int playerMoves, std::optional<int> namedLength) {
    const std::string used = std::to_string(playerMoves);
    if (!namedLength) return "用了" + used + "步";
    const std::string named = std::to_string(*namedLength);
    if (playerMoves <= *namedLength) return "解题成功：" + named + "步杀，用了" + used + "步。";
    return "已杀，比" + named + "步多用了" + std::to_string(playerMoves - *namedLength) + "步。";
}

std::string RightMoveText(int movesLeft) {
    return "此着正确：还需" + std::to_string(movesLeft) + "步成杀";
}

std::string WrongMoveText(int movesHad, const PositionRecord& afterMove, MoveValue refutation) {
    const char* defender = afterMove.side == kRedSide ? "红方 " : "黑方 ";
    return "此着不能在" + std::to_string(movesHad) + "步内成杀：" + defender +
           ChineseMoveText(afterMove, refutation);
}

std::string NoMateLeftText(int length) {
    return "已不能在" + std::to_string(length) + "步内成杀";
}

}  // namespace tarvelle
