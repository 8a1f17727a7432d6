// The statistics window's figures from a small table of attempts and a puzzle file of three
// puzzles: activity by day, success by length and by theme, the streak and the review boxes.
#include "game/training_statistics.h"

#include <gtest/gtest.h>

#include "game/solved_puzzles.h"

namespace tarvelle {

bool operator==(const SuccessCount& a, const SuccessCount& b) {
    return a.attempts == b.attempts && a.solved == b.solved && a.clean == b.clean;
}

namespace {

CalendarDay Day(const char* text) {
    return *ReadCalendarDay(text);
}

TEST(TrainingStatistics, FiguresFromASmallTable) {
    const std::vector<PuzzleRow> rows = {
        {"1", "1", "一步杀", "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0", "e3d3", "马后炮/卧槽马"},
        {"2", "2", "两步杀", "4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w - - 0 0", "i8d8 e9f9 d8f8",
         "马后炮"},
        {"3", "3", "无解法", "9/5k3/3aRa3/9/9/9/P8/5A3/5C3/2B1KA3 w - - 0 0"},
    };
    const std::string one = PuzzlePositionKey(rows[0].fen);
    const std::string two = PuzzlePositionKey(rows[1].fen);
    const std::string three = PuzzlePositionKey(rows[2].fen);
    const std::string gone = "4k4/9/9/9/9/9/9/9/9/3K5 w";  // no longer in the file
    using enum AttemptResult;
    const std::vector<Attempt> attempts = {
        {Day("2026-11-09"), one, kClean},     {Day("2026-12-04"), one, kClean},
        {Day("2026-12-06"), gone, kClean},    {Day("2026-12-08"), two, kFailed},
        {Day("2026-12-08"), three, kMistake}, {Day("2026-12-09"), one, kFailed},
        {Day("2026-12-09"), one, kClean},     {Day("2026-12-09"), two, kHint},
    };
    const TrainingStatistics statistics =
        ComputeTrainingStatistics(attempts, rows, Day("2026-12-09"));

    EXPECT_EQ(statistics.attemptCount, 8);
    ASSERT_EQ(statistics.days.size(), 30u);
    EXPECT_EQ(statistics.days.front().day, Day("2026-11-10"));
    std::vector<std::tuple<std::string, int, int>> active;
    for (const DayActivity& day : statistics.days) {
        if (day.tried > 0) active.emplace_back(MonthDayText(day.day), day.tried, day.solved);
    }
    EXPECT_EQ(active, (std::vector<std::tuple<std::string, int, int>>{
                          {"12-04", 1, 1}, {"12-06", 1, 1}, {"12-08", 2, 1}, {"12-09", 2, 2}}));
    EXPECT_EQ(statistics.byLength,
              (std::vector<std::pair<int, SuccessCount>>{{1, {4, 3, 3}}, {2, {2, 1, 0}}}));
    EXPECT_EQ(statistics.byTheme, (std::vector<std::pair<std::string, SuccessCount>>{
                                      {"马后炮", {6, 4, 3}}, {"卧槽马", {4, 3, 3}}}));
    EXPECT_EQ(statistics.streak, 2);
    EXPECT_EQ(statistics.reviewBoxes, (std::array{2, 1, 0, 0}));

    EXPECT_EQ(ComputeTrainingStatistics(attempts, rows, Day("2026-12-10")).streak, 2)
        << "a streak stands until a day passes without a solve";
    EXPECT_EQ(ComputeTrainingStatistics(attempts, rows, Day("2026-12-11")).streak, 0);
    const TrainingStatistics none = ComputeTrainingStatistics({}, rows, Day("2026-12-09"));
    EXPECT_EQ(none.attemptCount, 0);
    EXPECT_TRUE(none.byLength.empty() && none.byTheme.empty());
}

}  // namespace
}  // namespace tarvelle
