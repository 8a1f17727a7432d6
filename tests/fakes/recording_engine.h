// An engine link stand-in: a settable state, scripted output polls, and a log of every call the
// game and the main loop make.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine_control.h"
#include "engine/move_text.h"

namespace tarvelle::testing {

class RecordingEngine final : public EngineControl {
public:
    EngineState state = EngineState::Unloaded;
    // What the next polls report; an empty script reports no output.
    std::deque<bool> polls;
    std::vector<std::string> calls;
    // Run inside BeforeMove and AfterMove, to look at the game at that moment.
    std::function<void()> duringBeforeMove;
    std::function<void()> duringAfterMove;

    EngineState State() const override { return state; }
    void BeforeMove(MoveValue move) override {
        calls.push_back("before " + MoveToCoord(move));
        if (duringBeforeMove) duringBeforeMove();
    }
    void AfterMove(MoveValue move) override {
        calls.push_back("after " + MoveToCoord(move));
        if (duringAfterMove) duringAfterMove();
    }
    void Halt() override { calls.push_back("halt"); }
    void Settle() override { calls.push_back("settle"); }
    bool PollLine() override {
        if (polls.empty()) return false;
        const bool took = polls.front();
        polls.pop_front();
        calls.push_back(took ? "poll line" : "poll none");
        return took;
    }
    void StartComputerSearch() override {
        calls.push_back("search");
        state = EngineState::Thinking;
    }
};

}  // namespace tarvelle::testing
