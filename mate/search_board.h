// The position the solver walks through: its own copy of a record, moved along with the rules
// library, and a position key kept up to date move by move instead of being rebuilt.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "position/position_record.h"

namespace tarvelle {

// The legal moves of one position, in the rules library's order.
struct MoveBatch {
    std::array<MoveValue, CCHESS_MAX_MOVES> moves;
    int count = 0;
};

class SearchBoard {
public:
    // A copy of `position` with an empty history, so that no game can use up the record's room
    // for moves. False from Valid() when the rules library cannot read the position back.
    explicit SearchBoard(const PositionRecord& position);

    bool Valid() const { return valid_; }
    int SideToMove() const { return record_->side; }
    // Equal for positions with the same pieces of each kind on the same points and the same side
    // to move: two pieces of one kind are interchangeable under the rules.
    std::uint64_t Key() const { return keys_.back(); }
    // The key of the position after `move`, which must be legal here.
    std::uint64_t KeyAfter(MoveValue move) const;

    void LegalMoves(MoveBatch& batch) const;
    // How many legal moves the side to move has.
    int LegalMoveCount() const;

    // Makes a legal move; returns its CCHESS_STATUS_ bits when `status` is set, else 0.
    int Play(MoveValue move, bool status);
    void TakeBack();
    // Moves made since the start and not taken back.
    int Depth() const { return static_cast<int>(keys_.size()) - 1; }

private:
    std::unique_ptr<PositionRecord> record_;
    std::vector<std::uint64_t> keys_;
    bool valid_ = false;
};

}  // namespace tarvelle
