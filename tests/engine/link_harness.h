// The engine link as the program wires it, without windows: the real rules and game flow, the
// main loop's passes, a recording screen and board, and an engine process at a given command line.
#pragma once

#include <poll.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_loop.h"
#include "engine/engine_session.h"
#include "engine/move_text.h"
#include "fakes/test_clock.h"
#include "wired_game.h"

namespace tarvelle::testing {

// The window system's part in the main loop: no window events, and the idle wait is a short real
// wait for engine output.
class EngineOutputPump final : public EventPump, public OutputWatch {
public:
    void ProcessPendingEvents() override {}
    void ProcessEventsOrWait(std::optional<std::int64_t>) override {
        pollfd output{descriptor_, POLLIN, 0};
        if (descriptor_ >= 0) poll(&output, 1, 10);
    }
    void WatchOutput(int descriptor) override { descriptor_ = descriptor; }

private:
    int descriptor_ = -1;
};

// The pump comes first, so that it outlives the session, which tells it when the engine goes.
struct EngineProcess {
    explicit EngineProcess(const std::string& commandLine) : session(commandLine) {}
    EngineOutputPump pump;
    EngineSession session;
};

struct LinkHarness : EngineProcess, WiredGame {
    LinkHarness(const std::string& engineCommandLine, LinkClock& clock, std::string_view fen,
                bool computerPlaysRed)
        : EngineProcess(engineCommandLine), WiredGame(session, clock, fen) {
        sides.computerPlaysRed = computerPlaysRed;
        sides.computerPlaysBlack = !computerPlaysRed;
        session.SetOutputWatch(&pump);
    }

    // Runs passes of the main loop until `done` holds; false after a bound no healthy run nears,
    // and short of the test's own time-out so that the failure is reported.
    bool RunUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            loop.Pass();
        }
        return true;
    }
    bool RunUntilState(EngineState state) {
        return RunUntil([&] { return link.State() == state; });
    }
    bool RunUntilMoves(int count) {
        return RunUntil([&] { return moveList.moveCount == count; });
    }
    // Starts the engine and runs the loop until its start is over; true when it is Ready.
    bool StartEngine() {
        link.Start();
        return RunUntil([&] { return !link.StartMillisecondsLeft(); }) &&
               link.State() == EngineState::Ready;
    }
    bool UserPlays(std::string_view move) { return game.PlayMove(CoordToMove(move)); }

    std::vector<std::string> Moves() const {
        std::vector<std::string> moves;
        for (int ply = 1; ply <= moveList.moveCount; ++ply)
            moves.push_back(MoveToCoord(moveList.moves[static_cast<std::size_t>(ply)]));
        return moves;
    }

    SideChoice sides;
    MainLoop loop{link, game, screen, sides, settings, pump};
};

}  // namespace tarvelle::testing
