#include "plain_mate_search.h"

namespace tarvelle::testing {

std::vector<std::int32_t> AllLegalMoves(const PositionRecord& record) {
    std::vector<std::int32_t> moves(CCHESS_MAX_MOVES);
    moves.resize(
        static_cast<std::size_t>(CchessLegalMoves(&record, moves.data(), CCHESS_MAX_MOVES)));
    return moves;
}

int PlainMateSearch::MateLength(PositionRecord& record, int most) {
    for (int moves = 1; moves <= most; ++moves) {
        if (AttackerMates(record, moves)) return moves;
    }
    return 0;
}

bool PlainMateSearch::AttackerMates(PositionRecord& record, int moves) {
    if (moves <= 0) return false;
    const auto key = std::make_pair(std::string(CchessBoard2Fen(&record)), 2 * moves);
    if (const auto found = decided_.find(key); found != decided_.end()) return found->second;
    bool mates = false;
    for (const std::int32_t move : AllLegalMoves(record)) {
        int status = 0;
        CchessTryMove(&record, &status, move);
        mates =
            (status & CCHESS_STATUS_LOST) != 0 || (moves > 1 && DefenderLoses(record, moves - 1));
        CchessUndoMove(&record);
        if (mates) break;
    }
    decided_[key] = mates;
    return mates;
}

bool PlainMateSearch::DefenderLoses(PositionRecord& record, int moves) {
    const auto key = std::make_pair(std::string(CchessBoard2Fen(&record)), 2 * moves + 1);
    if (const auto found = decided_.find(key); found != decided_.end()) return found->second;
    bool loses = true;
    for (const std::int32_t reply : AllLegalMoves(record)) {
        CchessTryMove(&record, nullptr, reply);
        loses = AttackerMates(record, moves);
        CchessUndoMove(&record);
        if (!loses) break;
    }
    decided_[key] = loses;
    return loses;
}

}  // namespace tarvelle::testing
