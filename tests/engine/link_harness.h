// The engine link as the program wires it, without windows: the real rules and game flow, the
// main loop's idle step, a recording screen and board, and an engine at a given command line.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_loop.h"
#include "engine/engine_link.h"
#include "engine/move_text.h"
#include "fakes/recording_screen.h"
#include "fakes/recording_surface.h"
#include "game/game_flow.h"
#include "game/game_start.h"

namespace tarvelle::testing {

// Frozen, the clock stands still and its waits are real, so an engine answers in its own time.
// Running, every wait passes at once and moves the clock on by the time asked for, so that
// ten-second bounds are reached without waiting for them.
class TestClock final : public LinkClock {
public:
    bool running = false;
    int startSecondsOfDay = 1000;
    std::int64_t elapsedMs = 0;
    // Every sleep longer than the stop wait's 1 ms poll: the pace pauses.
    std::vector<int> pauses;

    int SecondsOfDay() override {
        return static_cast<int>((startSecondsOfDay + elapsedMs / 1000) % 86400);
    }
    std::int64_t SteadyMilliseconds() override { return elapsedMs; }
    void Sleep(int milliseconds) override {
        if (milliseconds > 1) pauses.push_back(milliseconds);
        if (running) {
            Advance(milliseconds);
        } else {
            system_.Sleep(std::min(milliseconds, 1));
        }
    }
    void WaitForInput(int descriptor, int milliseconds) override {
        if (running) {
            Advance(milliseconds);
        } else {
            system_.WaitForInput(descriptor, milliseconds);
        }
    }

private:
    void Advance(int milliseconds) {
        elapsedMs += milliseconds;
        // A wait without an end would otherwise spin the test for ever.
        if (elapsedMs > 3600 * 1000) {
            std::fputs("the test clock ran for an hour: a wait has no end\n", stderr);
            std::abort();
        }
    }
    SystemClock system_;
};

// The window system's part in the main loop: no window events, and the idle wait is a short real
// wait for engine output.
class EngineOutputPump final : public EventPump, public OutputWatch {
public:
    void ProcessPendingEvents() override {}
    void ProcessEventsOrWait() override {
        if (descriptor_ >= 0) system_.WaitForInput(descriptor_, 10);
    }
    void WatchOutput(int descriptor) override { descriptor_ = descriptor; }

private:
    int descriptor_ = -1;
    SystemClock system_;
};

struct LinkHarness {
    LinkHarness(const std::string& engineCommandLine, LinkClock& clock, std::string_view fen,
                bool computerPlaysRed)
        : session(engineCommandLine),
          link(session, clock, position, moveList, settings, game, screen) {
        CchessInit(0);
        StartGameFromFen(position, moveList, std::string(fen));
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
            if (!link.PollLine()) loop.IdleStep();
        }
        return true;
    }
    bool RunUntilState(EngineState state) {
        return RunUntil([&] { return link.State() == state; });
    }
    bool RunUntilMoves(int count) {
        return RunUntil([&] { return moveList.moveCount == count; });
    }
    bool UserPlays(std::string_view move) { return game.PlayMove(CoordToMove(move)); }

    std::vector<std::string> Moves() const {
        std::vector<std::string> moves;
        for (int ply = 1; ply <= moveList.moveCount; ++ply)
            moves.push_back(MoveToCoord(moveList.moves[static_cast<std::size_t>(ply)]));
        return moves;
    }

    EngineOutputPump pump;
    PositionRecord position{};
    MoveList moveList;
    SideChoice sides;
    SearchSettings settings{.searchLevel = kAnsweredSearchLevel, .paceFactor = 1};
    BoardMarks marks;
    RecordingSurface surface;
    RecordingScreen screen;
    MainBoard board{surface, position, moveList, marks};
    EngineSession session;
    EngineLink link;
    GameFlow game{position, moveList, marks, board, link, screen};
    MainLoop loop{link, screen, sides, settings, moveList, pump};
};

}  // namespace tarvelle::testing
