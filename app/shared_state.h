// The program-wide state: one instance, created zeroed before any window and released at exit.
#pragma once

#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

struct SharedState {
    // The position shown on the main board.
    PositionRecord gamePosition{};
    // A copy of the game record taken before each search, on which the pondered move is tried.
    PositionRecord searchPosition{};
    // The position on the board of the position editor.
    PositionRecord editorPosition{};
    MoveList moveList;
};

}  // namespace tarvelle
