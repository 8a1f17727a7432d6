#include "engine/search_commands.h"

#include <cmath>

namespace tarvelle {

std::int64_t NodeBudget(std::int16_t searchLevel) {
    const double budget = std::pow(6.0, 2.0 - searchLevel);
    // Beyond this a double no longer converts to a 64-bit integer.
    constexpr double kLargest = 9.2e18;
    return budget >= kLargest ? static_cast<std::int64_t>(kLargest)
                              : static_cast<std::int64_t>(budget);
}

std::string PositionCommand(std::string_view startFen, std::span<const MoveValue> playedMoves,
                            MoveValue assumedMove, RankNumbering ranks) {
    std::string command = "position fen ";
    command += startFen;
    if (!playedMoves.empty() || assumedMove != 0) command += " moves";
    const auto appendMove = [&command, ranks](MoveValue move) {
        command += ' ';
        command += MoveToCoord(move, ranks);
    };
    for (const MoveValue move : playedMoves)
        appendMove(move);
    if (assumedMove != 0) appendMove(assumedMove);
    return command;
}

}  // namespace tarvelle
