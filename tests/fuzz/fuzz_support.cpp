#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "record_invariants.h"

namespace tarvelle::fuzz {

void Fail(const std::string& what, const PositionRecord& record) {
    // The library promises safe FEN output even for damaged records, so the position can always be
    // shown.
    std::fprintf(stderr, "fuzz target: %s\n  position: %s\n", what.c_str(),
                 CchessBoard2Fen(&record));
    std::abort();
}

void RequireSound(const PositionRecord& record, const char* when) {
    const std::string fault = testing::RecordFaults(record);
    if (!fault.empty()) Fail(std::string(when) + ": " + fault, record);
}

bool SameBytes(const PositionRecord& a, const PositionRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool IsBoardPoint(int square) {
    const int row = square / 16;
    const int column = square % 16;
    return square >= 0 && square < 256 && row >= 3 && row <= 12 && column >= 3 && column <= 11;
}

int KingSquare(const PositionRecord& record, int side) {
    return record.pieceSquares[side == 0 ? 16 : 32];
}

}  // namespace tarvelle::fuzz
