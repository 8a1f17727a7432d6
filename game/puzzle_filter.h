// Which puzzles of the file the player works through: the choices of the picker's filters, kept
// for as long as the program runs, so that 下一题 and 上一题 stay within them after the picker has
// closed. The choices combine; with none made, every puzzle passes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/puzzle_catalogue.h"

namespace tarvelle {

enum class PuzzleState {
    kAny,
    // Not solved cleanly at the last attempt: never finished, failed, or mated with a flaw.
    kUnsolved,
    // Left without a mate at the last attempt.
    kFailed,
    // Due for review.
    kDue,
};

struct PuzzleFilter {
    std::optional<int> length = {};
    // One of the mating patterns; empty for any.
    std::string theme = {};
    std::optional<int> stars = {};
    PuzzleState state = PuzzleState::kAny;
    // A part of the number field or of the name; blanks around it do not count, and with nothing
    // else it lets every puzzle pass.
    std::string search = {};

    bool operator==(const PuzzleFilter&) const = default;

    // The file's rows that pass, in file order. Keys of the catalogue are read, and a row's state
    // only when the other choices let it pass.
    std::vector<int> Matching(const PuzzleCatalogue& puzzles) const;

    // The first passing row after `current`, going round past the end; the first passing row
    // when `current` is none. -1 when no row passes.
    int Next(const PuzzleCatalogue& puzzles, std::optional<int> current) const;
    // The last passing row before `current` (a row past the file's end counts as the end), going
    // round past the start; the last passing row when `current` is none. -1 when no row passes.
    int Previous(const PuzzleCatalogue& puzzles, std::optional<int> current) const;
};

}  // namespace tarvelle
