// What the main loop's idle step asks before it has the engine search for the computer's move:
// something else, the puzzle trainer, may play that move instead.
#pragma once

#include <cstdint>
#include <optional>

namespace tarvelle {

struct TurnStep {
    // The engine must not search for the computer's move now.
    bool holdsTurn = false;
    // The taker wants the next idle step within this many milliseconds, whatever else happens.
    std::optional<std::int64_t> wakeInMs;
};

class TurnTaker {
public:
    // Does whatever is due and says how the idle step goes on.
    virtual TurnStep TakeTurn() = 0;

protected:
    ~TurnTaker() = default;
};

}  // namespace tarvelle
