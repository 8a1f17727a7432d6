// The program-wide state: one instance, created zeroed before any window and released at exit.
#pragma once

#include <cstdint>

#include "board/main_board.h"
#include "game/side_choice.h"
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
    BoardMarks marks;
    SideChoice sides;
    // Multiplies the pause before an engine move is shown; 1 once the main window exists.
    std::int16_t paceFactor = 0;
};

}  // namespace tarvelle
