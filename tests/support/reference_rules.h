// A second, deliberately plain implementation of the Xiangqi rules, used only to judge the rules
// library. It works on a 10 x 9 array in its own coordinates and shares no code with the library:
// speed and cleverness are given up so that every rule can be read off a few lines.
#pragma once

#include <cchess/cchess.h>

#include <cstdint>
#include <vector>

namespace tarvelle::reference {

enum class Kind { kNone, kKing, kAdvisor, kElephant, kHorse, kChariot, kCannon, kPawn };

constexpr int kRed = 0;
constexpr int kBlack = 1;
constexpr int kRows = 10;    // row 0 is Black's home row, row 9 Red's
constexpr int kColumns = 9;  // column 0 is the left edge seen from Red

struct Piece {
    Kind kind = Kind::kNone;
    int side = kRed;
};

struct Move {
    int fromRow;
    int fromColumn;
    int toRow;
    int toColumn;
};

struct Position {
    Piece board[kRows][kColumns];
    int sideToMove = kRed;
};

// What a piece code of the library stands for.
Piece PieceOfCode(int code);

// The position a record shows, read from its square table and side alone.
Position FromRecord(const PositionRecord& record);

// The library's encoding of a move (from-square + 256 x to-square).
std::int32_t ToLibraryMove(const Move& move);

// Moves of the piece on (row, column) by its movement rules, ignoring its own king's safety.
void AppendPseudoMoves(const Position& position, int row, int column, std::vector<Move>& out);

// True when `side` has a king and some enemy piece could take it, or the two kings face each
// other on a file with nothing between.
bool KingAttacked(const Position& position, int side);

// The position after the move, with the other side to move.
Position Apply(const Position& position, const Move& move);

// Every legal move of the side to move.
std::vector<Move> LegalMoves(const Position& position);

// Whether the side to move has any legal move at all.
bool HasLegalMove(const Position& position);

// The library's status bits for a legal move: capture, check on the side then to move, and that
// side having no legal move.
int StatusOf(const Position& position, const Move& move);

}  // namespace tarvelle::reference
