#include "app/main_loop.h"

namespace tarvelle {

MainLoop::MainLoop(EngineControl& engine, GameFlow& game, GameScreen& screen, SideChoice& sides,
                   SearchSettings& settings, EventPump& events)
    : engine_(engine),
      game_(game),
      screen_(screen),
      sides_(sides),
      settings_(settings),
      events_(events) {}

void MainLoop::Run() {
    AskSideQuestion(screen_, sides_, settings_);
    running_ = !stopRequested_;
    while (running_)
        Pass();
}

void MainLoop::Pass() {
    const PolledLine polled = engine_.PollLine();
    if (!polled.taken) {
        IdleStep();
        return;
    }
    if (polled.engineMove) game_.PlayEngineMove(*polled.engineMove);
    // A burst of engine output is drained without pausing.
    events_.ProcessPendingEvents();
}

void MainLoop::IdleStep() {
    const TurnStep turn = turnTaker_ != nullptr ? turnTaker_->TakeTurn() : TurnStep{};
    if (!turn.holdsTurn && engine_.State() == EngineState::Ready &&
        ComputerPlays(sides_, game_.GameSide())) {
        engine_.StartComputerSearch();
    }
    events_.ProcessEventsOrWait(turn.wakeInMs);
}

}  // namespace tarvelle
