#include "reference_rules.h"

#include <algorithm>
#include <cstdlib>

namespace tarvelle::reference {

namespace {

bool OnBoard(int row, int column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
}

bool InPalace(int side, int row, int column) {
    const bool palaceRow = side == kRed ? row >= 7 : row <= 2;
    return palaceRow && column >= 3 && column <= 5;
}

bool OnOwnHalf(int side, int row) {
    return side == kRed ? row >= 5 : row <= 4;
}

bool IsEmpty(const Position& position, int row, int column) {
    return position.board[row][column].kind == Kind::kNone;
}

// A point the piece of `side` may finish on: on the board and not holding a piece of its own side.
bool MayLandOn(const Position& position, int side, int row, int column) {
    if (!OnBoard(row, column)) return false;
    const Piece& target = position.board[row][column];
    return target.kind == Kind::kNone || target.side != side;
}

void Add(std::vector<Move>& out, int fromRow, int fromColumn, int toRow, int toColumn) {
    out.push_back({fromRow, fromColumn, toRow, toColumn});
}

const int kStraight[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
const int kSlanted[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

}  // namespace

Piece PieceOfCode(int code) {
    if (code < 16 || code > 47) return {};
    const int side = code < 32 ? kRed : kBlack;
    const int offset = code - (side == kRed ? 16 : 32);
    Kind kind = Kind::kPawn;
    if (offset == 0) {
        kind = Kind::kKing;
    } else if (offset <= 2) {
        kind = Kind::kAdvisor;
    } else if (offset <= 4) {
        kind = Kind::kElephant;
    } else if (offset <= 6) {
        kind = Kind::kHorse;
    } else if (offset <= 8) {
        kind = Kind::kChariot;
    } else if (offset <= 10) {
        kind = Kind::kCannon;
    }
    return {kind, side};
}

Position FromRecord(const PositionRecord& record) {
    Position position;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            position.board[row][column] = PieceOfCode(record.squares[16 * (row + 3) + column + 3]);
        }
    }
    position.sideToMove = record.side == 0 ? kRed : kBlack;
    return position;
}

std::int32_t ToLibraryMove(const Move& move) {
    const int from = 16 * (move.fromRow + 3) + move.fromColumn + 3;
    const int to = 16 * (move.toRow + 3) + move.toColumn + 3;
    return from + 256 * to;
}

void AppendPseudoMoves(const Position& position, int row, int column, std::vector<Move>& out) {
    const Piece piece = position.board[row][column];
    const int side = piece.side;
    switch (piece.kind) {
        case Kind::kNone:
            return;
        case Kind::kKing:
        case Kind::kAdvisor:
            // One point, straight for the king and slanted for an advisor, inside the palace.
            for (const auto& step : piece.kind == Kind::kKing ? kStraight : kSlanted) {
                const int r = row + step[0];
                const int c = column + step[1];
                if (InPalace(side, r, c) && MayLandOn(position, side, r, c)) {
                    Add(out, row, column, r, c);
                }
            }
            return;
        case Kind::kElephant:
            for (const auto& step : kSlanted) {
                const int r = row + 2 * step[0];
                const int c = column + 2 * step[1];
                if (!OnBoard(r, c) || !OnOwnHalf(side, r)) continue;
                if (!IsEmpty(position, row + step[0], column + step[1])) continue;
                if (MayLandOn(position, side, r, c)) Add(out, row, column, r, c);
            }
            return;
        case Kind::kHorse:
            for (int dr = -2; dr <= 2; ++dr) {
                for (int dc = -2; dc <= 2; ++dc) {
                    if (std::abs(dr) + std::abs(dc) != 3) continue;
                    // The leg is the point one step along the longer part of the jump.
                    const int legRow = row + (std::abs(dr) == 2 ? dr / 2 : 0);
                    const int legColumn = column + (std::abs(dc) == 2 ? dc / 2 : 0);
                    if (!MayLandOn(position, side, row + dr, column + dc)) continue;
                    if (!IsEmpty(position, legRow, legColumn)) continue;
                    Add(out, row, column, row + dr, column + dc);
                }
            }
            return;
        case Kind::kChariot:
        case Kind::kCannon:
            // Both slide over empty points; they differ only in what they may take.
            for (const auto& step : kStraight) {
                int r = row + step[0];
                int c = column + step[1];
                while (OnBoard(r, c) && IsEmpty(position, r, c)) {
                    Add(out, row, column, r, c);
                    r += step[0];
                    c += step[1];
                }
                if (piece.kind == Kind::kChariot) {
                    if (MayLandOn(position, side, r, c)) Add(out, row, column, r, c);
                    continue;
                }
                // (r, c) is the screen, if there is one; the first piece beyond it may be taken.
                r += step[0];
                c += step[1];
                while (OnBoard(r, c) && IsEmpty(position, r, c)) {
                    r += step[0];
                    c += step[1];
                }
                if (OnBoard(r, c) && position.board[r][c].side != side) {
                    Add(out, row, column, r, c);
                }
            }
            return;
        case Kind::kPawn: {
            const int forward = side == kRed ? -1 : 1;
            if (MayLandOn(position, side, row + forward, column)) {
                Add(out, row, column, row + forward, column);
            }
            if (!OnOwnHalf(side, row)) {
                if (MayLandOn(position, side, row, column - 1))
                    Add(out, row, column, row, column - 1);
                if (MayLandOn(position, side, row, column + 1))
                    Add(out, row, column, row, column + 1);
            }
            return;
        }
    }
}

bool KingAttacked(const Position& position, int side) {
    int kingRow = -1;
    int kingColumn = -1;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const Piece& piece = position.board[row][column];
            if (piece.kind == Kind::kKing && piece.side == side) {
                kingRow = row;
                kingColumn = column;
            }
        }
    }
    if (kingRow < 0) return false;

    // The kings face each other when the first piece along the file is the other king.
    const int towardsEnemy = side == kRed ? -1 : 1;
    for (int r = kingRow + towardsEnemy; r >= 0 && r < kRows; r += towardsEnemy) {
        const Piece& piece = position.board[r][kingColumn];
        if (piece.kind == Kind::kNone) continue;
        if (piece.kind == Kind::kKing && piece.side != side) return true;
        break;
    }
    // The same the other way, for a king that stands beyond the enemy king.
    for (int r = kingRow - towardsEnemy; r >= 0 && r < kRows; r -= towardsEnemy) {
        const Piece& piece = position.board[r][kingColumn];
        if (piece.kind == Kind::kNone) continue;
        if (piece.kind == Kind::kKing && piece.side != side) return true;
        break;
    }

    // Kept between calls only to spare an allocation on every question.
    thread_local std::vector<Move> moves;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const Piece& piece = position.board[row][column];
            if (piece.kind == Kind::kNone || piece.side == side) continue;
            moves.clear();
            AppendPseudoMoves(position, row, column, moves);
            for (const Move& move : moves) {
                if (move.toRow == kingRow && move.toColumn == kingColumn) return true;
            }
        }
    }
    return false;
}

