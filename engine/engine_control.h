// What the game flow and the main loop ask of the engine link. Keeping it an interface lets the
// game run, and be tested, with or without an engine process behind it.
//
// Moves go one way: the link reports a move the engine found, the game flow plays it like any
// other move and tells the link whether the game took it (EngineMovePlayed).
#pragma once

#include <optional>

#include "engine/engine_state.h"
#include "position/position_record.h"

namespace tarvelle {

// One look at the engine's output.
struct PolledLine {
    // A line was taken, whatever it held.
    bool taken = false;
    // The computer's move that line brought, to be played.
    std::optional<MoveValue> engineMove;
};

class EngineControl {
public:
    virtual ~EngineControl() = default;

    virtual EngineState State() const = 0;

    // Called for every move found legal, before it is recorded: keeps a running search in step
    // with the game (a ponder hit carries on, anything else stops the search).
    virtual void BeforeMove(MoveValue move) = 0;

    // Called after the move was recorded and played. When it was the move the engine pondered on
    // and its reply is ready, returns that reply, to be played at once.
    virtual std::optional<MoveValue> AfterMove(MoveValue move) = 0;

    // Whether the game took the move that PollLine or AfterMove reported last; the link goes on
    // from there (pondering on the user's expected reply, or resting).
    virtual void EngineMovePlayed(bool accepted) = 0;

    // Brings a connected engine to Ready whatever it was doing, discarding a running search.
    virtual void Halt() = 0;

    // Brings a connected engine to Ready before the game is cut at the position on the board.
    virtual void Settle() = 0;

    // Handles one line of engine output if one is waiting.
    virtual PolledLine PollLine() = 0;

    // Starts the search for the computer's move; only asked in Ready.
    virtual void StartComputerSearch() = 0;
};

}  // namespace tarvelle
