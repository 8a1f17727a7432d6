// The state of the engine connection, which the main loop, the game flow and the engine link all
// consult, and the status text the status bar shows for each state.
#pragma once

#include <cstdint>
#include <string>

namespace tarvelle {

// The values are ordered: above Stopping a search is running, above Unloaded an engine is
// connected. 5 is never used.
enum class EngineState : std::int16_t {
    Unloaded = 0,
    Ready = 1,
    Resting = 2,
    PonderDone = 3,
    Stopping = 4,
    Thinking = 6,
    Pondering = 7,
};

constexpr bool IsEngineLoaded(EngineState state) {
    return static_cast<std::int16_t>(state) > 0;
}

constexpr bool IsSearchRunning(EngineState state) {
    return static_cast<std::int16_t>(state) > 4;
}

// The status bar text of a state, UTF-8; a value outside the table reads as pondering.
std::string EngineStatusText(EngineState state);

}  // namespace tarvelle
