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
    // The FEN the game started from, sent to the engine with the moves.
    std::string gameStartFen;
};

// The side to move is kept once, in the game record; these read it.
// Side to move on the board (0 Red, 1 Black).
constexpr std::int16_t BoardSide(const PositionRecord& gamePosition) {
    return static_cast<std::int16_t>(gamePosition.side);
}
// Side to move after the last listed move: the board's side, turned once for every listed move
// beyond the one the board shows.
constexpr std::int16_t GameSide(const PositionRecord& gamePosition, const MoveList& list) {
    return static_cast<std::int16_t>(BoardSide(gamePosition) ^
                                     ((list.moveCount - list.currentPly) & 1));
}

// Puts the move in the slot after the last one. Returns false and changes nothing when the list
// already holds kCapacity moves.
bool AppendMove(MoveList& list, MoveValue move);

}  // namespace tarvelle