Position Apply(const Position& position, const Move& move) {
    Position after = position;
    after.board[move.toRow][move.toColumn] = position.board[move.fromRow][move.fromColumn];
    after.board[move.fromRow][move.fromColumn] = Piece{};
    after.sideToMove = 1 - position.sideToMove;
    return after;
}

namespace {

std::vector<Move> PseudoMoves(const Position& position) {
    std::vector<Move> pseudo;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const Piece& piece = position.board[row][column];
            if (piece.kind != Kind::kNone && piece.side == position.sideToMove) {
                AppendPseudoMoves(position, row, column, pseudo);
            }
        }
    }
    return pseudo;
}

bool IsLegal(const Position& position, const Move& move) {
    return !KingAttacked(Apply(position, move), position.sideToMove);
}

}  // namespace

std::vector<Move> LegalMoves(const Position& position) {
    std::vector<Move> legal;
    for (const Move& move : PseudoMoves(position)) {
        if (IsLegal(position, move)) legal.push_back(move);
    }
    return legal;
}

bool HasLegalMove(const Position& position) {
    const std::vector<Move> pseudo = PseudoMoves(position);
    return std::any_of(pseudo.begin(), pseudo.end(),
                       [&](const Move& move) { return IsLegal(position, move); });
}

int StatusOf(const Position& position, const Move& move) {
    int status = 0;
    if (!IsEmpty(position, move.toRow, move.toColumn)) status |= CCHESS_STATUS_CAPTURE;
    const Position after = Apply(position, move);
    if (KingAttacked(after, after.sideToMove)) status |= CCHESS_STATUS_CHECK;
    if (!HasLegalMove(after)) status |= CCHESS_STATUS_LOST;
    return status;
}

}  // namespace tarvelle::reference
