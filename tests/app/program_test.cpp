// The program as wired for a run, driven off screen through its real main window: clicks on the
// board's hot-spots play and refuse moves, the menu flips the board and takes moves back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <thread>

#include <unistd.h>
#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QTimer>

#include "app/engine_settings_file.h"
#include "assets/opening_puzzle.h"
#include "fake_engine_directory.h"
#include "program_fixture.h"
#include "ui_test_support.h"

namespace tarvelle {
namespace {

TEST_F(ProgramTest, OpensOnThePuzzleOfTheFenBox) {
    EXPECT_EQ(state->moveList.gameStartFen, kOpeningPuzzleFen);
    EXPECT_EQ(state->search.paceFactor, 1);
    // The engine starts once the window is up; without one the status bar says so at once.
    program->Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program->Window()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program->Engine().StartMillisecondsLeft(); }, 5000));
    EXPECT_EQ(program->Engine().State(), EngineState::Unloaded);
    EXPECT_EQ(program->Window().findChild<PartedStatusBar*>("状态条1")->PartText(0), "未载引擎");
    EXPECT_EQ(state->gamePosition.squares[SquareAt(11, 6)], 16);  // Red's king on d1
    EXPECT_NE(CellPixels(CellOf("d1")), EmptyCell(CellOf("d1")));
    EXPECT_EQ(CellPixels(CellOf("e5")), EmptyCell(CellOf("e5")));
}

TEST_F(ProgramTest, TwoClicksPlayALegalMoveAndRefuseAnIllegalOne) {
    ClickCell(CellOf("c3"));
    ClickCell(CellOf("e5"));  // a pawn cannot go there
    EXPECT_EQ(state->moveList.moveCount, 0);
    EXPECT_EQ(FenBox(), kOpeningPuzzleFen);

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
    EXPECT_EQ(BoardSide(state->gamePosition), 0);
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

// Fills the engine settings dialog, once it shows, as a user would and presses 确定: the engine
// file, the protocol's entry (0 自动, 1 UCCI, 2 UCI) and, when given, the seconds per move.
void ApplyInSettingsDialog(const std::string& engineFile, int protocol,
                           std::optional<double> seconds) {
    testing::WhenModalShown([=](QWidget& dialog) {
        dialog.findChild<QLineEdit*>("引擎文件")->setText(QString::fromStdString(engineFile));
        dialog.findChild<QComboBox*>("协议")->setCurrentIndex(protocol);
        if (seconds) {
            dialog.findChild<QRadioButton*>("每步秒数")->click();
            dialog.findChild<QDoubleSpinBox*>("秒数")->setValue(*seconds);
        }
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

// The settings are kept where the user keeps them; here, in a folder of the test's own.
struct ScratchConfiguration {
    ScratchConfiguration() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path())); }
    std::filesystem::path File() const {
        return std::filesystem::path(QFile::encodeName(folder.path()).toStdString()) / "tarvelle" /
               "tarvelle.conf";
    }
    QTemporaryDir folder;
};

// An engine file that does not start shows as none, and its settings stay as typed, to be mended.
TEST_F(ProgramTest, EngineSettingsNamingNoEngineAreKeptForMending) {
    const ScratchConfiguration configuration;
    ApplyInSettingsDialog("/nowhere/engine", 2, std::nullopt);
    Menu("引擎设置…");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program->Engine().StartMillisecondsLeft(); }, 5000));
    EXPECT_EQ(program->Engine().State(), EngineState::Unloaded);
    EXPECT_EQ(program->Window().findChild<PartedStatusBar*>("状态条1")->PartText(0), "未载引擎");
    EXPECT_EQ(state->engine.path, "/nowhere/engine");
    EXPECT_EQ(state->engine.protocol, ProtocolChoice::Uci);
    EXPECT_EQ(ReadEngineSettings(configuration.File()), state->engine);
    QString shown;
    testing::WhenModalShown([&](QWidget& dialog) {
        shown = dialog.findChild<QLineEdit*>("引擎文件")->text();
        dialog.close();
    });
    Menu("引擎设置…");
    EXPECT_EQ(shown, "/nowhere/engine");
}

class ProgramWithEngineTest : public ProgramTest {
protected:
    void SetUp() override {
        Open(engineDirectory.CommandLine());
        state->sides.computerPlaysRed = true;
    }

