// Finding the rows of the puzzle file that hold given positions: the records of solves and
// attempts know a puzzle by its position, not by its row.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "game/puzzle_list.h"

namespace tarvelle {

// The index in `rows` of the first row holding each of `positions` (position keys,
// PuzzlePositionKey); a position no row holds is left out. The keys view the texts `positions`
// views.
std::unordered_map<std::string_view, std::size_t> RowsByPosition(
    std::span<const PuzzleRow> rows, const std::unordered_set<std::string_view>& positions);

}  // namespace tarvelle
