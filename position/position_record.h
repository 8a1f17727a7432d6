// The program's view of a position: the record exchanged with the rules library, and the helpers
// for the three things the program reads in it (side to move, squares, pieces).
//
// PositionRecord is a plain value: assigning one copies every field, the rules library's undo
// history included, and the copy shares nothing with its source.
#pragma once

#include <cchess/cchess.h>

#include <cstdint>
#include <string>

namespace tarvelle {

using PieceCode = std::uint8_t;
using Square = int;
using MoveValue = std::int32_t;

constexpr int kRedSide = 0;
constexpr int kBlackSide = 1;

// Picture groups of the pieces; types 1..5 follow the rules library's order of the paired kinds.
enum PieceType : int {
    kKingType = 0,
    kAdvisorType = 1,
    kElephantType = 2,
    kHorseType = 3,
    kChariotType = 4,
    kCannonType = 5,
    kPawnType = 6,
};

constexpr bool IsRedPiece(PieceCode code) {
    return (code & 16) != 0;
}

// True when the code is a piece of `side` (0 Red, 1 Black); never for the empty code.
constexpr bool IsOwnPiece(PieceCode code, int side) {
    return (code & (16 + 16 * side)) != 0;
}

// Defined for codes 16..47.
constexpr PieceType PieceTypeOf(PieceCode code) {
    const int offset = code & 15;
    if (offset == 0) return kKingType;
    if (offset >= 11) return kPawnType;
    return static_cast<PieceType>((offset + 1) / 2);
}

constexpr int SquareRow(Square square) {
    return square / 16;
}
constexpr int SquareColumn(Square square) {
    return square % 16;
}
constexpr Square SquareAt(int row, int column) {
    return 16 * row + column;
}

constexpr bool IsBoardPoint(Square square) {
    return SquareRow(square) >= 3 && SquareRow(square) <= 12 && SquareColumn(square) >= 3 &&
           SquareColumn(square) <= 11 && square >= 0 && square < 256;
}

// "a9" for the top-left point through "i0" for the bottom-right one.
std::string SquareCoordText(Square square);

constexpr MoveValue MakeMoveValue(Square from, Square to) {
    return from + 256 * to;
}
constexpr Square MoveFrom(MoveValue move) {
    return move % 256;
}
constexpr Square MoveTo(MoveValue move) {
    return move / 256;
}

}  // namespace tarvelle
