// Puzzle training in the wired program, off screen and without an engine (so the user plays both
// sides): the 题库 menu and its keys, the puzzle picker over the main window, the verdicts of mates
// played by clicks and the marks their attempts leave in the picker. The trainer's answers come
// only in the main loop, which these tests do not run.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>

#include "program_fixture.h"

namespace tarvelle {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMateInOne = "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0";
// Black to move, and its fourth field is a comment rather than a solution.
constexpr const char* kBlackMates = "9/4a4/3ak4/4c4/9/6B2/3n5/9/9/3K5 b - - 0 0";
constexpr const char* kRookMate = "9/5k3/3aRa3/9/9/9/P8/5A3/5C3/2B1KA3 w - - 0 0";

class PuzzleTrainingTest : public ProgramTest {
protected:
    // The puzzles are the user's own file; the record of solved ones lies beside it.
    void SetUp() override {
        folder = fs::path(::testing::TempDir()) /
                 ("puzzle_training_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder / "data/tarvelle");
        std::ofstream(folder / "data/tarvelle/fens.txt")
            << "1,一步杀 炮," << kMateInOne << ",e3d3\n"
            << "2,一步杀 炮," << kBlackMates << ",see the book\n"
            << "3,一步杀 车," << kRookMate << ",e7f7\n";
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
        ProgramTest::SetUp();
    }
    void TearDown() override {
        unsetenv("TARVELLE_TODAY");
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_STATE_HOME");
        fs::remove_all(folder);
    }

    // Menu shortcuts answer only in the active window, which a closed message box may not have
    // handed back yet.
    void Key(QKeyCombination keys) {
        program->Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&program->Window()));
        QTest::keyClick(&program->Window(), keys.key(), keys.keyboardModifiers());
    }
    void Play(const char* move) {
        ClickCell(CellOf(move));
        ClickCell(CellOf(move + 2));
    }
    // Plays the move, which mates, and returns the text of the result box it shows.
    QString ResultOf(const char* move) {
        QString text;
        testing::WhenModalShown([&text](QWidget& box) {
            text = dynamic_cast<QMessageBox&>(box).text();
            dynamic_cast<QMessageBox&>(box).accept();
        });
        Play(move);
        return text;
    }
    std::string SolvedFile() const {
        std::ifstream in(folder / "state/tarvelle/solved.txt");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Opens the picker with Ctrl+O and runs `inPicker` on its list; returns once it is closed.
    void WithPicker(const std::function<void(QTreeView&)>& inPicker) {
        testing::WhenModalShown([&](QWidget& picker) {
            EXPECT_EQ(picker.parentWidget(), &program->Window());
            inPicker(*picker.findChild<QTreeView*>());
            if (picker.isVisible()) dynamic_cast<QDialog&>(picker).reject();
        });
        Key(Qt::CTRL | Qt::Key_O);
    }

    fs::path folder;
};

TEST_F(PuzzleTrainingTest, NextPreviousAndRepeatWrapAroundTheFile) {
    EXPECT_FALSE(MenuItem(QStringLiteral("重做本题")).isEnabled());
    Key(Qt::Key_PageUp);
    EXPECT_EQ(FenBox(), kRookMate) << "before any puzzle, the last";
    Key(Qt::Key_PageDown);
    EXPECT_EQ(FenBox(), kMateInOne) << "after the last, the first";
    Key(Qt::Key_PageUp);
    EXPECT_EQ(FenBox(), kRookMate) << "before the first, the last";
    Key(Qt::Key_PageUp);
    EXPECT_EQ(FenBox(), kBlackMates);

    Play("e6e5");
    ASSERT_EQ(state->moveList.moveCount, 1);
    Key(Qt::CTRL | Qt::Key_R);
    EXPECT_EQ(state->moveList.moveCount, 0);
    EXPECT_STREQ(CchessBoard2Fen(&state->gamePosition), "9/4a4/3ak4/4c4/9/6B2/3n5/9/9/3K5 b");
    EXPECT_EQ(FenBox(), kBlackMates);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(FenBox(), kRookMate);
}

// A click only selects; Enter loads, starting a new game as the editor's does, without its side
// question.
TEST_F(PuzzleTrainingTest, EnterInThePickerLoadsTheSelectedPuzzleAsANewGame) {
    Play("c3c4");
    ClickCell(CellOf("d1"));
    ASSERT_NE(state->marks.selectedSquare, 0);
    WithPicker([&](QTreeView& list) {
        testing::ClickAt(*list.viewport(), list.visualRect(list.model()->index(1, 0)).center());
        EXPECT_TRUE(list.isVisible()) << "a click does not load";
        EXPECT_EQ(state->moveList.moveCount, 1);
        QTest::keyClick(&list, Qt::Key_Return);
    });
    EXPECT_TRUE(program->Window().findChildren<QDialog*>().isEmpty()) << "the picker is closed";
    EXPECT_EQ(FenBox(), kBlackMates);
    EXPECT_EQ(program->Window().windowTitle(), QStringLiteral("Tarvelle — 2 一步杀 炮"));
    EXPECT_EQ(state->moveList.gameStartFen, kBlackMates);
    EXPECT_EQ(state->moveList.moveCount, 0);
    EXPECT_EQ(state->marks.selectedSquare, 0);
    EXPECT_EQ(BoardSide(state->gamePosition), kBlackSide);
    EXPECT_TRUE(state->sides.computerPlaysRed);
    EXPECT_FALSE(state->sides.computerPlaysBlack);
    EXPECT_EQ(state->search.searchLevel, kAnsweredSearchLevel);
}

TEST_F(PuzzleTrainingTest, MatesGetTheirVerdictAndAttemptsAreMarked) {
    Key(Qt::Key_PageDown);
    Play("e1f0");
    Play("g5i7");
    EXPECT_EQ(ResultOf("e3d3"), QStringLiteral("红胜。\n\n本局结束!\n已杀，比1步多用了1步。"));
    EXPECT_EQ(SolvedFile(), "") << "longer than the named length";

    for (int ply = 0; ply < 3; ++ply)
        Menu(QStringLiteral("悔棋"));
    EXPECT_EQ(ResultOf("e3d3"), QStringLiteral("红胜。\n\n本局结束!\n解题成功：1步杀，用了1步。"));
    EXPECT_EQ(SolvedFile(), "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w\n");

    Key(Qt::Key_PageDown);
    EXPECT_EQ(ResultOf("e6d6"), QStringLiteral("黑胜。\n\n本局结束!\n用了1步"));
    Key(Qt::Key_PageDown);
    Play("a3a4");
    Key(Qt::Key_PageDown);  // the third puzzle is left unsolved

    QStringList marks;
    WithPicker([&](QTreeView& list) {
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            marks << list.model()->index(row, 2).data().toString() + "|" +
                         list.model()->index(row, 5).data().toString();
        }
    });
    // The last attempt at each: a mate past the length, a clean mate, one left unsolved.
    EXPECT_EQ(marks, (QStringList{"1|?", "1|√", "1|×"}));
}

