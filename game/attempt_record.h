// The player's attempts at puzzles, kept between runs in attempts.txt beside solved.txt: one line
// per finished attempt, UTF-8, fields separated by tabs:
//   2026-12-09T14:03:11+08:00<TAB>PLACEMENT SIDE<TAB>RESULT<TAB>MOVES
// the local time with its offset from UTC, the puzzle's position as solved.txt keeps it, one word
// for how the attempt ended and the player's moves in engine text, separated by blanks.
//
// Lines are only ever appended, each whole in one write and flushed to the disk, so a crash loses
// at most the line being written. A line that does not read back as all four fields is skipped.
#pragma once

#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/calendar_day.h"
#include "position/position_record.h"

namespace tarvelle {

enum class AttemptResult {
    kClean,    // mated within the length, without a wrong move or a hint
    kMistake,  // mated after a wrong move
    kHint,     // mated after a hint
    kFailed,   // left without a mate
};

// One attempt as read back: what the review schedule and the statistics count.
struct Attempt {
    // The local calendar day of its time, as written.
    CalendarDay day;
    // The puzzle's position key (PuzzlePositionKey).
    std::string position;
    AttemptResult result;
};

// Whether the player mated: cleanly, after a mistake or after a hint.
constexpr bool Mated(AttemptResult result) {
    return result != AttemptResult::kFailed;
}

// The word the file keeps for a result: clean, mistake, hint or failed.
std::string_view AttemptResultWord(AttemptResult result);

// Where the attempts are kept: attempts.txt in the same folder as solved.txt (SolvedPuzzlesFile);
// empty when there is none.
std::filesystem::path AttemptsFile(const char* xdgStateHome, const char* home);

// `when` in local time with its offset, "2026-12-09T14:03:11+08:00".
std::string LocalTimeText(std::time_t when);

// One line of the file, with its line end. `position` is a puzzle position key
// (PuzzlePositionKey).
std::string AttemptLine(std::time_t when, std::string_view position, AttemptResult result,
                        std::span<const MoveValue> playerMoves);

class AttemptRecord {
public:
    // Reads the file; a missing or unreadable one counts as empty. Without a file (an empty
    // path) the attempts last for this run only.
    explicit AttemptRecord(std::filesystem::path file);

    // How the last attempt at the puzzle of `fen` ended, if there was one.
    std::optional<AttemptResult> LastResult(std::string_view fen) const;

    // Every attempt of the file and of this run, in the order they were made.
    const std::vector<Attempt>& All() const { return attempts_; }

    // Appends the attempt at the puzzle of `fen`, made now. Returns false when the file could not
    // be written; the attempt still counts for this run.
    bool Add(std::string_view fen, AttemptResult result, std::span<const MoveValue> playerMoves);

private:
    void Keep(Attempt attempt);

    std::filesystem::path file_;
    std::vector<Attempt> attempts_;
    // Each puzzle's last attempt in attempts_.
    std::map<std::string, std::size_t, std::less<>> last_;
};

}  // namespace tarvelle
