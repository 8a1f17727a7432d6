#include "game/review_schedule.h"

#include <algorithm>

#include "game/rows_by_position.h"
#include "game/solved_puzzles.h"

namespace tarvelle {
namespace {

constexpr std::array<int, kReviewBoxes> kDaysUntilDue = {1, 3, 7, 21};

}  // namespace

ReviewSchedule::ReviewSchedule(std::span<const Attempt> attempts, CalendarDay today)
    : today_(today) {
    for (std::size_t at = 0; at < attempts.size(); ++at) {
        const Attempt& attempt = attempts[at];
        const auto found = entries_.find(attempt.position);
        if (attempt.result != AttemptResult::kClean) {
            entries_.insert_or_assign(attempt.position,
                                      ReviewEntry{attempt.position, 1, attempt.day, {}, at});
        } else if (found != entries_.end() && found->second.box == kReviewBoxes) {
            entries_.erase(found);
        } else if (found != entries_.end()) {
            ++found->second.box;
            found->second.lastDay = attempt.day;
            found->second.lastAttempt = at;
        }
    }
    for (auto& [position, entry] : entries_) {
        entry.dueDay = entry.lastDay + std::chrono::days(kDaysUntilDue[entry.box - 1]);
        if (entry.dueDay <= today_) due_.push_back(entry);
    }
    std::sort(due_.begin(), due_.end(), [](const ReviewEntry& a, const ReviewEntry& b) {
        return a.dueDay != b.dueDay ? a.dueDay < b.dueDay : a.lastAttempt < b.lastAttempt;
    });
}

const ReviewEntry* ReviewSchedule::Find(std::string_view fen) const {
    const auto found = entries_.find(PuzzlePositionKey(fen));
    return found == entries_.end() ? nullptr : &found->second;
}

bool ReviewSchedule::Due(std::string_view fen) const {
    const ReviewEntry* entry = Find(fen);
    return entry != nullptr && entry->dueDay <= today_;
}

std::array<int, kReviewBoxes> ReviewSchedule::BoxCounts() const {
    std::array<int, kReviewBoxes> counts{};
    for (const auto& [position, entry] : entries_)
        ++counts[static_cast<std::size_t>(entry.box - 1)];
    return counts;
}

std::vector<std::size_t> ReviewSchedule::DueRows(std::span<const PuzzleRow> rows) const {
    std::unordered_set<std::string_view> positions;
    for (const ReviewEntry& entry : due_)
        positions.insert(entry.position);
    const std::unordered_map<std::string_view, std::size_t> found = RowsByPosition(rows, positions);
    std::vector<std::size_t> dueRows;
    for (const ReviewEntry& entry : due_) {
        if (const auto row = found.find(entry.position); row != found.end())
            dueRows.push_back(row->second);
    }
    return dueRows;
}

}  // namespace tarvelle
