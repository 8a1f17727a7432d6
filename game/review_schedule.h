// Review by spaced repetition over the attempts file. A puzzle the player failed, or mated only
// after a mistake or a hint, goes into box 1; each clean solve moves it up a box, and a clean solve
// in box 4 takes it out of review as learned. A puzzle in box n is due 1, 3, 7 or 21 calendar
// days after its last attempt. A puzzle only ever solved clean is never in review.
//
// The schedule is worked out anew from the attempts each time it is needed, so it never drifts
// from the file, which stays the one record.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/attempt_record.h"
#include "game/calendar_day.h"
#include "game/puzzle_list.h"

namespace tarvelle {

inline constexpr int kReviewBoxes = 4;

struct ReviewEntry {
    // The puzzle's position key (PuzzlePositionKey).
    std::string position;
    int box = 1;
    CalendarDay lastDay;
    CalendarDay dueDay;
    // Where its last attempt stands among the attempts: the earlier, the smaller.
    std::size_t lastAttempt = 0;
};

class ReviewSchedule {
public:
    // `attempts` in the order they were made.
    ReviewSchedule(std::span<const Attempt> attempts, CalendarDay today);

    // The puzzle of `fen` (a whole FEN or a position key) in review; null when it is not.
    const ReviewEntry* Find(std::string_view fen) const;
    // Whether the puzzle of `fen` is in review and due today or earlier.
    bool Due(std::string_view fen) const;
    // The puzzles due, the one due longest ago first; ties go to the earlier last attempt.
    const std::vector<ReviewEntry>& DueOldestFirst() const { return due_; }
    // How many puzzles are in each box, box 1 first.
    std::array<int, kReviewBoxes> BoxCounts() const;

    // The indices in `rows` of the puzzles due, in DueOldestFirst's order; a puzzle due that is not
    // in `rows` is left out, and a puzzle written twice is its first row.
    std::vector<std::size_t> DueRows(std::span<const PuzzleRow> rows) const;

private:
    CalendarDay today_;
    std::map<std::string, ReviewEntry, std::less<>> entries_;
    std::vector<ReviewEntry> due_;
};

}  // namespace tarvelle