    // Runs the program as main does: the side question is answered with `answer` once `whileAsked`
    // has run inside it, and the window is closed as soon as `done` holds.
    void RunUntil(QMessageBox::StandardButton answer, const std::function<void()>& whileAsked,
                  const std::function<bool()>& done) {
        testing::WhenModalShown([&](QWidget& box) {
            if (whileAsked) whileAsked();
            dynamic_cast<QMessageBox&>(box).button(answer)->click();
        });
        const QDeadlineTimer deadline(8000);
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (done() || deadline.hasExpired()) program->Window().close();
        });
        watch.start(5);
        program->Run();
    }

    // The engine's start runs in the event loops; this one waits for it.
    bool EngineReady() {
        return QTest::qWaitFor([&] { return program->Engine().State() == EngineState::Ready; },
                               8000);
    }

    testing::FakeEngineDirectory engineDirectory{
        "ucci => ucciok\n"
        "go nodes => info depth 4 score cp 12 nodes 900 pv c3c4 f3c3 | bestmove c3c4 ponder f3c3"};
};

TEST_F(ProgramWithEngineTest, TheEnginesMoveIsPlayedOnTheBoardWithItsThinkingShown) {
    RunUntil(QMessageBox::Yes, {},
             [&] { return program->Engine().State() == EngineState::Pondering; });
    ASSERT_EQ(program->Engine().State(), EngineState::Pondering);
    EXPECT_EQ(FenBox(), "3a2b2/1P1k5/2Pab4/7RC/9/2P6/5c3/2NA5/3KAr3/cnn1r4 b - - 0 ");
    EXPECT_EQ(CellPixels(CellOf("c3")), EmptyCell(CellOf("c3")));
    EXPECT_NE(CellPixels(CellOf("c4")), EmptyCell(CellOf("c4")));
    EXPECT_EQ(BoxText("框_思考过程"), "  思考深度：4    得分(12)得分 C3-C4 F3-C3");
    const auto* statusBar = program->Window().findChild<PartedStatusBar*>("状态条1");
    EXPECT_EQ(statusBar->PartText(0), "后台思考");
}

// The side question opens as soon as the window shows, before the engine has answered; however
// long the user takes over it, the engine's start goes on meanwhile and is not cut short.
TEST_F(ProgramWithEngineTest, TheEngineStartsWhileTheSideQuestionIsOpen) {
    bool readyWhileAsked = false;
    RunUntil(
        QMessageBox::No,
        [&] {
            readyWhileAsked = QTest::qWaitFor(
                [&] { return program->Engine().State() == EngineState::Ready; }, 8000);
        },
        [] { return true; });
    EXPECT_TRUE(readyWhileAsked);
    EXPECT_EQ(program->Engine().State(), EngineState::Ready) << "the computer plays Black";
    program.reset();
    const std::vector<std::string> received = engineDirectory.ReceivedLines();
    ASSERT_EQ(received.size(), 11u);
    EXPECT_EQ(received[1], "setoption usemillisec true");
    EXPECT_EQ(received[10], "quit");
}

// The editor's position becomes the game: the engine is settled and told the new start FEN, the
// old game's marks are gone and the side question decides who moves.
TEST_F(ProgramWithEngineTest, AGameSentFromTheEditorStartsOnItsPosition) {
    constexpr const char* kEditorFen = "4k4/9/9/9/9/9/9/9/9/R3K4 b - - 0 0";
    ClickCell(CellOf("c3"));
    ASSERT_NE(state->marks.selectedSquare, 0);
    testing::WhenModalShown([&](QWidget& editor) {
        dynamic_cast<PositionEditorWindow&>(editor).ShowFenText(kEditorFen);
        editor.findChild<QPushButton*>(QStringLiteral("fens设局面"))->click();
        testing::WhenModalShown([](QWidget& question) {
            dynamic_cast<QMessageBox&>(question).button(QMessageBox::No)->click();
        });
        editor.findChild<QPushButton*>(QStringLiteral("回传主棋盘"))->click();
    });
    Menu("自定棋局");

    EXPECT_EQ(state->moveList.gameStartFen, kEditorFen);
    EXPECT_EQ(GameSide(state->gamePosition, state->moveList), 1);
    EXPECT_EQ(state->moveList.moveCount, 0);
    EXPECT_EQ(state->marks.selectedSquare, 0);
    EXPECT_TRUE(state->sides.computerPlaysBlack);
    EXPECT_FALSE(state->sides.computerPlaysRed);
    EXPECT_EQ(state->search.searchLevel, kAnsweredSearchLevel);
    EXPECT_EQ(FenBox(), kOpeningPuzzleFen) << "the main FEN box is left alone";
    EXPECT_NE(CellPixels(CellOf("a0")), EmptyCell(CellOf("a0")));
    EXPECT_EQ(CellPixels(CellOf("c3")), EmptyCell(CellOf("c3")));

    EngineLink& engine = program->Engine();
    ASSERT_TRUE(EngineReady());
    engine.StartComputerSearch();
    const std::string expected = std::string("position fen ") + kEditorFen;
    QDeadlineTimer deadline(8000);
    std::vector<std::string> received;
    while (std::find(received.begin(), received.end(), expected) == received.end() &&
           !deadline.hasExpired()) {
        QTest::qWait(5);
        received = engineDirectory.ReceivedLines();
    }
    EXPECT_NE(std::find(received.begin(), received.end(), expected), received.end());
}

