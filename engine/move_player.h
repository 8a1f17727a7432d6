// How the engine link plays the computer's move: through the same game flow as the user's moves.
#pragma once

#include "position/position_record.h"

namespace tarvelle {

class MovePlayer {
public:
    virtual ~MovePlayer() = default;

    // Records and plays the move when it is legal, and shows the new position's FEN; true when
    // the move is now part of the game.
    virtual bool PlayMove(MoveValue move) = 0;
};

}  // namespace tarvelle
