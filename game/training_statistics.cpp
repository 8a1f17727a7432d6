#include "game/training_statistics.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "game/puzzle_solution.h"
#include "game/rows_by_position.h"

namespace tarvelle {
namespace {

void Count(SuccessCount& count, AttemptResult result) {
    ++count.attempts;
    count.solved += Mated(result) ? 1 : 0;
    count.clean += result == AttemptResult::kClean ? 1 : 0;
}

std::vector<std::string> Themes(std::string_view field) {
    std::vector<std::string> themes;
    while (!field.empty()) {
        const std::size_t slash = field.find('/');
        const std::string_view theme = field.substr(0, slash);
        if (!theme.empty()) themes.emplace_back(theme);
        field.remove_prefix(slash == std::string_view::npos ? field.size() : slash + 1);
    }
    return themes;
}

std::vector<DayActivity> LastDays(std::span<const Attempt> attempts, CalendarDay today) {
    const CalendarDay first = today - std::chrono::days(kStatisticsDays - 1);
    std::map<CalendarDay, std::pair<std::set<std::string_view>, std::set<std::string_view>>> seen;
    for (const Attempt& attempt : attempts) {
        if (attempt.day < first || attempt.day > today) continue;
        auto& [tried, solved] = seen[attempt.day];
        tried.insert(attempt.position);
        if (Mated(attempt.result)) solved.insert(attempt.position);
    }
    std::vector<DayActivity> days;
    for (CalendarDay day = first; day <= today; day += std::chrono::days(1)) {
        const auto found = seen.find(day);
        days.push_back(found == seen.end()
                           ? DayActivity{day}
                           : DayActivity{day, static_cast<int>(found->second.first.size()),
                                         static_cast<int>(found->second.second.size())});
    }
    return days;
}

int Streak(std::span<const Attempt> attempts, CalendarDay today) {
    std::set<CalendarDay> solvedDays;
    for (const Attempt& attempt : attempts) {
        if (Mated(attempt.result)) solvedDays.insert(attempt.day);
    }
    CalendarDay day = solvedDays.contains(today) ? today : today - std::chrono::days(1);
    int streak = 0;
    for (; solvedDays.contains(day); day -= std::chrono::days(1))
        ++streak;
    return streak;
}

}  // namespace

TrainingStatistics ComputeTrainingStatistics(std::span<const Attempt> attempts,
                                             std::span<const PuzzleRow> rows, CalendarDay today) {
    TrainingStatistics statistics;
    statistics.attemptCount = static_cast<int>(attempts.size());
    statistics.days = LastDays(attempts, today);
    statistics.streak = Streak(attempts, today);
    statistics.reviewBoxes = ReviewSchedule(attempts, today).BoxCounts();

    std::unordered_set<std::string_view> positions;
    for (const Attempt& attempt : attempts)
        positions.insert(attempt.position);
    const std::unordered_map<std::string_view, std::size_t> found = RowsByPosition(rows, positions);
    // Worked out once a puzzle: a solution's length takes playing it through.
    std::unordered_map<std::size_t, std::pair<std::optional<int>, std::vector<std::string>>>
        rowFacts;
    for (const auto& [position, index] : found) {
        const PuzzleRow& row = rows[index];
        rowFacts.emplace(index, std::pair(NamedLength(SolutionMoves(row)), Themes(row.themes)));
    }
    std::map<int, SuccessCount> byLength;
    std::map<std::string, SuccessCount> byTheme;
    for (const Attempt& attempt : attempts) {
        const auto row = found.find(attempt.position);
        if (row == found.end()) continue;
        const auto& [length, themes] = rowFacts.at(row->second);
        if (length) Count(byLength[*length], attempt.result);
        for (const std::string& theme : themes)
            Count(byTheme[theme], attempt.result);
    }
    statistics.byLength.assign(byLength.begin(), byLength.end());
    statistics.byTheme.assign(byTheme.begin(), byTheme.end());
    std::stable_sort(
        statistics.byTheme.begin(), statistics.byTheme.end(),
        [](const auto& a, const auto& b) { return a.second.attempts > b.second.attempts; });
    if (statistics.byTheme.size() > kStatisticsThemes) statistics.byTheme.resize(kStatisticsThemes);
    return statistics;
}

}  // namespace tarvelle
