// The mark the puzzle lists show beside each puzzle, from the player's last attempt at it.
#pragma once

#include <string>
#include <string_view>

#include "game/attempt_record.h"
#include "game/solved_puzzles.h"

namespace tarvelle {

class PuzzleMarks {
public:
    // Both records must outlive the marks.
    PuzzleMarks(const AttemptRecord& attempts, const SolvedPuzzles& solved)
        : attempts_(attempts), solved_(solved) {}

    // "√" when the last attempt was clean, "?" when it was mated after a mistake or a hint, "×"
    // when it was left unsolved. A puzzle solved before attempts were kept still shows "√".
    // Empty for a puzzle never finished.
    std::string Mark(std::string_view fen) const;

private:
    const AttemptRecord& attempts_;
    const SolvedPuzzles& solved_;
};

}  // namespace tarvelle
