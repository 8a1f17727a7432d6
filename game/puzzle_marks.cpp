#include "game/puzzle_marks.h"

namespace tarvelle {

std::string PuzzleMarks::Mark(std::string_view fen) const {
    const std::optional<AttemptResult> last = attempts_.LastResult(fen);
    if (!last) return solved_.Contains(fen) ? "√" : "";
    switch (*last) {
        case AttemptResult::kClean:
            return "√";
        case AttemptResult::kMistake:
        case AttemptResult::kHint:
            return "?";
        case AttemptResult::kFailed:
            return "×";
    }
    return "";
}

}  // namespace tarvelle
