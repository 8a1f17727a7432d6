// The program-wide state: one instance, created zeroed before any window and released at exit.
// Each member belongs to the objects that take it; none of them takes the whole.
#pragma once

#include "board/main_board.h"
#include "board/position_editor.h"
#include "engine/engine_settings.h"
#include "engine/search_settings.h"
#include "game/side_choice.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

struct SharedState {
    // The position shown on the main board.
    PositionRecord gamePosition{};
    // What the position editor keeps between its openings.
    EditorRecord editor;
    MoveList moveList;
    BoardMarks marks;
    SideChoice sides;
    SearchSettings search;
    // As the settings file gave them, or as the settings dialog last applied them.
    EngineSettings engine;
};

}  // namespace tarvelle
