// The polling loop: engine output before everything, the idle step's search, events pumped in
// between, and the side question once before the loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "engine/move_text.h"
#include "game/game_test_fixture.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

using Calls = std::vector<std::string>;

// Logs into the engine's call list, so the order of polls, searches and pumps shows in one place.
class RecordingPump final : public EventPump {
public:
    explicit RecordingPump(Calls& log) : log_(log) {}
    std::function<void()> duringWait;

    void ProcessPendingEvents() override { log_.push_back("events"); }
    void ProcessEventsOrWait(std::optional<std::int64_t> wakeInMs) override {
        log_.push_back(wakeInMs ? "events or wait " + std::to_string(*wakeInMs) + " ms"
                                : "events or wait");
        if (duringWait) duringWait();
    }

private:
    Calls& log_;
};

class MainLoopTest : public testing::GameTest {
protected:
    void SetUp() override { StartFrom(std::string(kStartFen)); }

    SideChoice sides;
    SearchSettings settings;
    RecordingPump pump{engine.calls};
    MainLoop loop{engine, game, screen, sides, settings, pump};

    // Stops the loop after `waits` idle pauses.
    void StopAfterWaits(int waits) {
        pump.duringWait = [this, waits, seen = 0]() mutable {
            if (++seen == waits) loop.Stop();
        };
    }
};

TEST_F(MainLoopTest, AsksOnceThenDrainsOutputBeforeIdling) {
    screen.answers = {QuestionAnswer::kNo};
    engine.polls = {{.taken = true, .engineMove = {}}, {.taken = true, .engineMove = {}}, {}, {}};
    StopAfterWaits(2);
    loop.Run();
    EXPECT_EQ(screen.dialogs, (Calls{"question 走棋方提示|电脑走红方？"}));
    EXPECT_TRUE(sides.computerPlaysBlack);
    EXPECT_EQ(engine.calls, (Calls{"poll line", "events", "poll line", "events", "poll none",
                                   "events or wait", "poll none", "events or wait"}));
    EXPECT_FALSE(loop.Running());
}

TEST_F(MainLoopTest, ReadyEngineSearchesWhenTheComputerIsToMove) {
    screen.answers = {QuestionAnswer::kYes};
    engine.state = EngineState::Ready;
    StopAfterWaits(2);
    loop.Run();
    // The search starts in the first idle step and not again while it runs.
    EXPECT_EQ(engine.calls, (Calls{"search", "events or wait", "events or wait"}));
}

TEST_F(MainLoopTest, NoSearchForTheUsersSideOrWithoutAReadyEngine) {
    sides.computerPlaysBlack = true;
    engine.state = EngineState::Ready;
    loop.IdleStep();
    ASSERT_TRUE(game.AcceptMove(CoordToMove("h2e2")));  // Black to move now
    engine.calls.erase(engine.calls.begin() + 1, engine.calls.end());
    engine.state = EngineState::Unloaded;
    loop.IdleStep();
    engine.state = EngineState::Resting;
    loop.IdleStep();
    EXPECT_EQ(engine.calls, (Calls{"events or wait", "events or wait", "events or wait"}));
    engine.state = EngineState::Ready;
    loop.IdleStep();
    EXPECT_EQ(engine.calls.at(3), "search");
}

// The link only reports the engine's move; the loop has the game play it and report back.
TEST_F(MainLoopTest, TheEnginesMoveIsPlayedByTheGameAndReportedBack) {
    engine.polls = {{.taken = true, .engineMove = CoordToMove("h2h9")},   // a cannon takes a horse
                    {.taken = true, .engineMove = CoordToMove("a9a5")}};  // a chariot jumps a pawn
    loop.Pass();
    loop.Pass();
    EXPECT_EQ(engine.calls, (Calls{"poll line", "before h2h9", "after h2h9", "played", "events",
                                   "poll line", "refused", "events"}));
    EXPECT_EQ(moveList.moveCount, 1);
    EXPECT_EQ(screen.fenText, GameFenText(position));
}

// The trainer answers in place of the engine: while it holds the turn, nothing is searched, and the
// wait ends when its reply is due.
TEST_F(MainLoopTest, ATurnTakerThatHoldsTheTurnKeepsTheEngineFromSearching) {
    struct HoldingTaker final : TurnTaker {
        std::vector<TurnStep> steps;
        TurnStep TakeTurn() override {
            const TurnStep step = steps.front();
            steps.erase(steps.begin());
            return step;
        }
    } taker;
    taker.steps = {{.holdsTurn = true, .wakeInMs = 800}, {.holdsTurn = false, .wakeInMs = {}}};
    loop.ShareTurnsWith(&taker);
    sides.computerPlaysRed = true;
    engine.state = EngineState::Ready;
    loop.IdleStep();
    loop.IdleStep();
    EXPECT_EQ(engine.calls, (Calls{"events or wait 800 ms", "search", "events or wait"}));
}

TEST_F(MainLoopTest, StopDuringTheQuestionEndsWithoutLooping) {
    screen.answers = {QuestionAnswer::kYes};
    loop.Stop();
    loop.Run();
    EXPECT_EQ(screen.dialogs.size(), 1u);
    EXPECT_TRUE(engine.calls.empty());
}

}  // namespace
}  // namespace tarvelle
