// Board geometry and piece identities shared by every part of the rules library.
#pragma once

#include <array>
#include <cstdint>

namespace cchess {

constexpr int kRed = 0;
constexpr int kBlack = 1;

constexpr int kTopRow = 3;
constexpr int kBottomRow = 12;
constexpr int kLeftColumn = 3;
constexpr int kRightColumn = 11;

// Red's half of the board is rows 8..12; the river runs between rows 7 and 8.
constexpr int kLastBlackRow = 7;

constexpr int Row(int square) {
    return square >> 4;
}
constexpr int Column(int square) {
    return square & 15;
}
constexpr int SquareAt(int row, int column) {
    return row * 16 + column;
}

enum Kind : std::uint8_t {
    kNoKind = 0,
    kKing,
    kAdvisor,
    kElephant,
    kHorse,
    kChariot,
    kCannon,
    kPawn,
};

// A piece's code is 16 + 16 * side + offset; each kind owns a fixed run of offsets.
struct OffsetRange {
    int first;
    int last;
};
constexpr std::array<OffsetRange, 8> kOffsetsOfKind = {{
    {0, -1},   // no kind
    {0, 0},    // king
    {1, 2},    // advisors
    {3, 4},    // elephants
    {5, 6},    // horses
    {7, 8},    // chariots
    {9, 10},   // cannons
    {11, 15},  // pawns
}};

constexpr int CodeBase(int side) {
    return 16 + 16 * side;
}
constexpr int KingCode(int side) {
    return CodeBase(side);
}
// Bit that every code of the side has set: 16 for Red, 32 for Black.
constexpr unsigned SideBit(int side) {
    return 16u << side;
}

constexpr bool IsPieceCode(int code) {
    return code >= 16 && code < 48;
}
constexpr int SideOfCode(int code) {
    return code >= 32 ? kBlack : kRed;
}

constexpr Kind KindOfOffset(int offset) {
    for (int kind = kKing; kind <= kPawn; ++kind) {
        if (offset >= kOffsetsOfKind[kind].first && offset <= kOffsetsOfKind[kind].last) {
            return static_cast<Kind>(kind);
        }
    }
    return kNoKind;
}

// A tag names kind and side in one byte (kind + 8 * side); 0 for anything that is not a piece.
constexpr std::uint8_t Tag(Kind kind, int side) {
    return static_cast<std::uint8_t>(kind + 8 * side);
}

struct Tables {
    std::array<bool, 256> boardPoint{};
    // 0xFF on board points, 0 elsewhere: a whole board is masked in one vectorisable pass.
    std::array<std::uint8_t, 256> boardMask{};
    std::array<std::array<bool, 256>, 2> palace{};
    std::array<std::array<bool, 256>, 2> ownHalf{};
    std::array<std::uint8_t, 256> tagOfCode{};
    std::array<Kind, 16> kindOfOffset{};
};

constexpr Tables BuildTables() {
    Tables t;
    for (int square = 0; square < 256; ++square) {
        const int row = Row(square);
        const int column = Column(square);
        const bool onBoard =
            row >= kTopRow && row <= kBottomRow && column >= kLeftColumn && column <= kRightColumn;
        t.boardPoint[square] = onBoard;
        t.boardMask[square] = onBoard ? 0xFF : 0;
        const bool palaceColumn = column >= 6 && column <= 8;
        t.palace[kRed][square] = palaceColumn && row >= 10 && row <= kBottomRow;
        t.palace[kBlack][square] = palaceColumn && row >= kTopRow && row <= 5;
        t.ownHalf[kRed][square] = onBoard && row > kLastBlackRow;
        t.ownHalf[kBlack][square] = onBoard && row <= kLastBlackRow;
    }
    for (int offset = 0; offset < 16; ++offset) {
        t.kindOfOffset[offset] = KindOfOffset(offset);
        for (int side = kRed; side <= kBlack; ++side) {
            t.tagOfCode[CodeBase(side) + offset] = Tag(KindOfOffset(offset), side);
        }
    }
    return t;
}

inline constexpr Tables kTables = BuildTables();

inline bool IsBoardPoint(int square) {
    return square >= 0 && square < 256 && kTables.boardPoint[square];
}

constexpr int kUp = -16;
constexpr int kDown = 16;
constexpr int kLeft = -1;
constexpr int kRight = 1;
constexpr std::array<int, 4> kOrthogonal = {kUp, kDown, kLeft, kRight};
constexpr std::array<int, 4> kDiagonal = {kUp + kLeft, kUp + kRight, kDown + kLeft, kDown + kRight};

// Pawns of each side step this way; Red starts at the bottom.
constexpr int Forward(int side) {
    return side == kRed ? kUp : kDown;
}

}  // namespace cchess
