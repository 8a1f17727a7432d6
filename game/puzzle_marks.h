// The mark the puzzle lists show beside each puzzle, from the player's last attempt at it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/attempt_record.h"
#include "game/solved_puzzles.h"

namespace tarvelle {

// How the last attempt at a puzzle went, as the lists mark it.
enum class PuzzleMark : std::uint8_t { kNone, kClean, kFlawed, kFailed };

// "√" clean, "?" flawed, "×" failed, empty for none.
const char* PuzzleMarkText(PuzzleMark mark);

class PuzzleMarks {
public:
    // Both records must outlive the marks.
    PuzzleMarks(const AttemptRecord& attempts, const SolvedPuzzles& solved)
        : attempts_(attempts), solved_(solved) {}

    // kClean when the last attempt was clean, kFlawed when it was mated after a mistake or a
    // hint, kFailed when it was left unsolved. A puzzle solved before attempts were kept is still
    // kClean; one never finished is kNone.
    PuzzleMark Of(std::string_view fen) const;
    // The mark's text (PuzzleMarkText).
    std::string Mark(std::string_view fen) const { return PuzzleMarkText(Of(fen)); }

private:
    const AttemptRecord& attempts_;
    const SolvedPuzzles& solved_;
};

}  // namespace tarvelle
