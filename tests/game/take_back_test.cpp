// Undo: one ply per click, the list cut there, the engine settled and the marks renewed.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/move_text.h"
#include "game/move_stepping.h"
#include "game_test_fixture.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

using Calls = std::vector<std::string>;

class TakeBackTest : public testing::GameTest {
protected:
    void SetUp() override { StartFrom(std::string(kStartFen)); }
};

TEST_F(TakeBackTest, WithoutEngineEachClickTakesBackOnePly) {
    const PositionRecord start = position;
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2e2")));
    const PositionRecord afterFirst = position;
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h9g7")));
    engine.calls.clear();
    surface.calls.clear();

    game.TakeBackMove();
    EXPECT_EQ(std::memcmp(&position, &afterFirst, sizeof position), 0);
    EXPECT_EQ(moveList.moveCount, 1);
    EXPECT_EQ(moveList.currentPly, 1);
    EXPECT_EQ(game.BoardSide(), 1);
    EXPECT_EQ(game.GameSide(), 1);
    EXPECT_EQ(engine.calls, (Calls{"settle"}));  // an unloaded engine is not halted
    // The taken-back move's squares plain, then the move now last drawn marked.
    EXPECT_EQ(surface.calls, (Calls{"draw 400 8 11", "clear 344 120", "draw 344 120 0",
                                    "draw 400 400 15", "draw 232 400 21"}));
    EXPECT_EQ(marks.markedMove, CoordToMove("h2e2"));

    surface.calls.clear();
    game.TakeBackMove();
    EXPECT_EQ(std::memcmp(&position, &start, sizeof position), 0);
    EXPECT_EQ(moveList.moveCount, 0);
    EXPECT_EQ(moveList.currentPly, 0);
    EXPECT_EQ(game.GameSide(), 0);
    EXPECT_EQ(marks.markedMove, 0);
    for (const std::string& call : surface.calls) {
        if (call.rfind("draw", 0) == 0) {
            EXPECT_LT(std::stoi(call.substr(call.rfind(' '))), 15) << call;
        }
    }
}

TEST_F(TakeBackTest, LoadedEngineIsHaltedThenSettled) {
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2e2")));
    engine.state = EngineState::Thinking;
    engine.calls.clear();
    game.TakeBackMove();
    EXPECT_EQ(engine.calls, (Calls{"halt", "settle"}));
    EXPECT_EQ(moveList.moveCount, 0);
}

TEST_F(TakeBackTest, EmptyListOnlyClearsTheMarks) {
    const PositionRecord start = position;
    Click("h2");
    surface.calls.clear();
    game.TakeBackMove();
    EXPECT_EQ(std::memcmp(&position, &start, sizeof position), 0);
    EXPECT_EQ(moveList.moveCount, 0);
    EXPECT_EQ(marks.selectedSquare, 0);
    EXPECT_EQ(surface.calls, (Calls{"draw 400 400 6"}));
    EXPECT_EQ(engine.calls, (Calls{"settle"}));
}

TEST_F(TakeBackTest, UndoneCaptureShowsTheCapturedPieceAgain) {
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2h9")));  // the cannon screens over h7 and takes
    surface.calls.clear();
    game.TakeBackMove();
    // h2 shows Red's cannon again, h9 Black's horse.
    EXPECT_EQ(surface.calls.at(0), "draw 400 400 6");
    EXPECT_EQ(surface.calls.at(1), "draw 400 8 11");
    EXPECT_EQ(position.squares[CoordToMove("h9h9") % 256], 38);
}

TEST_F(TakeBackTest, TruncatedSlotsAreOverwrittenByTheNextMoves) {
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2e2")));
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h9g7")));
    game.TakeBackMove();
    ASSERT_TRUE(game.AcceptMove(CoordToMove("b9c7")));
    EXPECT_EQ(moveList.moveCount, 2);
    EXPECT_EQ(moveList.moves[2], CoordToMove("b9c7"));
}

TEST_F(TakeBackTest, PlayNextThenStepBackRestoresTheGame) {
    moveList.moves[1] = CoordToMove("b0c2");
    moveList.moveCount = 1;
    const PositionRecord start = position;
    PlayNextMove(position, moveList, board);
    EXPECT_EQ(moveList.currentPly, 1);
    EXPECT_EQ(game.BoardSide(), 1);
    StepBack(position, moveList, board);
    EXPECT_EQ(std::memcmp(&position, &start, sizeof position), 0);
    EXPECT_EQ(moveList.currentPly, 0);
    EXPECT_EQ(game.BoardSide(), 0);
    EXPECT_EQ(game.GameSide(), 1) << "the listed move still counts for the game";
    EXPECT_EQ(moveList.moveCount, 1);
    // Each step draws the to-square and the from-square (in its own order) as the record holds them.
    EXPECT_EQ(surface.calls, (Calls{"draw 120 400 4", "clear 64 512", "draw 64 512 0",
                                    "draw 64 512 4", "clear 120 400", "draw 120 400 0"}));
}

// The longest game the move list holds, played and taken back: the record comes back to the byte,
// and a move beyond the list's capacity is refused without a trace.
TEST_F(TakeBackTest, TheLongestGameIsTakenBackToItsStart) {
    const PositionRecord start = position;
    // Both sides' horses out and home again, for ever.
    const MoveValue cycle[] = {CoordToMove("b0c2"), CoordToMove("b9c7"), CoordToMove("c2b0"),
                               CoordToMove("c7b9")};
    for (int ply = 0; ply < MoveList::kCapacity; ++ply)
        ASSERT_TRUE(game.AcceptMove(cycle[ply % 4])) << ply;
    ASSERT_EQ(moveList.moveCount, 1997);

    const PositionRecord full = position;
    const MoveValue next = cycle[MoveList::kCapacity % 4];
    engine.calls.clear();
    surface.calls.clear();
    EXPECT_FALSE(game.AcceptMove(next));
    EXPECT_EQ(std::memcmp(&position, &full, sizeof position), 0);
    EXPECT_EQ(moveList.moveCount, 1997);
    EXPECT_EQ(moveList.currentPly, 1997);
    EXPECT_EQ(moveList.moves[1997], cycle[1996 % 4]);
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(surface.calls.empty());

    for (int ply = MoveList::kCapacity; ply > 0; --ply)
        game.TakeBackMove();
    EXPECT_EQ(std::memcmp(&position, &start, sizeof position), 0);
    EXPECT_EQ(moveList.moveCount, 0);
    EXPECT_EQ(moveList.currentPly, 0);
    EXPECT_TRUE(game.AcceptMove(cycle[0])) << "the list takes moves again";
}

}  // namespace
}  // namespace tarvelle
