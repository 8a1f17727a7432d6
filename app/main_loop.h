// The program's single-threaded polling loop: engine output first, then an idle step that starts
// the computer's search when it is the computer's turn, with window events pumped in between.
#pragma once

#include "app/event_pump.h"
#include "engine/engine_control.h"
#include "engine/search_settings.h"
#include "game/game_flow.h"
#include "game/game_screen.h"
#include "game/side_choice.h"
#include "game/turn_taker.h"

namespace tarvelle {

class MainLoop {
public:
    MainLoop(EngineControl& engine, GameFlow& game, GameScreen& screen, SideChoice& sides,
             SearchSettings& settings, EventPump& events);

    // Asks which side the computer plays, then loops until Stop is called.
    void Run();

    // One pass: a line of engine output, with the computer's move it brought played, then the
    // pending events; or, when no line is waiting, the idle step.
    void Pass();

    // One idle pass: what the turn taker has due, the computer's search when it is due and the
    // taker does not hold the turn, then pending events or a wait for the next event, engine
    // output or the time the taker asked for.
    void IdleStep();

    // From now on `taker` (null: none) may play the computer's moves in place of the engine; it
    // must outlive the loop.
    void ShareTurnsWith(TurnTaker* taker) { turnTaker_ = taker; }

    // Makes Run return after the current pass, or at once if it has not started looping; called
    // when the main window goes.
    void Stop() {
        stopRequested_ = true;
        running_ = false;
    }

    bool Running() const { return running_; }

private:
    EngineControl& engine_;
    GameFlow& game_;
    GameScreen& screen_;
    SideChoice& sides_;
    SearchSettings& settings_;
    EventPump& events_;
    TurnTaker* turnTaker_ = nullptr;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace tarvelle
