// What the statistics window shows, worked out from the attempts and the puzzle file alone. An
// attempt counts as solved when the player mated (cleanly, after a mistake or after a hint), and as
// clean when it was clean; a failed one is neither.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "game/attempt_record.h"
#include "game/calendar_day.h"
#include "game/puzzle_list.h"
#include "game/review_schedule.h"

namespace tarvelle {

inline constexpr int kStatisticsDays = 30;
inline constexpr std::size_t kStatisticsThemes = 10;

struct DayActivity {
    CalendarDay day;
    // Different puzzles attempted that day, and those of them mated that day.
    int tried = 0;
    int solved = 0;
};

struct SuccessCount {
    int attempts = 0;
    int solved = 0;
    int clean = 0;
};

struct TrainingStatistics {
    int attemptCount = 0;
    // The last kStatisticsDays days, today last.
    std::vector<DayActivity> days;
    // By the length the puzzle is named by, shortest first; puzzles without a stored solution, and
    // attempts at puzzles no longer in the file, are left out.
    std::vector<std::pair<int, SuccessCount>> byLength;
    // By mating pattern, an attempt counting for each of its puzzle's; at most kStatisticsThemes,
    // the most attempted first.
    std::vector<std::pair<std::string, SuccessCount>> byTheme;
    // Days in a row with a puzzle solved, up to today; a streak that reached yesterday still
    // stands while today has none yet.
    int streak = 0;
    std::array<int, kReviewBoxes> reviewBoxes{};
};

// `attempts` in the order they were made; `rows` the puzzle file's.
TrainingStatistics ComputeTrainingStatistics(std::span<const Attempt> attempts,
                                             std::span<const PuzzleRow> rows, CalendarDay today);

}  // namespace tarvelle
