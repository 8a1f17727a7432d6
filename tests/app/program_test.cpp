// The program as wired for a run, driven off screen through its real main window: clicks on the
// board's hot-spots play and refuse moves, the menu flips the board and takes moves back.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <memory>

#include "app/program.h"
#include "assets/board_picture.h"
#include "board/cell_geometry.h"
#include "ui_test_support.h"

namespace tarvelle {
namespace {

constexpr const char* kOpeningPuzzle =
    "3a2b2/1P1k5/2Pab4/7RC/9/9/2P2c3/2NA5/3KAr3/cnn1r4 w - - 0 0";

// Cell of a point given as coordinate text, in the normal view.
int CellOf(const char* coord) {
    return 9 * ('9' - coord[1]) + (coord[0] - 'a');
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path programDirectory =
            QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
        program = std::make_unique<Program>(*state, programDirectory);
        program->Window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->Window()));
    }

    void ClickCell(int cell) {
        testing::ClickAt(program->Window().BoardPanel(),
                         QPoint(CellLeft(cell) + kCellSize / 2, CellTop(cell) + kCellSize / 2));
    }

    void Menu(const QString& item) {
        for (QAction* action : program->Window().menuBar()->actions()[0]->menu()->actions()) {
            if (action->text() == item) action->trigger();
        }
    }

    QImage CellPixels(int cell) const {
        return program->Window().BoardPanel().Pixels().copy(CellLeft(cell), CellTop(cell),
                                                            kCellSize, kCellSize);
    }

    static QImage EmptyCell(int cell) {
        return QImage(kBoardPictureResource)
            .convertToFormat(QImage::Format_RGB32)
            .copy(CellLeft(cell), CellTop(cell), kCellSize, kCellSize);
    }

    QString FenBox() const {
        return program->Window().findChild<QPlainTextEdit*>("框_fens")->toPlainText();
    }

    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    std::unique_ptr<Program> program;
};

TEST_F(ProgramTest, OpensOnThePuzzleOfTheFenBox) {
    EXPECT_EQ(state->moveList.gameStartFen, kOpeningPuzzle);
    EXPECT_EQ(state->paceFactor, 1);
    EXPECT_EQ(state->gamePosition.squares[SquareAt(11, 6)], 16);  // Red's king on d1
    EXPECT_NE(CellPixels(CellOf("d1")), EmptyCell(CellOf("d1")));
    EXPECT_EQ(CellPixels(CellOf("e5")), EmptyCell(CellOf("e5")));
}

TEST_F(ProgramTest, TwoClicksPlayALegalMoveAndRefuseAnIllegalOne) {
    ClickCell(CellOf("c3"));
    ClickCell(CellOf("e5"));  // a pawn cannot go there
    EXPECT_EQ(state->moveList.moveCount, 0);
    EXPECT_EQ(FenBox(), kOpeningPuzzle);

    ClickCell(CellOf("c4"));
    EXPECT_EQ(state->moveList.moveCount, 1);
    EXPECT_EQ(FenBox(), "3a2b2/1P1k5/2Pab4/7RC/9/2P6/5c3/2NA5/3KAr3/cnn1r4 b - - 0 ");
    EXPECT_EQ(CellPixels(CellOf("c3")), EmptyCell(CellOf("c3")));
    EXPECT_NE(CellPixels(CellOf("c4")), EmptyCell(CellOf("c4")));
}

TEST_F(ProgramTest, TakeBackFromTheMenuRestoresTheBoard) {
    const QImage before = program->Window().BoardPanel().Pixels();
    ClickCell(CellOf("c3"));
    ClickCell(CellOf("c4"));
    Menu("悔棋");
    EXPECT_EQ(state->moveList.moveCount, 0);
    EXPECT_EQ(state->moveList.boardSide, 0);
    EXPECT_EQ(program->Window().BoardPanel().Pixels(), before);
}

TEST_F(ProgramTest, FlippedBoardTakesClicksInTheTurnedView) {
    const QImage normal = program->Window().BoardPanel().Pixels();
    Menu("反转棋盘");
    EXPECT_TRUE(state->marks.boardFlipped);
    // Red's pawn on c3 now shows, and is clicked, in the cell where g6 was; g6 is empty.
    EXPECT_NE(CellPixels(CellOf("g6")), EmptyCell(CellOf("g6")));
    EXPECT_EQ(CellPixels(CellOf("c3")), EmptyCell(CellOf("c3")));
    ClickCell(CellOf("g6"));
    ClickCell(CellOf("g5"));
    EXPECT_EQ(state->moveList.moveCount, 1);
    EXPECT_EQ(state->moveList.moves[1], MakeMoveValue(SquareAt(9, 5), SquareAt(8, 5)));
    Menu("反转棋盘");
    Menu("悔棋");
    EXPECT_EQ(program->Window().BoardPanel().Pixels(), normal);
}

}  // namespace
}  // namespace tarvelle
