// The polling loop: engine output before everything, the idle step's search, events pumped in
// between, and the side question once before the loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "fakes/recording_engine.h"
#include "fakes/recording_screen.h"

namespace tarvelle {
namespace {

using Calls = std::vector<std::string>;

// Logs into the engine's call list, so the order of polls, searches and pumps shows in one place.
class RecordingPump final : public EventPump {
public:
    explicit RecordingPump(Calls& log) : log_(log) {}
    std::function<void()> duringWait;

    void ProcessPendingEvents() override { log_.push_back("events"); }
    void ProcessEventsOrWait() override {
        log_.push_back("events or wait");
        if (duringWait) duringWait();
    }

private:
    Calls& log_;
};

class MainLoopTest : public ::testing::Test {
protected:
    testing::RecordingEngine engine;
    testing::RecordingScreen screen;
    SideChoice sides;
    SearchSettings settings;
    MoveList moveList;
    RecordingPump pump{engine.calls};
    MainLoop loop{engine, screen, sides, settings, moveList, pump};

    // Stops the loop after `waits` idle pauses.
    void StopAfterWaits(int waits) {
        pump.duringWait = [this, waits, seen = 0]() mutable {
            if (++seen == waits) loop.Stop();
        };
    }
};

TEST_F(MainLoopTest, AsksOnceThenDrainsOutputBeforeIdling) {
    screen.answers = {QuestionAnswer::kNo};
    engine.polls = {true, true, false, false};
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
    moveList.gameSide = 1;
    engine.state = EngineState::Unloaded;
    loop.IdleStep();
    engine.state = EngineState::Resting;
    loop.IdleStep();
    EXPECT_EQ(engine.calls, (Calls{"events or wait", "events or wait", "events or wait"}));
    engine.state = EngineState::Ready;
    loop.IdleStep();
    EXPECT_EQ(engine.calls.at(3), "search");
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
