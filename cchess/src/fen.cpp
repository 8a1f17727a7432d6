// Conversion between FEN text and records.
//
// What is read, and what becomes of anything else:
//   fen       = blank* placement [blank+ side] anything
//   placement = rank { "/" rank }   ranks after the tenth are ignored; missing ranks are empty
//   rank      = { piece | digit }   points after the ninth are dropped; missing ones are empty
//   piece     = K A B N R C P for Red, k a b n r c p for Black; E/e and H/h read as B/b and N/n
//   digit     = "0".."9", that many empty points
//   side      = "b" or "B" for Black; any other letter, or none, for Red
//   blank     = space, tab, CR or LF: it ends the placement
// Any other byte inside the placement is skipped. A piece for which every code of its kind is
// already used (a third chariot, a sixth pawn, a second king) is dropped.
#include <cchess/cchess.h>

#include <cstring>

#include "geometry.h"
#include "record_fields.h"

using namespace cchess;

namespace {

constexpr char kRedLetters[] = " KABNRCP";  // indexed by Kind
constexpr char kBlackLetters[] = " kabnrcp";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct PieceLetter {
    Kind kind;
    int side;
};

PieceLetter ReadPieceLetter(char letter) {
    switch (letter) {
        case 'E':
            return {kElephant, kRed};
        case 'e':
            return {kElephant, kBlack};
        case 'H':
            return {kHorse, kRed};
        case 'h':
            return {kHorse, kBlack};
        default:
            break;
    }
    for (int kind = kKing; kind <= kPawn; ++kind) {
        if (letter == kRedLetters[kind]) return {static_cast<Kind>(kind), kRed};
        if (letter == kBlackLetters[kind]) return {static_cast<Kind>(kind), kBlack};
    }
    return {kNoKind, kRed};
}

// The first code of the kind that is not yet on the board, or 0 when all are.
int FreeCode(const PositionRecord& record, Kind kind, int side) {
    for (int offset = kOffsetsOfKind[kind].first; offset <= kOffsetsOfKind[kind].last; ++offset) {
        const int code = CodeBase(side) + offset;
        if (record.pieceSquares[code] == 0) return code;
    }
    return 0;
}

}  // namespace

extern "C" {

int CchessFen2Board(PositionRecord* record, const char* fen) {
    if (record == nullptr) return 0;
    std::memset(record, 0, sizeof *record);
    const char* p = fen != nullptr ? fen : "";
    while (IsBlank(*p))
        ++p;

    bool clean = true;
    int row = kTopRow;
    int column = kLeftColumn;
    for (; *p != '\0' && !IsBlank(*p); ++p) {
        const char c = *p;
        if (c == '/') {
            clean = clean && column == kRightColumn + 1;
            ++row;
            column = kLeftColumn;
            continue;
        }
        if (row > kBottomRow) {
            clean = false;
            continue;
        }
        if (c >= '0' && c <= '9') {
            column += c - '0';
            continue;
        }
        const PieceLetter piece = ReadPieceLetter(c);
        if (piece.kind == kNoKind) {
            clean = false;
            continue;
        }
        const int code = FreeCode(*record, piece.kind, piece.side);
        if (column > kRightColumn || code == 0) {
            clean = false;
        } else {
            PlacePiece(*record, SquareAt(row, column), static_cast<std::uint8_t>(code));
        }
        ++column;
    }
    clean = clean && row == kBottomRow && column == kRightColumn + 1;

    while (IsBlank(*p))
        ++p;
    if (*p == 'b' || *p == 'B') record->side = kBlack;
    const bool sideGiven = std::strchr("wWrRbB", *p) != nullptr && *p != '\0';
    return clean && sideGiven ? 1 : 0;
}

const char* CchessBoard2Fen(const PositionRecord* record) {
    // Ten ranks of at most nine characters, nine separators, a blank, the side and the terminator.
    thread_local char text[10 * 9 + 9 + 3];
    char* out = text;
    for (int row = kTopRow; row <= kBottomRow; ++row) {
        if (row != kTopRow) *out++ = '/';
        int empty = 0;
        for (int column = kLeftColumn; column <= kRightColumn; ++column) {
            const int code = record != nullptr ? record->squares[SquareAt(row, column)] : 0;
            if (!IsPieceCode(code)) {
                ++empty;
                continue;
            }
            if (empty != 0) *out++ = static_cast<char>('0' + empty);
            empty = 0;
            const Kind kind = kTables.kindOfOffset[code - CodeBase(SideOfCode(code))];
            *out++ = SideOfCode(code) == kRed ? kRedLetters[kind] : kBlackLetters[kind];
        }
        if (empty != 0) *out++ = static_cast<char>('0' + empty);
    }
    *out++ = ' ';
    *out++ = record != nullptr && SideToMove(*record) == kBlack ? 'b' : 'w';
    *out = '\0';
    return text;
}

}  // extern "C"
