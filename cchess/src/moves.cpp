// Making, taking back and listing moves.
#include <cchess/cchess.h>

#include "movegen.h"
#include "record_fields.h"

using namespace cchess;

namespace {

// Status bits of a move just made on the record.
int StatusAfterMove(const PositionRecord& record, bool captured) {
    int status = captured ? CCHESS_STATUS_CAPTURE : 0;
    MoveGenerator replies(record);
    if (replies.InCheck()) status |= CCHESS_STATUS_CHECK;
    if (!replies.HasLegalMove()) status |= CCHESS_STATUS_LOST;
    return status;
}

}  // namespace

extern "C" {

int CchessTryMove(PositionRecord* record, int* status, int32_t move) {
    if (status != nullptr) *status = 0;
    if (record == nullptr || move < 0 || move > 0xFFFF) return 0;
    const int count = HistoryCount(*record);
    if (count >= CCHESS_HISTORY_CAPACITY) return 0;
    const int from = move & 0xFF;
    const int to = move >> 8;
    if (!IsBoardPoint(from) || !IsBoardPoint(to) || !MoveGenerator(*record).IsLegal(from, to)) {
        return 0;
    }

    const std::uint8_t moving = record->squares[from];
    const std::uint8_t captured = record->squares[to];
    const int side = SideToMove(*record);
    WriteHistory(*record, count,
                 {static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to), captured,
                  static_cast<std::uint8_t>(side)});
    record->libInts1[0] = count + 1;
    LiftPiece(*record, to);
    LiftPiece(*record, from);
    PlacePiece(*record, to, moving);
    record->side = 1 - side;

    if (status != nullptr) *status = StatusAfterMove(*record, captured != 0);
    return 1;
}

int CchessUndoMove(PositionRecord* record) {
    if (record == nullptr) return 0;
    const int count = HistoryCount(*record);
    if (count == 0) return 0;
    const HistoryEntry last = ReadHistory(*record, count - 1);
    if (!IsBoardPoint(last.from) || !IsBoardPoint(last.to)) return 0;

    const std::uint8_t moving = record->squares[last.to];
    if (moving == 0) return 0;
    LiftPiece(*record, last.to);
    LiftPiece(*record, last.from);
    PlacePiece(*record, last.from, moving);
    if (last.captured != 0) PlacePiece(*record, last.to, last.captured);
    record->side = last.sideBefore;
    WriteHistory(*record, count - 1, {0, 0, 0, 0});
    record->libInts1[0] = count - 1;
    return 1;
}

int CchessLegalMoves(const PositionRecord* record, int32_t* moves, int capacity) {
    if (record == nullptr) return 0;
    int count = 0;
    MoveGenerator generator(*record);
    generator.ForEachLegalMove([&](int from, int to) {
        if (moves != nullptr && count < capacity) moves[count] = from + 256 * to;
        ++count;
        return false;
    });
    return count;
}

}  // extern "C"
