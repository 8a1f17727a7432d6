// A game wired to the real rules library, a recording board surface, a recording screen and a
// recording engine link.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "board/main_board.h"
#include "fakes/recording_engine.h"
#include "fakes/recording_screen.h"
#include "fakes/recording_surface.h"
#include "game/game_flow.h"
#include "game/game_start.h"

namespace tarvelle::testing {

class GameTest : public ::testing::Test {
protected:
    // Starts a game from `fen`, the way start-up does.
    void StartFrom(const std::string& fen) {
        CchessInit(0);
        StartGameFromFen(position, moveList, fen);
    }

    // Two clicks on board points given as coordinate text, e.g. Click("h2"), Click("e2").
    void Click(const std::string& coord) {
        const Square square = SquareAt(60 - coord[1], coord[0] - 94);
        game.EnterSquare(square);
    }

    PositionRecord position{};
    MoveList moveList;
    BoardMarks marks;
    RecordingSurface surface;
    RecordingScreen screen;
    RecordingEngine engine;
    MainBoard board{surface, position, moveList, marks};
    GameFlow game{position, moveList, marks, board, engine, screen};
};

}  // namespace tarvelle::testing
