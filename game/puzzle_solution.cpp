#include "game/puzzle_solution.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "engine/move_text.h"

namespace tarvelle {

std::vector<MoveValue> SolutionMoves(const PuzzleRow& row) {
    constexpr std::string_view kBlanks = " \t";
    constexpr std::size_t kMoveTextLength = 4;
    const auto position = std::make_unique<PositionRecord>();
    CchessFen2Board(position.get(), row.fen.c_str());
    std::vector<MoveValue> moves;
    std::string_view rest = row.solution;
    while (true) {
        rest.remove_prefix(std::min(rest.find_first_not_of(kBlanks), rest.size()));
        const std::string_view word = rest.substr(0, rest.find_first_of(kBlanks));
        if (word.size() != kMoveTextLength) break;
        const MoveValue move = CoordToMove(word);
        if (move == 0 || CchessTryMove(position.get(), nullptr, move) == 0) break;
        moves.push_back(move);
        rest.remove_prefix(word.size());
    }
    return moves;
}

std::optional<int> NamedLength(std::span<const MoveValue> solution) {
    if (solution.empty()) return std::nullopt;
    return AttackerMoves(static_cast<int>(solution.size()));
}

}  // namespace tarvelle
