// The review schedule on a table of attempts with the day fixed: boxes, due days, the order of the
// puzzles due, the count per box, and the rows of a puzzle file they map to.
#include "game/review_schedule.h"

#include <gtest/gtest.h>

#include <ctime>
#include <optional>

#include "game/solved_puzzles.h"

namespace tarvelle {
namespace {

// Kings and one red pawn on file `file` (0..8): a different position for every file.
std::string Position(int file) {
    const std::string before = file > 0 ? std::to_string(file) : "";
    const std::string after = file < 8 ? std::to_string(8 - file) : "";
    return "3k5/9/9/9/9/9/" + before + "P" + after + "/9/9/4K4 w";
}

CalendarDay Day(const char* text) {
    return *ReadCalendarDay(text);
}

TEST(ReviewSchedule, BoxesDueDaysAndOrderFollowTheAttempts) {
    using enum AttemptResult;
    struct Row {
        int puzzle;
        const char* day;
        AttemptResult result;
    };
    const Row table[] = {
        {0, "2026-11-01", kFailed},  {0, "2026-11-02", kClean},  {0, "2026-11-05", kClean},
        {0, "2026-11-12", kClean},   {0, "2026-12-03", kClean},   // out of box 4: learned
        {1, "2026-12-01", kClean},                                // only clean: never in review
        {2, "2026-12-08", kHint},                                 // box 1, due today
        {3, "2026-11-20", kMistake}, {3, "2026-11-21", kClean},   // box 2, due 11-24
        {4, "2026-12-01", kFailed},  {4, "2026-12-07", kClean},   // box 2, due tomorrow
        {5, "2026-10-01", kClean},   {5, "2026-12-05", kFailed},  // box 1 from a fall
        {6, "2026-11-23", kFailed},                               // due 11-24, attempted later
        {7, "2026-11-01", kFailed},  {7, "2026-11-02", kClean},  {7, "2026-11-05", kClean},
        {7, "2026-11-12", kClean},  // box 4, due 12-03
        {8, "2026-11-30", kMistake}, {8, "2026-12-01", kClean},  {8, "2026-12-04", kClean},
    };
    std::vector<Attempt> attempts;
    for (const Row& row : table)
        attempts.push_back({Day(row.day), Position(row.puzzle), row.result});
    const ReviewSchedule schedule(attempts, Day("2026-12-09"));

    struct Expected {
        int puzzle;
        int box;  // 0: not in review
        const char* due;
    };
    for (const Expected& e : {Expected{0, 0, ""},
                              {1, 0, ""},
                              {2, 1, "2026-12-09"},
                              {3, 2, "2026-11-24"},
                              {4, 2, "2026-12-10"},
                              {5, 1, "2026-12-06"},
                              {6, 1, "2026-11-24"},
                              {7, 4, "2026-12-03"},
                              {8, 3, "2026-12-11"}}) {
        const ReviewEntry* entry = schedule.Find(Position(e.puzzle) + " - - 0 1");
        ASSERT_EQ(entry != nullptr, e.box > 0) << "puzzle " << e.puzzle;
        if (entry == nullptr) continue;
        EXPECT_EQ(entry->box, e.box) << "puzzle " << e.puzzle;
        EXPECT_EQ(entry->dueDay, Day(e.due)) << "puzzle " << e.puzzle;
        EXPECT_EQ(schedule.Due(Position(e.puzzle)), entry->dueDay <= Day("2026-12-09"));
    }
    std::vector<std::string> due;
    for (const ReviewEntry& entry : schedule.DueOldestFirst())
        due.push_back(entry.position);
    EXPECT_EQ(due, (std::vector{Position(3), Position(6), Position(7), Position(5), Position(2)}));
    EXPECT_EQ(schedule.BoxCounts(), (std::array{3, 2, 1, 1}));

    // Puzzle 6 and 5 are not in the file; puzzle 3 is written twice.
    std::vector<PuzzleRow> rows;
    for (const int puzzle : {1, 7, 3, 2, 3})
        rows.push_back({"", "", "", Position(puzzle) + " - - 0 1"});
    EXPECT_EQ(schedule.DueRows(rows), (std::vector<std::size_t>{2, 1, 3}));
}

TEST(ReviewSchedule, TodayIsTheGivenDateOrElseTheClocksLocalDay) {
    ASSERT_EQ(PuzzlePositionKey(Position(4)), Position(4));
    const std::time_t now = std::time(nullptr);
    EXPECT_EQ(Today("2026-02-28", now), Day("2026-02-28"));
    for (const char* bad : {"2026-02-29", "2026-2-28", "2026-02-28x", "", "tomorrow"})
        EXPECT_EQ(Today(bad, now), LocalDay(now)) << bad;
    EXPECT_EQ(Today(nullptr, now), LocalDay(now));
    EXPECT_EQ(MonthDayText(Day("2026-03-07")), "03-07");
}

}  // namespace
}  // namespace tarvelle
