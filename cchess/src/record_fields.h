// The library's own use of a record's working-data fields:
//   libShorts1[row]    bit c set when (row, c) holds a piece: the occupancy of each row;
//   libShorts2[column] bit r set when (r, column) holds a piece: the occupancy of each column;
//   libInts1[0]        number of moves in the undo history;
//   libEntries         the undo history, four bytes per move: from, to, captured code, side before.
// Every other working byte stays zero, and so does every history slot above the count, so that a
// move made and taken back leaves the record byte for byte as it was.
#pragma once

#include <cchess/cchess.h>

#include <cstdint>
#include <cstring>

#include "geometry.h"

namespace cchess {

inline std::uint16_t RowBits(const PositionRecord& record, int row) {
    return static_cast<std::uint16_t>(record.libShorts1[row]);
}
inline std::uint16_t ColumnBits(const PositionRecord& record, int column) {
    return static_cast<std::uint16_t>(record.libShorts2[column]);
}

inline void MarkOccupied(PositionRecord& record, int square) {
    const int row = Row(square);
    const int column = Column(square);
    record.libShorts1[row] = static_cast<std::int16_t>(RowBits(record, row) | (1u << column));
    record.libShorts2[column] = static_cast<std::int16_t>(ColumnBits(record, column) | (1u << row));
}

inline void MarkEmpty(PositionRecord& record, int square) {
    const int row = Row(square);
    const int column = Column(square);
    record.libShorts1[row] = static_cast<std::int16_t>(RowBits(record, row) & ~(1u << column));
    record.libShorts2[column] =
        static_cast<std::int16_t>(ColumnBits(record, column) & ~(1u << row));
}

// Puts a code on an empty board point, keeping the square table, the piece table and the
// occupancy in step.
inline void PlacePiece(PositionRecord& record, int square, std::uint8_t code) {
    record.squares[square] = code;
    if (IsPieceCode(code)) record.pieceSquares[code] = static_cast<std::uint8_t>(square);
    MarkOccupied(record, square);
}

// Empties a board point, whatever stands on it.
inline void LiftPiece(PositionRecord& record, int square) {
    const std::uint8_t code = record.squares[square];
    if (IsPieceCode(code) && record.pieceSquares[code] == square) record.pieceSquares[code] = 0;
    record.squares[square] = 0;
    MarkEmpty(record, square);
}

struct HistoryEntry {
    std::uint8_t from;
    std::uint8_t to;
    std::uint8_t captured;
    std::uint8_t sideBefore;
};
static_assert(sizeof(HistoryEntry) == 4);
static_assert(CCHESS_HISTORY_CAPACITY * sizeof(HistoryEntry) == sizeof(PositionRecord::libEntries));

// The count as stored, clamped so that a damaged record can never index outside the history.
inline int HistoryCount(const PositionRecord& record) {
    const std::int32_t stored = record.libInts1[0];
    if (stored < 0) return 0;
    return stored > CCHESS_HISTORY_CAPACITY ? CCHESS_HISTORY_CAPACITY : stored;
}

inline std::uint8_t* HistoryBytes(PositionRecord& record) {
    return reinterpret_cast<std::uint8_t*>(record.libEntries);
}
inline const std::uint8_t* HistoryBytes(const PositionRecord& record) {
    return reinterpret_cast<const std::uint8_t*>(record.libEntries);
}

inline HistoryEntry ReadHistory(const PositionRecord& record, int index) {
    const std::uint8_t* bytes = HistoryBytes(record) + index * sizeof(HistoryEntry);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

inline void WriteHistory(PositionRecord& record, int index, HistoryEntry entry) {
    std::uint8_t* bytes = HistoryBytes(record) + index * sizeof(HistoryEntry);
    bytes[0] = entry.from;
    bytes[1] = entry.to;
    bytes[2] = entry.captured;
    bytes[3] = entry.sideBefore;
}

// Empties the history. The whole area is zeroed, so even a damaged record comes out clean.
inline void ClearHistory(PositionRecord& record) {
    record.libInts1[0] = 0;
    std::memset(record.libEntries, 0, sizeof record.libEntries);
}

inline int SideToMove(const PositionRecord& record) {
    return record.side == 0 ? kRed : kBlack;
}

}  // namespace cchess
