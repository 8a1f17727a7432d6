// The one legal-move generator of the library. Listing all moves, testing a single move and asking
// whether any move exists all run through MoveGenerator, so they cannot disagree.
#pragma once

#include <cchess/cchess.h>

#include <cstdlib>

#include "board.h"
#include "geometry.h"

namespace cchess {

class MoveGenerator {
public:
    explicit MoveGenerator(const PositionRecord& record) : m_record(record) {
        LoadBoard(record, m_board);
        m_us = m_board.side;
        m_them = 1 - m_us;
        m_ownBit = SideBit(m_us);
        m_kingSquare = m_board.kingSquare[m_us];
    }

    // True when the side to move has a king and it is attacked. Worked out when first asked.
    bool InCheck() {
        if (m_inCheck < 0)
            m_inCheck = m_kingSquare != 0 && IsAttacked(m_board, m_kingSquare, m_them);
        return m_inCheck != 0;
    }

    // Calls emit(from, to) for every legal move of the side to move until emit returns true.
    // Returns true when it was stopped that way.
    template <class Emit>
    bool ForEachLegalMove(Emit&& emit) {
        const int base = CodeBase(m_us);
        for (int offset = 0; offset < 16; ++offset) {
            const int from = m_record.pieceSquares[base + offset];
            if (m_board.squares[from] != base + offset) continue;  // off the board (from 0 too)
            if (ForEachLegalMoveOfPiece(from, kTables.kindOfOffset[offset], emit)) return true;
        }
        return false;
    }

    // Whether the side to move has a legal move at all. The pieces are tried from the pawns back
    // to the king: theirs are the moves most likely to need no trial of the king's safety.
    bool HasLegalMove() {
        const int base = CodeBase(m_us);
        auto any = [](int, int) { return true; };
        for (int offset = 15; offset >= 0; --offset) {
            const int from = m_record.pieceSquares[base + offset];
            if (m_board.squares[from] != base + offset) continue;
            if (ForEachLegalMoveOfPiece(from, kTables.kindOfOffset[offset], any)) return true;
        }
        return false;
    }

    // True when the piece of the side to move standing on `from` may move to `to`. The target is
    // looked for among the piece's moves by the movement rules first, and then the king's safety
    // is tried for that one move: one trial costs no more than finding out whether the king is in
    // check, which would be needed to skip it.
    bool IsLegal(int from, int to) {
        const int code = m_board.squares[from];
        const int offset = code - CodeBase(m_us);
        if (offset < 0 || offset >= 16 || m_record.pieceSquares[code] != from) return false;
        auto isTarget = [to](int target) { return target == to; };
        if (!ForEachPseudoMove(from, kTables.kindOfOffset[offset], isTarget)) return false;
        return m_kingSquare == 0 || KeepsKingSafe(from, to);
    }

private:
    // A move can only expose the king when it leaves or enters one of the king's lines, or frees a
    // point from which a horse would reach the king; other moves need no trial.
    bool MayExposeKingFrom(int from, Kind kind) {
        return m_kingSquare != 0 && (InCheck() || kind == kKing || Row(from) == Row(m_kingSquare) ||
                                     Column(from) == Column(m_kingSquare) ||
                                     (std::abs(Row(from) - Row(m_kingSquare)) == 1 &&
                                      std::abs(Column(from) - Column(m_kingSquare)) == 1));
    }
    bool EntersKingLine(int to) const {
        return m_kingSquare != 0 &&
               (Row(to) == Row(m_kingSquare) || Column(to) == Column(m_kingSquare));
    }
    template <class Emit>
    bool ForEachLegalMoveOfPiece(int from, Kind kind, Emit& emit) {
        const bool alwaysTry = MayExposeKingFrom(from, kind);
        const auto consider = [&](int to) {
            if ((alwaysTry || EntersKingLine(to)) && !KeepsKingSafe(from, to)) return false;
            return emit(from, to);
        };
        return ForEachPseudoMove(from, kind, consider);
    }

    bool KeepsKingSafe(int from, int to) {
        const Trial trial = MakeTrial(m_board, from, to);
        const int king = from == m_kingSquare ? to : m_kingSquare;
        const bool safe = !IsAttacked(m_board, king, m_them);
        UnmakeTrial(m_board, trial);
        return safe;
    }

    bool CanEnter(int square) const { return (m_board.squares[square] & m_ownBit) == 0; }

    // Moves by the movement rules alone, before the king's safety is considered.
    template <class Consider>
    bool ForEachPseudoMove(int from, Kind kind, Consider& consider) {
        const std::uint8_t* squares = m_board.squares;
        switch (kind) {
            case kKing:
                for (const int step : kOrthogonal) {
                    const int to = from + step;
                    if (kTables.palace[m_us][to] && CanEnter(to) && consider(to)) return true;
                }
                return false;
            case kAdvisor:
                for (const int step : kDiagonal) {
                    const int to = from + step;
                    if (kTables.palace[m_us][to] && CanEnter(to) && consider(to)) return true;
                }
                return false;
            case kElephant:
                for (const int step : kDiagonal) {
                    const int to = from + 2 * step;
                    if (kTables.ownHalf[m_us][to] && squares[from + step] == 0 && CanEnter(to) &&
                        consider(to)) {
                        return true;
                    }
                }
                return false;
            case kHorse:
                for (const int leg : kOrthogonal) {
                    if (squares[from + leg] != 0) continue;
                    const int side = leg == kUp || leg == kDown ? kRight : kDown;
                    for (const int to : {from + 2 * leg + side, from + 2 * leg - side}) {
                        if (kTables.boardPoint[to] && CanEnter(to) && consider(to)) return true;
                    }
                }
                return false;
            case kChariot:
                for (const int step : kOrthogonal) {
                    for (int to = from + step; kTables.boardPoint[to]; to += step) {
                        if (squares[to] == 0) {
                            if (consider(to)) return true;
                            continue;
                        }
                        if (CanEnter(to) && consider(to)) return true;
                        break;
                    }
                }
                return false;
            case kCannon:
                for (const int step : kOrthogonal) {
                    int to = from + step;
                    for (; kTables.boardPoint[to] && squares[to] == 0; to += step) {
                        if (consider(to)) return true;
                    }
                    if (!kTables.boardPoint[to]) continue;
                    for (to += step; kTables.boardPoint[to]; to += step) {
                        if (squares[to] == 0) continue;
                        if (CanEnter(to) && consider(to)) return true;
                        break;
                    }
                }
                return false;
            case kPawn: {
                const int ahead = from + Forward(m_us);
                if (kTables.boardPoint[ahead] && CanEnter(ahead) && consider(ahead)) return true;
                if (kTables.ownHalf[m_us][from]) return false;
                for (const int to : {from + kLeft, from + kRight}) {
                    if (kTables.boardPoint[to] && CanEnter(to) && consider(to)) return true;
                }
                return false;
            }
            case kNoKind:
                return false;
        }
        return false;
    }

    const PositionRecord& m_record;
    Board m_board;
    int m_us;
    int m_them;
    unsigned m_ownBit;
    int m_kingSquare;
    int m_inCheck = -1;
};

}  // namespace cchess
