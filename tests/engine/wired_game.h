// An engine link and a game as the program wires them, without windows: the real rules, game flow
// and link over a given line channel and clock, with a recording screen and board.
#pragma once

#include <string>
#include <string_view>

#include "engine/engine_link.h"
#include "fakes/recording_screen.h"
#include "fakes/recording_surface.h"
#include "game/game_flow.h"
#include "game/game_start.h"
#include "game/side_choice.h"

namespace tarvelle::testing {

struct WiredGame {
    // The channel and clock must outlive the game; they are not used until the link starts.
    WiredGame(LineChannel& channel, LinkClock& clock, std::string_view fen)
        : link(channel, clock, position, moveList, settings, engineSettings, screen) {
        CchessInit(0);
        StartGameFromFen(position, moveList, std::string(fen));
    }

    PositionRecord position{};
    MoveList moveList;
    SearchSettings settings{.searchLevel = kAnsweredSearchLevel, .paceFactor = 1};
    // Read when the engine starts: set them before.
    EngineSettings engineSettings;
    BoardMarks marks;
    RecordingSurface surface;
    RecordingScreen screen;
    MainBoard board{surface, position, moveList, marks};
    EngineLink link;
    GameFlow game{position, moveList, marks, board, link, screen};
};

}  // namespace tarvelle::testing
