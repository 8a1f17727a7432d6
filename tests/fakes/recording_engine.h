// An engine link stand-in: a settable state, scripted output polls and replies, and a log of every
// call the game and the main loop make.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_control.h"
#include "engine/move_text.h"

namespace tarvelle::testing {

class RecordingEngine final : public EngineControl {
public:
    EngineState state = EngineState::Unloaded;
    // What the next polls report; an empty script reports no output.
    std::deque<PolledLine> polls;
    // What the next AfterMove returns.
    std::optional<MoveValue> reply;
    std::vector<std::string> calls;
    // Run inside BeforeMove and AfterMove, to look at the game at that moment.
    std::function<void()> duringBeforeMove;
    std::function<void()> duringAfterMove;

    EngineState State() const override { return state; }
    void BeforeMove(MoveValue move) override {
        calls.push_back("before " + MoveToCoord(move));
        if (duringBeforeMove) duringBeforeMove();
    }
    std::optional<MoveValue> AfterMove(MoveValue move) override {
        calls.push_back("after " + MoveToCoord(move));
        if (duringAfterMove) duringAfterMove();
        return std::exchange(reply, std::nullopt);
    }
    void EngineMovePlayed(bool accepted) override {
        calls.push_back(accepted ? "played" : "refused");
    }
    void Halt() override { calls.push_back("halt"); }
    void Settle() override { calls.push_back("settle"); }
    PolledLine PollLine() override {
        if (polls.empty()) return {};
        const PolledLine polled = polls.front();
        polls.pop_front();
        calls.push_back(polled.taken ? "poll line" : "poll none");
        return polled;
    }
    void StartComputerSearch() override {
        calls.push_back("search");
        state = EngineState::Thinking;
    }
};

}  // namespace tarvelle::testing
