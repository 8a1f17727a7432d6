// What the game flow and the main loop ask of the engine link. Keeping it an interface lets the
// game run, and be tested, with or without an engine process behind it.
#pragma once

#include "engine/engine_state.h"
#include "position/position_record.h"

namespace tarvelle {

class EngineControl {
public:
    virtual ~EngineControl() = default;

    virtual EngineState State() const = 0;

    // Called for every move found legal, before it is recorded: keeps a running search in step
    // with the game (a ponder hit carries on, anything else stops the search).
    virtual void BeforeMove(MoveValue move) = 0;

    // Called after the move was recorded and played: plays or drops a reply found while
    // pondering.
    virtual void AfterMove(MoveValue move) = 0;

    // Brings a connected engine to Ready whatever it was doing, discarding a running search.
    virtual void Halt() = 0;

    // Brings a connected engine to Ready before the game is cut at the position on the board.
    virtual void Settle() = 0;

    // Handles one line of engine output if one is waiting; true when it did.
    virtual bool PollLine() = 0;

    // Starts the search for the computer's move; only asked in Ready.
    virtual void StartComputerSearch() = 0;
};

}  // namespace tarvelle
