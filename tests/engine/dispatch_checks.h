// What must hold after every line the engine link handles: the state is one of the seven, and the
// game is sound.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/move_text.h"
#include "position/move_list.h"
#include "record_invariants.h"

namespace tarvelle::testing {

inline bool IsOneOfTheSevenStates(EngineState state) {
    const int value = static_cast<int>(state);
    return value >= 0 && value <= 7 && value != 5;
}

// Follows a game's move list on a record of its own, from the game's start FEN: every listed move
// must have been in the legal list of its turn, and the moves must lead to the game's record byte
// for byte. Kept from one step of a game to the next, it replays only the moves that changed.
class GameReplay {
public:
    // Empty when the game is sound; otherwise what is wrong with it.
    std::string Fault(const PositionRecord& game, const MoveList& list) {
        if (list.gameStartFen != startFen_) {
            startFen_ = list.gameStartFen;
            record_ = PositionRecord{};
            CchessFen2Board(&record_, startFen_.c_str());
            played_.clear();
            checked_ = false;
        }
        const std::size_t listed = static_cast<std::size_t>(list.currentPly);
        std::size_t kept = 0;
        while (kept < std::min(listed, played_.size()) && played_[kept] == list.moves[kept + 1])
            ++kept;
        for (; played_.size() > kept; played_.pop_back()) {
            CchessUndoMove(&record_);
            checked_ = false;
        }
        for (std::size_t ply = kept + 1; ply <= listed; ++ply) {
            const MoveValue move = list.moves[ply];
            MoveValue legal[CCHESS_MAX_MOVES];
            const int count = CchessLegalMoves(&record_, legal, CCHESS_MAX_MOVES);
            if (std::find(legal, legal + count, move) == legal + count)
                return "move " + std::to_string(ply) + " " + MoveToCoord(move) + " was not legal";
            CchessTryMove(&record_, nullptr, move);
            played_.push_back(move);
            checked_ = false;
        }
        if (std::memcmp(&record_, &game, sizeof record_) != 0)
            return "the record is not the one its moves lead to";
        // The full check of a record is costly, and a game between moves is checked once.
        if (!checked_) {
            if (std::string fault = RecordFaults(game); !fault.empty()) return fault;
            checked_ = true;
        }
        return {};
    }

private:
    std::string startFen_;
    PositionRecord record_{};
    std::vector<MoveValue> played_;
    // Whether record_ has passed RecordFaults since it last changed.
    bool checked_ = false;
};

}  // namespace tarvelle::testing
