// The trainer in a headless game: the real solver on its worker thread judges the player's moves
// in a mate in two, with a recording screen, board and engine and a clock the tests move on.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "board/cell_drawing.h"
#include "engine/move_text.h"
#include "fakes/test_clock.h"
#include "game/move_judge.h"
#include "game/puzzle_training.h"
#include "game_test_fixture.h"

namespace tarvelle {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

// The rook takes the rook and mates next; i8i9 checks, and the king's one escape holds.
constexpr const char* kMateInTwo = "4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w - - 0 0";
const PuzzleRow kStored{"72", "72", "两步杀 车马", kMateInTwo, "i8d8 e9f9 d8f8"};
// A puzzle of the user's own: its length comes from the solver.
const PuzzleRow kThreeFields{"1", "1", "两步杀", kMateInTwo, ""};

class MoveJudgeTest : public testing::GameTest {
protected:
    void SetUp() override {
        CchessInit(0);
        settings.paceFactor = 1;
        game.GateUserMoves(&judge);
        game.ObserveMates(&training);
    }
    void TearDown() override { fs::remove(attemptsFile); }

    void Play(const char* move) {
        Click(std::string(move, 2));
        Click(std::string(move + 2, 2));
    }
    // The idle steps up to the answer: the solver is waited for, the pace is not.
    TurnStep Answered() {
        TurnStep step = judge.TakeTurn();
        while (step.holdsTurn && !step.wakeInMs) {
            std::unique_lock lock(mutex);
            if (!answeredCondition.wait_for(lock, std::chrono::minutes(2),
                                            [this] { return answered; })) {
                ADD_FAILURE() << "the solver did not answer";
                break;
            }
            answered = false;
            lock.unlock();
            step = judge.TakeTurn();
        }
        return step;
    }
    // The reply after the pace, which the tests let pass at once.
    void PlayReply() {
        ASSERT_EQ(Answered().wakeInMs, kPaceMilliseconds);
        const int before = moveList.currentPly;
        clock.elapsedMs += kPaceMilliseconds;
        EXPECT_FALSE(judge.TakeTurn().holdsTurn);
        ASSERT_EQ(moveList.currentPly, before + 1);
    }
    // The mating move of the position on the board, played by clicks.
    void Mate() {
        std::array<MoveValue, CCHESS_MAX_MOVES> moves{};
        const int count = CchessLegalMoves(&position, moves.data(), CCHESS_MAX_MOVES);
        for (int i = 0; i < count; ++i) {
            int status = 0;
            CchessTryMove(&position, &status, moves[static_cast<std::size_t>(i)]);
            CchessUndoMove(&position);
            if ((status & CCHESS_STATUS_LOST) == 0) continue;
            Play(MoveToCoord(moves[static_cast<std::size_t>(i)]).c_str());
            return;
        }
        ADD_FAILURE() << "no mate in one";
    }
    // The fields after the time of each line of attempts.txt, whose shape the record's own test
    // checks.
    std::vector<std::string> Attempts() const {
        std::ifstream in(attemptsFile);
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);) {
            const std::size_t tab = line.find('\t');
            const bool timed = tab == std::string_view("2026-12-09T14:03:11+08:00").size();
            result.push_back(timed ? line.substr(tab + 1) : "bad " + line);
        }
        return result;
    }

    testing::TestClock clock;
    SearchSettings settings;
    SideChoice sides;
    std::mutex mutex;
    std::condition_variable answeredCondition;
    bool answered = false;
    SolverWorker solver{16, {.time = std::chrono::minutes(2)}, [this] {
                            const std::lock_guard lock(mutex);
                            answered = true;
                            answeredCondition.notify_all();
                        }};
    MoveJudge judge{game, position, moveList, engine, screen, clock, settings, solver};
    fs::path attemptsFile =
        fs::path(::testing::TempDir()) /
        ("move_judge_" + std::to_string(getpid()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    PuzzleTraining training{game, moveList, screen, sides, settings, judge, "", attemptsFile};
};

// With the stored line's length or the solver's, the wrong move is refuted after the pace, the
// board waiting meanwhile; the retry goes back before it, and the key is answered and mates.
TEST_F(MoveJudgeTest, AWrongMoveIsRefutedAndRetriedThenTheKeyMates) {
    for (const PuzzleRow& row : {kStored, kThreeFields}) {
        SCOPED_TRACE(row.name);
        training.Load(0, row);
        Play("i8i9");
        EXPECT_TRUE(judge.TakeTurn().holdsTurn);
        const std::int16_t selected = marks.selectedSquare;
        Click("e9");
        EXPECT_EQ(marks.selectedSquare, selected) << "the board waits for the verdict";
        ASSERT_NO_FATAL_FAILURE(PlayReply());
        EXPECT_EQ(screen.thinkingText, "此着不能在2步内成杀：黑方 将5进1");
        EXPECT_EQ(MoveToCoord(moveList.moves[2]), "e9e8");
        judge.Hint();
        Answered();
        EXPECT_EQ(screen.thinkingText, "已不能在2步内成杀") << "no hint is left to give";

        judge.RetryMove();
        EXPECT_EQ(moveList.moveCount, 0);
        EXPECT_STREQ(CchessBoard2Fen(&position), "4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w");

        engine.calls.clear();
        engine.state = EngineState::Pondering;
        Play("i8d8");
        EXPECT_EQ(engine.calls.front(), "halt") << "no ponder hit may answer before the verdict";
        engine.state = EngineState::Ready;
        ASSERT_NO_FATAL_FAILURE(PlayReply());
        EXPECT_EQ(screen.thinkingText, "此着正确：还需1步成杀");
        Mate();
        EXPECT_EQ(moveList.moveCount, 3);
    }
    ASSERT_EQ(Attempts().size(), 2u);
    EXPECT_EQ(Attempts()[0].substr(Attempts()[0].find('\t')),
              "\tmistake\ti8d8 " + MoveToCoord(moveList.moves[3]));
}

// The hint's first press selects the key's piece, the second frames its destination, and the
// mate then counts as one after a hint. A puzzle left after a move counts as failed.
TEST_F(MoveJudgeTest, TheHintMarksTheKeyAndTheAttemptsSayHowEachEnded) {
    training.Load(0, kStored);
    judge.Hint();
    Answered();
    EXPECT_EQ(marks.selectedSquare, CoordToMove("i8i8") % 256);
    judge.Hint();
    testing::RecordingSurface destination;
    DrawPoint(destination, position, CoordToMove("d8d8") % 256, false, true);
    EXPECT_EQ(surface.calls.back(), destination.calls.back());
    Play("i8d8");
    ASSERT_NO_FATAL_FAILURE(PlayReply());
    Mate();

    training.Load(0, kStored);
    training.Load(0, kStored);  // nothing was tried: no attempt
    Play("i8i9");
    training.Repeat();
    EXPECT_EQ(Attempts(), (Calls{"4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w\thint\ti8d8 " +
                                     MoveToCoord(moveList.moves[3]),
                                 "4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w\tfailed\ti8i9"}));
}

// A question the solver cannot answer within its budget leaves the move to the engine, once.
TEST_F(MoveJudgeTest, AnUnansweredQuestionLeavesTheMoveToTheEngine) {
    SolverWorker tiny{1, {.nodes = 1}, [this] {
                          const std::lock_guard lock(mutex);
                          answered = true;
                          answeredCondition.notify_all();
                      }};
    MoveJudge tinyJudge{game, position, moveList, engine, screen, clock, settings, tiny};
    game.GateUserMoves(&tinyJudge);
    StartFrom("5ab2/3k5/3a5/9/6P2/5R3/9/3A1A3/9/5K3 w - - 0 0");  // a mate in nine
    tinyJudge.Begin(kRedSide, 9);
    Play("f4f9");
    const TurnStep first = tinyJudge.TakeTurn();
    EXPECT_TRUE(first.holdsTurn);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(
        answeredCondition.wait_for(lock, std::chrono::minutes(2), [this] { return answered; }));
    lock.unlock();
    EXPECT_FALSE(tinyJudge.TakeTurn().holdsTurn);
    EXPECT_FALSE(tinyJudge.TakeTurn().holdsTurn) << "not asked again";
    EXPECT_EQ(screen.thinkingText, "") << "no verdict";
    EXPECT_EQ(moveList.moveCount, 1);
    game.GateUserMoves(nullptr);
}

}  // namespace
}  // namespace tarvelle
