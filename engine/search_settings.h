// How the engine is asked to search: the size of each search and the pause before its move shows.
#pragma once

#include <cstdint>

namespace tarvelle {

// The pause before the computer's move is played, times the pace factor, so the user sees it come.
constexpr int kPaceMilliseconds = 800;

struct SearchSettings {
    // The node budget of every search is 6 to the power (2 - searchLevel); the side question
    // sets it.
    std::int16_t searchLevel = 0;
    // Multiplies kPaceMilliseconds; 1 once the main window exists.
    std::int16_t paceFactor = 0;
};

}  // namespace tarvelle
