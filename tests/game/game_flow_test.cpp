// Moves into the game: legality, the move list, the board, the FEN box and results.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/move_text.h"
#include "game_test_fixture.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

using Calls = std::vector<std::string>;

class GameFlowTest : public testing::GameTest {
protected:
    void SetUp() override { StartFrom(std::string(kStartFen)); }
};

bool SameRecord(const PositionRecord& a, const PositionRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(GameFlowTest, FirstMoveGoesToSlotOneAndFlipsBothSides) {
    const MoveValue move = CoordToMove("h2e2");
    ASSERT_TRUE(game.AcceptMove(move));
    EXPECT_EQ(moveList.moves[0], 0);
    EXPECT_EQ(moveList.moves[1], move);
    EXPECT_EQ(moveList.moveCount, 1);
    EXPECT_EQ(moveList.currentPly, 1);
    EXPECT_EQ(game.BoardSide(), 1);
    EXPECT_EQ(game.GameSide(), 1);
    EXPECT_EQ(position.squares[CoordToMove("e2e2") % 256], 26);  // a Red cannon
    // The destination first, then the vacated point, both plain.
    EXPECT_EQ(surface.calls, (Calls{"draw 232 400 6", "clear 400 400", "draw 400 400 0"}));
    EXPECT_EQ(engine.calls, (Calls{"before h2e2", "after h2e2"}));
    EXPECT_TRUE(screen.dialogs.empty());
}

TEST_F(GameFlowTest, PlayedMoveShowsItsFenAndARefusedOneNothing) {
    EXPECT_FALSE(game.PlayMove(CoordToMove("h2h8")));  // a cannon cannot jump without taking
    EXPECT_TRUE(screen.fenText.empty());
    ASSERT_TRUE(game.PlayMove(CoordToMove("h2e2")));
    EXPECT_EQ(screen.fenText,
              "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C2C4/9/RNBAKABNR b - - 0 ");
}

TEST_F(GameFlowTest, NewGameStartsEmptyWithTheSidesOfItsFen) {
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2e2")));
    const std::string blackToMove = "3k4r/9/9/9/9/9/9/9/r8/4K4 b";
    StartFrom(blackToMove);
    EXPECT_EQ(moveList.moveCount, 0);
    EXPECT_EQ(moveList.currentPly, 0);
    EXPECT_EQ(game.BoardSide(), 1);
    EXPECT_EQ(game.GameSide(), 1);
    EXPECT_EQ(moveList.gameStartFen, blackToMove);
}

TEST_F(GameFlowTest, IllegalMoveChangesNothing) {
    const PositionRecord before = position;
    EXPECT_FALSE(game.AcceptMove(CoordToMove("a0a5")));  // the chariot's own pawn is in the way
    EXPECT_FALSE(game.AcceptMove(CoordToMove("e0e2")));
    EXPECT_FALSE(game.AcceptMove(0));
    EXPECT_TRUE(SameRecord(position, before));
    EXPECT_EQ(moveList.moveCount, 0);
    EXPECT_EQ(game.GameSide(), 0);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_TRUE(engine.calls.empty());
}

TEST_F(GameFlowTest, ClicksSelectOwnPiecesAndPlayLegalMoves) {
    Click("h2");
    EXPECT_EQ(marks.selectedSquare, CoordToMove("h2h2") % 256);
    EXPECT_EQ(surface.calls, (Calls{"draw 400 400 21"}));
    Click("b2");  // another own piece: the first is drawn plain again
    EXPECT_EQ(surface.calls, (Calls{"draw 400 400 21", "draw 400 400 6", "draw 64 400 21"}));
    surface.calls.clear();

    Click("d3");  // no legal move there: the selection stays
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(moveList.moveCount, 0);
    EXPECT_EQ(screen.fenText, "");
    EXPECT_EQ(screen.statusTexts[0], "未载引擎");

    Click("e2");
    EXPECT_EQ(moveList.moveCount, 1);
    EXPECT_EQ(moveList.moves[1], CoordToMove("b2e2"));
    EXPECT_EQ(screen.fenText, GameFenText(position));
    EXPECT_EQ(screen.fenText,
              "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/4C2C1/9/RNBAKABNR b - - 0 ");
    EXPECT_EQ(marks.selectedSquare, CoordToMove("b2b2") % 256);
}

TEST_F(GameFlowTest, ClicksWithoutSelectionOnlyRefreshTheStatus) {
    Click("e5");  // empty
    Click("h7");  // Black's cannon while Red is to move
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(marks.selectedSquare, 0);
    EXPECT_EQ(screen.statusTexts[0], "未载引擎");
    engine.state = EngineState::Thinking;
    Click("e5");
    EXPECT_EQ(screen.statusTexts[0], "正常思考");
}

TEST_F(GameFlowTest, BothSidesAreEnteredByClicks) {
    Click("h2");
    Click("e2");
    Click("e2");  // Red's piece, but Black is to move now: no selection
    EXPECT_EQ(marks.selectedSquare, CoordToMove("h2h2") % 256);
    Click("h9");
    Click("g7");
    EXPECT_EQ(moveList.moveCount, 2);
    EXPECT_EQ(moveList.moves[2], CoordToMove("h9g7"));
    EXPECT_EQ(game.BoardSide(), 0);
}

TEST_F(GameFlowTest, MatingMoveAnnouncesRedsWin) {
    StartFrom("4k4/R8/9/9/9/9/9/9/9/3K4R w");
    surface.calls.clear();
    ASSERT_TRUE(game.AcceptMove(CoordToMove("i0i9")));
    const Square blackKing = CoordToMove("e9e9") % 256;
    EXPECT_EQ(marks.lostKingSquare, blackKing);
    EXPECT_EQ(screen.dialogs, (Calls{"message 胜负：|红胜。\n\n本局结束!"}));
    // The king is shown marked before the message box opens.
    EXPECT_EQ(surface.calls.back(), "draw 232 8 23");
    EXPECT_EQ(engine.calls, (Calls{"before i0i9", "after i0i9"}));
}

TEST_F(GameFlowTest, MatingMoveAnnouncesBlacksWin) {
    StartFrom("3k4r/9/9/9/9/9/9/9/r8/4K4 b");
    ASSERT_TRUE(game.AcceptMove(CoordToMove("i9i0")));
    EXPECT_EQ(marks.lostKingSquare, CoordToMove("e0e0") % 256);
    EXPECT_EQ(screen.dialogs, (Calls{"message 胜负：|黑胜。\n\n本局结束!"}));
    // The game goes on being tried on the rules library: Red has no legal move left.
    EXPECT_FALSE(game.AcceptMove(CoordToMove("e0e1")));
    EXPECT_FALSE(game.AcceptMove(CoordToMove("e0d0")));
}

TEST_F(GameFlowTest, EngineHearsOfTheMoveBeforeItIsRecordedAndAfterItIsPlayed) {
    int countBefore = -1;
    int countAfter = -1;
    PieceCode pieceAfter = 0;
    engine.duringBeforeMove = [&] { countBefore = moveList.moveCount; };
    engine.duringAfterMove = [&] {
        countAfter = moveList.currentPly;
        pieceAfter = position.squares[CoordToMove("e2e2") % 256];
    };
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2e2")));
    EXPECT_EQ(countBefore, 0);
    EXPECT_EQ(countAfter, 1);
    EXPECT_EQ(pieceAfter, 26);
}

// A reply the engine had ready for the user's move is played at once, and the link hears whether
// the game took it.
TEST_F(GameFlowTest, AReplyTheEngineHadReadyIsPlayedAndReported) {
    engine.reply = CoordToMove("h9g7");
    ASSERT_TRUE(game.PlayMove(CoordToMove("h2e2")));
    EXPECT_EQ(engine.calls,
              (Calls{"before h2e2", "after h2e2", "before h9g7", "after h9g7", "played"}));
    EXPECT_EQ(moveList.moveCount, 2);
    EXPECT_EQ(screen.fenText, GameFenText(position));

    engine.calls.clear();
    engine.reply = CoordToMove("h0h1");  // not a horse's move
    ASSERT_TRUE(game.PlayMove(CoordToMove("b0c2")));
    EXPECT_EQ(engine.calls, (Calls{"before b0c2", "after b0c2", "refused"}));
    EXPECT_EQ(moveList.moveCount, 3);
}

}  // namespace
}  // namespace tarvelle
