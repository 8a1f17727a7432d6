// The main board's drawing calls: which picture goes into which cell, in which order, and the
// marks of the selection and the last move.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/main_board.h"
#include "fakes/recording_surface.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

using testing::RecordingSurface;
using Calls = std::vector<std::string>;

class MainBoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        CchessInit(0);
        CchessFen2Board(&position, std::string(kStartFen).c_str());
    }

    PositionRecord position{};
    MoveList moveList;
    BoardMarks marks;
    RecordingSurface surface;
    MainBoard board{surface, position, moveList, marks};
};

TEST_F(MainBoardTest, DrawsPointsIntoTheirCellsInBothViews) {
    board.DrawSquare(51, false);   // Black chariot, top-left
    board.DrawSquare(203, false);  // Red chariot, bottom-right
    marks.boardFlipped = true;
    board.DrawSquare(51, false);
    board.DrawSquare(203, true);
    EXPECT_EQ(surface.calls,
              (Calls{"draw 8 8 12", "draw 456 512 5", "draw 456 512 12", "draw 8 8 20"}));
}

TEST_F(MainBoardTest, EmptyPointIsRepaintedOnlyWhenPlain) {
    const Square empty = SquareAt(7, 7);
    board.DrawSquare(empty, false);
    board.DrawSquare(empty, true);
    EXPECT_EQ(surface.calls, (Calls{"clear 232 232", "draw 232 232 0", "draw 232 232 15"}));
}

TEST_F(MainBoardTest, RedrawPaintsEveryPointPlainRowByRow) {
    marks.selectedSquare = 51;
    marks.markedMove = MakeMoveValue(51, 67);
    board.RedrawBoard();
    ASSERT_EQ(surface.calls.size(), 90u + 58u);  // 58 empty points also get a clear
    EXPECT_EQ(surface.calls.front(), "draw 8 8 12");
    EXPECT_EQ(surface.calls.back(), "draw 456 512 5");
    for (const std::string& call : surface.calls) {
        if (call.rfind("draw", 0) == 0) {
            EXPECT_LT(std::stoi(call.substr(call.rfind(' '))), 15);
        }
    }
    EXPECT_EQ(marks.selectedSquare, 51);
}

TEST_F(MainBoardTest, FlipTurnsTheViewAndTwiceRestoresIt) {
    board.RedrawBoard();
    const Calls normal = surface.calls;
    surface.calls.clear();
    board.FlipBoard();
    EXPECT_TRUE(marks.boardFlipped);
    EXPECT_EQ(surface.calls.front(), "draw 456 512 12");
    EXPECT_EQ(board.SquareOfCell(0), 203);
    surface.calls.clear();
    board.FlipBoard();
    EXPECT_FALSE(marks.boardFlipped);
    EXPECT_EQ(surface.calls, normal);
    EXPECT_EQ(board.SquareOfCell(0), 51);
}

TEST_F(MainBoardTest, RefreshClearsOldMarksAndMarksTheLastMove) {
    const MoveValue first = MakeMoveValue(SquareAt(10, 4), SquareAt(10, 7));  // b2e2
    ASSERT_NE(CchessTryMove(&position, nullptr, first), 0);
    moveList.moves[1] = first;
    moveList.moveCount = moveList.currentPly = 1;
    marks.selectedSquare = static_cast<std::int16_t>(SquareAt(3, 4));
    marks.lostKingSquare = static_cast<std::int16_t>(SquareAt(3, 7));
    marks.markedMove = MakeMoveValue(SquareAt(12, 3), SquareAt(11, 3));

    board.RefreshMoveMarks();
    EXPECT_EQ(surface.calls, (Calls{"draw 64 8 11", "draw 232 8 8", "draw 8 512 5", "clear 8 456",
                                    "draw 8 456 0", "draw 64 400 15", "draw 232 400 21"}));
    EXPECT_EQ(marks.selectedSquare, 0);
    EXPECT_EQ(marks.lostKingSquare, 0);
    EXPECT_EQ(marks.markedMove, first);
}

TEST_F(MainBoardTest, RefreshAtTheStartRemovesMarksAndAddsNone) {
    marks.markedMove = MakeMoveValue(SquareAt(10, 4), SquareAt(10, 7));
    board.RefreshMoveMarks();
    EXPECT_EQ(surface.calls, (Calls{"draw 64 400 6", "clear 232 400", "draw 232 400 0"}));
    EXPECT_EQ(marks.markedMove, 0);
}

}  // namespace
}  // namespace tarvelle
