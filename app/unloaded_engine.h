// The engine side of a run without an engine process: the state stays Unloaded, no output is
// ever read and no search is started, so the game takes its no-engine paths.
#pragma once

#include "game/engine_control.h"

namespace tarvelle {

class UnloadedEngine final : public EngineControl {
public:
    EngineState State() const override { return EngineState::Unloaded; }
    // Nothing runs, so nothing needs to be kept in step with the game.
    void BeforeMove(MoveValue) override {}
    void AfterMove(MoveValue) override {}
    void Halt() override {}
    void Settle() override {}
    bool PollLine() override { return false; }
    void StartComputerSearch() override {}
};

}  // namespace tarvelle
