// The engine link over a scripted channel, wired to the real rules and game flow as the program
// wires them, with a recording screen and board. Engine lines go in through the link's dispatch
// and the engine's moves are played the way the main loop plays them; every line the link sends is
// in the channel. No process, no waiting: the clock runs, so bounds pass at once.
#pragma once

#include <string>
#include <string_view>

#include "fakes/scripted_channel.h"
#include "fakes/test_clock.h"
#include "wired_game.h"

namespace tarvelle::testing {

struct ScriptedEngineParts {
    ScriptedChannel channel;
    TestClock clock;
};

struct DispatchRig : ScriptedEngineParts, WiredGame {
    explicit DispatchRig(std::string_view fen) : WiredGame(channel, clock, fen) {
        clock.running = true;
    }

    // One line of engine output, as the main loop handles it.
    void Feed(std::string_view line) {
        if (const auto move = link.HandleLine(line)) game.PlayEngineMove(*move);
    }

    // Brings the link to `state` from the start position the way an engine does, Red to move:
    // Unloaded while it is being started, Ready, Thinking, Resting after "nobestmove",
    // Pondering on h9g7 after "bestmove h2e2 ponder h9g7", PonderDone with the stored reply
    // b0c2 ponder b9c7. Stopping lasts only while a move waits for the answer to "stop": queue the
    // lines in `channel.incoming`, reach Thinking and play a move.
    void Reach(EngineState state) {
        link.Start();
        if (state == EngineState::Unloaded) return;
        Feed("ucciok");
        if (state == EngineState::Ready) return;
        link.StartComputerSearch();
        if (state == EngineState::Resting) Feed("nobestmove");
        if (state == EngineState::Pondering || state == EngineState::PonderDone)
            Feed("bestmove h2e2 ponder h9g7");
        if (state == EngineState::PonderDone) Feed("bestmove b0c2 ponder b9c7");
    }
};

}  // namespace tarvelle::testing
