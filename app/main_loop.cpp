#include "app/main_loop.h"

namespace tarvelle {

MainLoop::MainLoop(EngineControl& engine, GameScreen& screen, SideChoice& sides,
                   SearchSettings& settings, const MoveList& moveList, EventPump& events)
    : engine_(engine),
      screen_(screen),
      sides_(sides),
      settings_(settings),
      moveList_(moveList),
      events_(events) {}

void MainLoop::Run() {
    AskSideQuestion(screen_, sides_, settings_);
    running_ = !stopRequested_;
    while (running_) {
        // A burst of engine output is drained without pausing.
        if (engine_.PollLine()) {
            events_.ProcessPendingEvents();
        } else {
            IdleStep();
        }
    }
}

void MainLoop::IdleStep() {
    if (engine_.State() == EngineState::Ready && ComputerPlays(sides_, moveList_.gameSide)) {
        engine_.StartComputerSearch();
    }
    events_.ProcessEventsOrWait();
}

}  // namespace tarvelle
