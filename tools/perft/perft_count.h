// Counting the leaf nodes of the legal move tree, the standard check of a move generator.
#pragma once

#include <cchess/cchess.h>

#include <cstdint>
#include <vector>

namespace tarvelle {

// Number of move sequences of exactly `depth` plies from the record's position. The record is
// walked with CchessTryMove/CchessUndoMove and comes back unchanged.
std::uint64_t Perft(PositionRecord& record, int depth);

struct RootMoveCount {
    std::int32_t move;
    std::uint64_t nodes;
};

// The same count split by the first move, in the order the library lists the moves.
std::vector<RootMoveCount> PerftDivide(PositionRecord& record, int depth);

}  // namespace tarvelle
