// A full check of a record, for tests and fuzzing.
#include <cchess/cchess.h>

#include <algorithm>
#include <cstring>

#include "geometry.h"
#include "record_fields.h"

using namespace cchess;

namespace {

bool AllZero(const void* data, std::size_t size) {
    static constexpr std::uint8_t kZeros[4096] = {};
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t done = 0; done < size; done += sizeof kZeros) {
        const std::size_t chunk = std::min(sizeof kZeros, size - done);
        if (std::memcmp(bytes + done, kZeros, chunk) != 0) return false;
    }
    return true;
}

bool PiecesAgree(const PositionRecord& r) {
    for (int square = 0; square < 256; ++square) {
        const int code = r.squares[square];
        if (code == 0) continue;
        if (!kTables.boardPoint[square] || !IsPieceCode(code) || r.pieceSquares[code] != square) {
            return false;
        }
    }
    for (int code = 0; code < 48; ++code) {
        const int square = r.pieceSquares[code];
        if (square == 0) continue;
        if (!IsPieceCode(code) || !kTables.boardPoint[square] || r.squares[square] != code)
            return false;
    }
    return true;
}

bool OccupancyAgrees(const PositionRecord& r) {
    for (int line = 0; line < 16; ++line) {
        unsigned rowBits = 0;
        unsigned columnBits = 0;
        for (int i = 0; i < 16; ++i) {
            if (r.squares[SquareAt(line, i)] != 0) rowBits |= 1u << i;
            if (r.squares[SquareAt(i, line)] != 0) columnBits |= 1u << i;
        }
        if (RowBits(r, line) != rowBits || ColumnBits(r, line) != columnBits) return false;
    }
    return true;
}

bool HistoryIsSound(const PositionRecord& r) {
    const int count = r.libInts1[0];
    if (count < 0 || count > CCHESS_HISTORY_CAPACITY) return false;
    for (int i = 0; i < count; ++i) {
        const HistoryEntry entry = ReadHistory(r, i);
        if (!kTables.boardPoint[entry.from] || !kTables.boardPoint[entry.to] ||
            entry.sideBefore > 1) {
            return false;
        }
        if (entry.captured != 0 && !IsPieceCode(entry.captured)) return false;
    }
    const std::size_t used = static_cast<std::size_t>(count) * sizeof(HistoryEntry);
    return AllZero(HistoryBytes(r) + used, sizeof r.libEntries - used);
}

}  // namespace

extern "C" {

int CchessRecordIsConsistent(const PositionRecord* record) {
    if (record == nullptr) return 0;
    const PositionRecord& r = *record;
    const bool unusedZero = AllZero(&r.libInts1[1], 3 * sizeof r.libInts1[0]) &&
                            AllZero(r.libInts2, sizeof r.libInts2) &&
                            AllZero(r.libBytes, sizeof r.libBytes);
    return (r.side == 0 || r.side == 1) && PiecesAgree(r) && OccupancyAgrees(r) &&
                   HistoryIsSound(r) && unusedZero
               ? 1
               : 0;
}

}  // extern "C"
