// The link's dispatch with the real game flow and rules over a scripted channel: whatever the
// engine writes, in whatever state, the game stays sound; and a line that cannot be sent loses the
// engine at once, wherever the link was sending it from.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dispatch_checks.h"
#include "dispatch_rig.h"
#include "engine/move_text.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

using testing::DispatchRig;
using testing::IsOneOfTheSevenStates;

::testing::AssertionResult GameIsSound(const DispatchRig& rig) {
    const std::string fault = testing::GameReplay().Fault(rig.position, rig.moveList);
    if (fault.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault;
}

TEST(EngineDispatch, AnyLineInAnyStateKeepsTheGameSound) {
    const std::string lines[] = {
        "",
        "bestmove",
        "bestmove ",
        "bestmove (none)",
        "bestmove h2e2",
        "bestmove h2e2 ponder h9g7",
        "bestmove h9g7 ponder h2e2",  // Black's move with Red to move
        "bestmove e0e1 ponder \xFF\xFF\xFF\xFF",
        "bestmove \x80\x80\x80\x80 ponder",
        "bestmove a0a0",
        "nobestmove",
        "info depth 200 score mate -32768 nodes 99999999999 pv h2e2 \xFF",
        "info pv",
        "ucciok",
        std::string(70000, 'x'),
    };
    for (const EngineState state :
         {EngineState::Unloaded, EngineState::Ready, EngineState::Resting, EngineState::PonderDone,
          EngineState::Stopping, EngineState::Thinking, EngineState::Pondering}) {
        for (const std::string& line : lines) {
            SCOPED_TRACE(EngineStatusText(state) + " | " + line.substr(0, 40));
            DispatchRig rig(kStartFen);
            if (state == EngineState::Stopping) {
                rig.Reach(EngineState::Thinking);
                rig.channel.incoming = {line};
                ASSERT_TRUE(rig.game.PlayMove(CoordToMove("b0c2")));
            } else {
                rig.Reach(state);
                ASSERT_EQ(rig.link.State(), state);
                rig.Feed(line);
            }
            EXPECT_TRUE(IsOneOfTheSevenStates(rig.link.State()));
            EXPECT_TRUE(GameIsSound(rig));
            EXPECT_EQ(rig.moveList.moveCount, rig.moveList.currentPly);
        }
    }
}

TEST(EngineDispatch, ALineThatCannotBeSentLosesTheEngineAtOnce) {
    struct Case {
        const char* what;
        // Nothing: the engine is not started before the act.
        std::optional<EngineState> from;
        const char* failingLine;
        std::function<void(DispatchRig&)> act;
    };
    const auto userPlays = [](const char* move) {
        return [move](DispatchRig& rig) { ASSERT_TRUE(rig.game.PlayMove(CoordToMove(move))); };
    };
    const Case cases[] = {
        {"the greeting", std::nullopt, "ucci", [](DispatchRig& rig) { rig.link.Start(); }},
        {"an option", EngineState::Unloaded, "setoption hashsize",
         [](DispatchRig& rig) { rig.Feed("ucciok"); }},
        {"a search's go", EngineState::Ready, "go",
         [](DispatchRig& rig) { rig.link.StartComputerSearch(); }},
        {"the ponder search after the engine's move", EngineState::Thinking, "position",
         [](DispatchRig& rig) { rig.Feed("bestmove h2e2 ponder h9g7"); }},
        {"stop, on a move during a search", EngineState::Thinking, "stop", userPlays("b0c2")},
        {"ponderhit", EngineState::Pondering, "ponderhit", userPlays("h9g7")},
        {"stop, on undo while pondering", EngineState::Pondering, "stop",
         [](DispatchRig& rig) { rig.game.TakeBackMove(); }},
        {"quit", EngineState::Thinking, "quit", [](DispatchRig& rig) { rig.link.Quit(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DispatchRig rig(kStartFen);
        if (c.from) rig.Reach(*c.from);
        rig.channel.failFrom = c.failingLine;
        c.act(rig);
        const std::size_t sent = rig.channel.sent.size();
        EXPECT_EQ(rig.link.State(), EngineState::Unloaded);
        EXPECT_FALSE(rig.channel.Launched()) << "the engine is closed";
        EXPECT_EQ(rig.screen.statusTexts[0], "未载引擎");
        EXPECT_TRUE(GameIsSound(rig));

        // The game goes on, and nothing more is sent or read.
        rig.channel.failFrom.reset();
        rig.channel.incoming = {"bestmove h2e2"};
        const int moves = rig.moveList.moveCount;
        MoveValue legal[CCHESS_MAX_MOVES];
        ASSERT_GT(CchessLegalMoves(&rig.position, legal, CCHESS_MAX_MOVES), 0);
        EXPECT_TRUE(rig.game.PlayMove(legal[0]));
        EXPECT_FALSE(rig.link.PollLine().taken);
        EXPECT_EQ(rig.moveList.moveCount, moves + 1);
        EXPECT_EQ(rig.channel.sent.size(), sent);
    }
}

// The status bar shows the state the link is in from the end of the handshake on, whatever moved
// it there: once, a halt or a stop wait left the last search's state showing.
TEST(EngineDispatch, TheStatusBarShowsTheStateAfterEveryChange) {
    struct Case {
        const char* what;
        EngineState from;
        std::vector<std::string> engineLines;
        std::function<void(DispatchRig&)> act;
        EngineState state;
    };
    const Case cases[] = {
        {"the handshake ends",
         EngineState::Unloaded,
         {},
         [](DispatchRig& rig) { rig.Feed("ucciok"); },
         EngineState::Ready},
        {"a halt while pondering",
         EngineState::Pondering,
         {"bestmove b0c2"},
         [](DispatchRig& rig) { rig.link.Halt(); },
         EngineState::Ready},
        {"a take-back while pondering",
         EngineState::Pondering,
         {"nobestmove"},
         [](DispatchRig& rig) { rig.game.TakeBackMove(); },
         EngineState::Ready},
        {"a stop wait that runs out",
         EngineState::Thinking,
         {},
         [](DispatchRig& rig) { ASSERT_TRUE(rig.game.PlayMove(CoordToMove("b0c2"))); },
         EngineState::Ready},
        {"a game settled while resting",
         EngineState::Resting,
         {},
         [](DispatchRig& rig) { rig.link.Settle(); },
         EngineState::Ready},
        {"a ponder hit",
         EngineState::Pondering,
         {},
         [](DispatchRig& rig) { ASSERT_TRUE(rig.game.PlayMove(CoordToMove("h9g7"))); },
         EngineState::Thinking},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DispatchRig rig(kStartFen);
        rig.Reach(c.from);
        rig.screen.statusTexts[0] = rig.screen.statusTexts[1] = "stale";
        rig.channel.incoming.assign(c.engineLines.begin(), c.engineLines.end());
        c.act(rig);
        EXPECT_EQ(rig.link.State(), c.state);
        EXPECT_EQ(rig.screen.statusTexts[0], EngineStatusText(c.state));
        if (c.from == EngineState::Unloaded) {
            EXPECT_EQ(rig.screen.statusTexts[1], "") << "no progress yet";
        }
    }
}

}  // namespace
}  // namespace tarvelle
