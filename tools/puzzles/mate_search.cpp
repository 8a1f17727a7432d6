#include "mate_search.h"

#include <algorithm>

namespace tarvelle {
namespace {

bool EveryReplyLoses(PositionRecord& record, int moves) {
    for (const int32_t reply : LegalMoves(record)) {
        CchessTryMove(&record, nullptr, reply);
        const std::vector<int32_t> answers = LegalMoves(record);
        const bool lost = std::any_of(answers.begin(), answers.end(), [&](int32_t answer) {
            return MoveMatesWithin(record, answer, moves);
        });
        CchessUndoMove(&record);
        if (!lost) return false;
    }
    return true;
}

}  // namespace

std::vector<int32_t> LegalMoves(const PositionRecord& record) {
    std::vector<int32_t> moves(CCHESS_MAX_MOVES);
    const int count = CchessLegalMoves(&record, moves.data(), CCHESS_MAX_MOVES);
    moves.resize(static_cast<std::size_t>(std::min<int>(count, CCHESS_MAX_MOVES)));
    return moves;
}

bool MoveMatesWithin(PositionRecord& record, int32_t move, int moves) {
    int status = 0;
    if (CchessTryMove(&record, &status, move) == 0) return false;
    const bool mates =
        (status & CCHESS_STATUS_LOST) != 0 || (moves > 1 && EveryReplyLoses(record, moves - 1));
    CchessUndoMove(&record);
    return mates;
}

std::vector<std::pair<int32_t, int>> MatingFirstMoves(PositionRecord& record, int moves) {
    std::vector<std::pair<int32_t, int>> found;
    for (const int32_t move : LegalMoves(record)) {
        // Mating within n moves implies mating within n + 1, so the first n that works is the
        // fewest, and a move that fails at `moves` fails at every n.
        if (!MoveMatesWithin(record, move, moves)) continue;
        int fewest = 1;
        while (fewest < moves && !MoveMatesWithin(record, move, fewest))
            ++fewest;
        found.emplace_back(move, fewest);
    }
    return found;
}

std::string EngineMoveText(int32_t move) {
    std::string text;
    for (const int square : {move % 256, move / 256}) {
        text += static_cast<char>('a' + square % 16 - 3);
        text += std::to_string(10 - (square / 16 - 3));
    }
    return text;
}

}  // namespace tarvelle