// Applied while the engine ponders: the UCI engine chosen takes over the game as it stands, told
// in its own rank numbering, and moves on the computer's turn.
TEST_F(ProgramWithEngineTest, AppliedEngineSettingsRestartTheEngineAndTheGameGoesOn) {
    const ScratchConfiguration configuration;
    testing::FakeEngineDirectory uciEngine(
        "mode uci\n"
        "uci => option name UCI_Variant type combo default chess var xiangqi | uciok\n"
        "go movetime => bestmove c5c6\n");
    bool applied = false;
    RunUntil(QMessageBox::Yes, {}, [&] {
        if (!applied && program->Engine().State() == EngineState::Pondering) {
            applied = true;
            ApplyInSettingsDialog(uciEngine.CommandLine(), 2, 1.5);
            Menu("引擎设置…");
        } else if (applied && state->moveList.moveCount == 1 &&
                   program->Engine().State() == EngineState::Ready) {
            ClickCell(CellOf("e0"));
            ClickCell(CellOf("f0"));
        }
        return state->moveList.moveCount == 3;
    });
    ASSERT_EQ(state->moveList.moveCount, 3);
    EXPECT_EQ(state->moveList.moves[3], CoordToMove("c4c5"));
    EXPECT_TRUE(state->sides.computerPlaysRed);
    program.reset();
    EXPECT_EQ(engineDirectory.ReceivedLines().back(), "quit");
    EXPECT_EQ(uciEngine.ReceivedLines(),
              (std::vector<std::string>{
                  "uci", "setoption name UCI_Variant value xiangqi", "isready",
                  std::string("position fen ") + kOpeningPuzzleFen + " moves c4c5 e1f1",
                  "go movetime 1500", "quit"}));
    EXPECT_EQ(ReadEngineSettings(configuration.File()).protocol, ProtocolChoice::Uci);
}

// The idle wait sleeps until the engine writes, not until some later event.
TEST(QtEventPump, WakesWhenTheEngineWrites) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    QtEventPump pump;
    pump.WatchOutput(ends[0]);
    while (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents)) {
    }
    bool timedOut = false;
    QTimer::singleShot(5000, [&] { timedOut = true; });
    ASSERT_EQ(write(ends[1], "x\n", 2), 2);
    pump.ProcessEventsOrWait(std::nullopt);
    EXPECT_FALSE(timedOut);
    pump.WatchOutput(-1);
    close(ends[0]);
    close(ends[1]);
}

// The trainer's solver answers on a thread of its own; the time the loop gives ends a wait too.
TEST(QtEventPump, WakesWhenAnotherThreadAsksOrTheTimeGivenIsUp) {
    QtEventPump pump;
    while (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents)) {
    }
    bool timedOut = false;
    QTimer::singleShot(30000, [&] { timedOut = true; });
    std::thread answer([&pump] { pump.Wake(); });
    pump.ProcessEventsOrWait(std::nullopt);
    answer.join();
    pump.ProcessEventsOrWait(0);
    EXPECT_FALSE(timedOut);
}

}  // namespace
}  // namespace tarvelle
