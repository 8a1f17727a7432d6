#include "game/puzzle_marks.h"

namespace tarvelle {

const char* PuzzleMarkText(PuzzleMark mark) {
    switch (mark) {
        case PuzzleMark::kClean:
            return "√";
        case PuzzleMark::kFlawed:
            return "?";
        case PuzzleMark::kFailed:
            return "×";
        case PuzzleMark::kNone:
            break;
    }
    return "";
}

PuzzleMark PuzzleMarks::Of(std::string_view fen) const {
    const std::optional<AttemptResult> last = attempts_.LastResult(fen);
    if (!last) return solved_.Contains(fen) ? PuzzleMark::kClean : PuzzleMark::kNone;
    switch (*last) {
        case AttemptResult::kClean:
            return PuzzleMark::kClean;
        case AttemptResult::kMistake:
        case AttemptResult::kHint:
            return PuzzleMark::kFlawed;
        case AttemptResult::kFailed:
            return PuzzleMark::kFailed;
    }
    return PuzzleMark::kNone;
}

}  // namespace tarvelle
