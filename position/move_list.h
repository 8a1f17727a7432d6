// The moves of the current game and how far along them the game record stands.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "position_record.h"

namespace tarvelle {

struct MoveList {
    // Slot 0 is never used: the k-th move of the game is in slot k.
    static constexpr int kSlots = 1998;
    static constexpr int kCapacity = kSlots - 1;

    std::array<MoveValue, kSlots> moves{};
    std::int16_t moveCount = 0;
    // Moves of the list played on the game record; the board shows the position after this one.
    std::int16_t currentPly = 0;
    // Side to move on the board, and side to move after the last listed move.
    std::int16_t boardSide = kRedSide;
    std::int16_t gameSide = kRedSide;
    // The FEN the game started from, sent to the engine with the moves.
    std::string gameStartFen;
};

// Puts the move in the slot after the last one. Returns false and changes nothing when the list
// already holds kCapacity moves.
bool AppendMove(MoveList& list, MoveValue move);

}  // namespace tarvelle
