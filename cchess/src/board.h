// A compact working copy of a record's board, on which moves are tried and attacks are found.
// Generating moves never writes to the caller's record: a trial move is made and taken back here.
#pragma once

#include <cchess/cchess.h>

#include <bit>
#include <cstdint>
#include <cstring>

#include "geometry.h"
#include "record_fields.h"

namespace cchess {

struct Board {
    std::uint8_t squares[256];
    std::uint16_t rowBits[16];
    std::uint16_t columnBits[16];
    int side;
    // Square of each side's king, 0 when the side has no king on the board.
    int kingSquare[2];
};

constexpr std::uint16_t kBoardColumns = 0x0FF8;  // bits 3..11
constexpr std::uint16_t kBoardRows = 0x1FF8;     // bits 3..12

// Walls just outside the board in the occupancy bits, so that a scan along a line always stops on
// something: columns 2 and 12 of a row, rows 2 and 13 of a column. Their squares are never
// occupied.
constexpr unsigned kRowWalls = (1u << (kLeftColumn - 1)) | (1u << (kRightColumn + 1));
constexpr unsigned kColumnWalls = (1u << (kTopRow - 1)) | (1u << (kBottomRow + 1));

// The king's square when the record's piece table and square table agree on it, else 0.
inline int KingSquareOf(const PositionRecord& record, int side) {
    const int code = KingCode(side);
    const int square = record.pieceSquares[code];
    return kTables.boardPoint[square] && record.squares[square] == code ? square : 0;
}

// Copies what move generation reads. Anything off the board is dropped from the copy, so that a
// damaged record can never steer a scan outside the grid.
inline void LoadBoard(const PositionRecord& record, Board& board) {
    for (int square = 0; square < 256; ++square) {
        board.squares[square] = record.squares[square] & kTables.boardMask[square];
    }
    for (int line = 0; line < 16; ++line) {
        const bool boardRow = line >= kTopRow && line <= kBottomRow;
        board.rowBits[line] = boardRow ? RowBits(record, line) & kBoardColumns : 0;
        const bool boardColumn = line >= kLeftColumn && line <= kRightColumn;
        board.columnBits[line] = boardColumn ? ColumnBits(record, line) & kBoardRows : 0;
    }
    board.side = SideToMove(record);
    board.kingSquare[kRed] = KingSquareOf(record, kRed);
    board.kingSquare[kBlack] = KingSquareOf(record, kBlack);
}

// A move made on the working copy only, to be taken back with UnmakeTrial.
struct Trial {
    int from;
    int to;
    std::uint8_t captured;
};

inline Trial MakeTrial(Board& board, int from, int to) {
    const Trial trial{from, to, board.squares[to]};
    board.squares[to] = board.squares[from];
    board.squares[from] = 0;
    board.rowBits[Row(from)] =
        static_cast<std::uint16_t>(board.rowBits[Row(from)] & ~(1u << Column(from)));
    board.columnBits[Column(from)] =
        static_cast<std::uint16_t>(board.columnBits[Column(from)] & ~(1u << Row(from)));
    board.rowBits[Row(to)] =
        static_cast<std::uint16_t>(board.rowBits[Row(to)] | (1u << Column(to)));
    board.columnBits[Column(to)] =
        static_cast<std::uint16_t>(board.columnBits[Column(to)] | (1u << Row(to)));
    return trial;
}

inline void UnmakeTrial(Board& board, const Trial& trial) {
    const int from = trial.from;
    const int to = trial.to;
    board.squares[from] = board.squares[to];
    board.squares[to] = trial.captured;
    board.rowBits[Row(from)] =
        static_cast<std::uint16_t>(board.rowBits[Row(from)] | (1u << Column(from)));
    board.columnBits[Column(from)] =
        static_cast<std::uint16_t>(board.columnBits[Column(from)] | (1u << Row(from)));
    if (trial.captured == 0) {
        board.rowBits[Row(to)] =
            static_cast<std::uint16_t>(board.rowBits[Row(to)] & ~(1u << Column(to)));
        board.columnBits[Column(to)] =
            static_cast<std::uint16_t>(board.columnBits[Column(to)] & ~(1u << Row(to)));
    }
}

inline int LowestBit(unsigned bits) {
    return std::countr_zero(bits);
}
inline int HighestBit(unsigned bits) {
    return 31 - std::countl_zero(bits);
}

// True when a piece of side `by` could capture on `square` (a board point), the rule that the two
// kings may not face each other on an open file included.
inline bool IsAttacked(const Board& board, int square, int by) {
    const auto& tag = kTables.tagOfCode;
    const std::uint8_t* squares = board.squares;
    const std::uint8_t chariot = Tag(kChariot, by);
    const std::uint8_t cannon = Tag(kCannon, by);
    const std::uint8_t king = Tag(kKing, by);
    const int row = Row(square);
    const int column = Column(square);

    // Along the row: the first piece either way may be a chariot, the second a cannon.
    const unsigned rowBits = board.rowBits[row] | kRowWalls;
    unsigned right = rowBits & (~0u << (column + 1));
    int first = SquareAt(row, LowestBit(right));
    if (squares[first] != 0) {
        if (tag[squares[first]] == chariot) return true;
        right &= right - 1;
        if (tag[squares[SquareAt(row, LowestBit(right))]] == cannon) return true;
    }
    unsigned left = rowBits & ((1u << column) - 1);
    first = SquareAt(row, HighestBit(left));
    if (squares[first] != 0) {
        if (tag[squares[first]] == chariot) return true;
        left &= ~(1u << Column(first));
        if (tag[squares[SquareAt(row, HighestBit(left))]] == cannon) return true;
    }

    // Along the column the opposing king counts like a chariot.
    const unsigned columnBits = board.columnBits[column] | kColumnWalls;
    unsigned down = columnBits & (~0u << (row + 1));
    first = SquareAt(LowestBit(down), column);
    if (squares[first] != 0) {
        const std::uint8_t t = tag[squares[first]];
        if (t == chariot || t == king) return true;
        down &= down - 1;
        if (tag[squares[SquareAt(LowestBit(down), column)]] == cannon) return true;
    }
    unsigned up = columnBits & ((1u << row) - 1);
    first = SquareAt(HighestBit(up), column);
    if (squares[first] != 0) {
        const std::uint8_t t = tag[squares[first]];
        if (t == chariot || t == king) return true;
        up &= ~(1u << Row(first));
        if (tag[squares[SquareAt(HighestBit(up), column)]] == cannon) return true;
    }

    // A horse reaches the square through one of its diagonal neighbours, which must be empty.
    const std::uint8_t horse = Tag(kHorse, by);
    for (const int rowStep : {kUp, kDown}) {
        for (const int columnStep : {kLeft, kRight}) {
            const int leg = square + rowStep + columnStep;
            if (squares[leg] != 0) continue;
            if (tag[squares[leg + rowStep]] == horse || tag[squares[leg + columnStep]] == horse) {
                return true;
            }
        }
    }

    // Pawns capture forwards, and sideways once they have crossed the river.
    const std::uint8_t pawn = Tag(kPawn, by);
    if (tag[squares[square - Forward(by)]] == pawn) return true;
    const bool pawnsCrossed = !kTables.ownHalf[by][square];
    if (pawnsCrossed) {
        return tag[squares[square - 1]] == pawn || tag[squares[square + 1]] == pawn;
    }

    // On its own half the attacker's elephants, and in its palace its advisors and king, reach too.
    const std::uint8_t elephant = Tag(kElephant, by);
    for (const int diagonal : kDiagonal) {
        if (squares[square + diagonal] == 0 && tag[squares[square + 2 * diagonal]] == elephant) {
            return true;
        }
    }
    if (kTables.palace[by][square]) {
        const std::uint8_t advisor = Tag(kAdvisor, by);
        for (const int diagonal : kDiagonal) {
            if (tag[squares[square + diagonal]] == advisor) return true;
        }
        for (const int step : kOrthogonal) {
            if (tag[squares[square + step]] == king) return true;
        }
    }
    return false;
}

}  // namespace cchess
