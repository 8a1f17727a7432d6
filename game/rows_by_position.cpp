#include "game/rows_by_position.h"

#include "game/solved_puzzles.h"

namespace tarvelle {

std::unordered_map<std::string_view, std::size_t> RowsByPosition(
    std::span<const PuzzleRow> rows, const std::unordered_set<std::string_view>& positions) {
    std::unordered_map<std::string_view, std::size_t> found;
    for (std::size_t index = 0; index < rows.size() && found.size() < positions.size(); ++index) {
        const auto position = positions.find(PuzzlePositionKey(rows[index].fen));
        if (position != positions.end()) found.emplace(*position, index);
    }
    return found;
}

}  // namespace tarvelle