// Two puzzles of the file are due on the day TARVELLE_TODAY names, a third only the next day, and
// one due is no longer in the file.
TEST_F(PuzzleTrainingTest, ReviewStartsThePuzzleDueLongestAgoAndMovesOn) {
    const auto line = [](const char* day, std::string_view fen, const char* result) {
        return std::string(day) + "T10:00:00+08:00\t" + std::string(fen.substr(0, fen.find(" -"))) +
               "\t" + result + "\t\n";
    };
    fs::create_directories(folder / "state/tarvelle");
    std::ofstream(folder / "state/tarvelle/attempts.txt")
        << line("2026-01-01", kMateInOne, "hint") << line("2026-01-02", kRookMate, "failed")
        << line("2026-01-02", "4k4/9/9/9/9/9/9/9/9/3K5 w - -", "failed")
        << line("2026-01-04", kBlackMates, "mistake");
    setenv("TARVELLE_TODAY", "2026-01-04", 1);
    program.reset();
    Open("/nonexistent/EEYE.dll");

    EXPECT_TRUE(MenuItem(QStringLiteral("复习 (2)")).isEnabled());
    Key(Qt::Key_N);
    EXPECT_EQ(FenBox(), kMateInOne);
    Key(Qt::Key_N);
    EXPECT_EQ(FenBox(), kRookMate) << "the puzzle being played is passed over";
    Key(Qt::Key_N);
    EXPECT_EQ(FenBox(), kMateInOne);
    ResultOf("e3d3");
    EXPECT_TRUE(MenuItem(QStringLiteral("复习 (1)")).isEnabled()) << "solved clean: in box 2";
}

TEST_F(PuzzleTrainingTest, TheSolutionIsOfferedOnlyWhenOneIsStored) {
    EXPECT_FALSE(MenuItem(QStringLiteral("解法")).isEnabled());
    Key(Qt::Key_PageDown);
    ASSERT_TRUE(MenuItem(QStringLiteral("解法")).isEnabled());
    Key(Qt::CTRL | Qt::Key_L);
    EXPECT_EQ(BoxText("框_思考过程"), QStringLiteral("1. 炮五平六"));
    Key(Qt::Key_PageDown);
    EXPECT_FALSE(MenuItem(QStringLiteral("解法")).isEnabled()) << "a comment is no solution";
}

// The editor's own way of starting a game ends the puzzle: no verdict, a plain caption.
TEST_F(PuzzleTrainingTest, AGameFromTheEditorEndsThePuzzle) {
    Key(Qt::Key_PageDown);
    testing::WhenModalShown([](QWidget& editor) {
        testing::WhenModalShown([](QWidget& question) {
            dynamic_cast<QMessageBox&>(question).button(QMessageBox::No)->click();
        });
        editor.findChild<QPushButton*>(QStringLiteral("回传主棋盘"))->click();
    });
    Menu(QStringLiteral("自定棋局"));
    EXPECT_EQ(program->Window().windowTitle(), QStringLiteral("Tarvelle"));
    EXPECT_FALSE(MenuItem(QStringLiteral("重做本题")).isEnabled());
    EXPECT_FALSE(MenuItem(QStringLiteral("解法")).isEnabled());
    EXPECT_EQ(ResultOf("e3d3"), QStringLiteral("红胜。\n\n本局结束!"));
    EXPECT_EQ(SolvedFile(), "");
}

}  // namespace
}  // namespace tarvelle
