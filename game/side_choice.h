// Which side the computer plays, as the side question settles it.
#pragma once

#include <cstdint>

#include "engine/search_settings.h"
#include "game/game_screen.h"

namespace tarvelle {

struct SideChoice {
    bool computerPlaysRed = false;
    bool computerPlaysBlack = false;
};

// The level every answer of the side question sets: 6^9 nodes per search.
constexpr std::int16_t kAnsweredSearchLevel = -7;

// The computer plays `side` (0 Red, 1 Black) at the level every answer of the side question sets.
void LetComputerPlay(std::int16_t side, SideChoice& sides, SearchSettings& settings);

// Asks "电脑走红方？": Yes gives the computer Red, No gives it Black, and either sets the search
// level; a dismissed question changes nothing.
void AskSideQuestion(GameScreen& screen, SideChoice& sides, SearchSettings& settings);

// Whether the computer plays `side` (0 Red; any other value Black).
constexpr bool ComputerPlays(const SideChoice& sides, std::int16_t side) {
    return side == 0 ? sides.computerPlaysRed : sides.computerPlaysBlack;
}

}  // namespace tarvelle
