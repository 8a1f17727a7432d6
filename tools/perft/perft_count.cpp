#include "perft_count.h"

#include <stdexcept>

namespace tarvelle {

namespace {

// A listed move that the library then refuses means its generator and its legality test disagree;
// a count built past that would be wrong, so it stops the count.
void Play(PositionRecord& record, std::int32_t move) {
    if (CchessTryMove(&record, nullptr, move) == 0) {
        throw std::logic_error("the rules library refused a move it listed as legal");
    }
}

}  // namespace

std::uint64_t Perft(PositionRecord& record, int depth) {
    if (depth <= 0) return 1;
    // At the last ply the number of legal moves is the count; making them would add nothing.
    if (depth == 1) return static_cast<std::uint64_t>(CchessLegalMoves(&record, nullptr, 0));
    std::int32_t moves[CCHESS_MAX_MOVES];
    const int count = CchessLegalMoves(&record, moves, CCHESS_MAX_MOVES);
    std::uint64_t nodes = 0;
    for (int i = 0; i < count; ++i) {
        Play(record, moves[i]);
        nodes += Perft(record, depth - 1);
        CchessUndoMove(&record);
    }
    return nodes;
}

std::vector<RootMoveCount> PerftDivide(PositionRecord& record, int depth) {
    std::vector<RootMoveCount> counts;
    if (depth <= 0) return counts;
    std::int32_t moves[CCHESS_MAX_MOVES];
    const int count = CchessLegalMoves(&record, moves, CCHESS_MAX_MOVES);
    for (int i = 0; i < count; ++i) {
        Play(record, moves[i]);
        counts.push_back({moves[i], Perft(record, depth - 1)});
        CchessUndoMove(&record);
    }
    return counts;
}

}  // namespace tarvelle
