// attempts.txt: the line the record writes, the lines it reads back and skips, and appending after
// a line a crash cut short.
#include "game/attempt_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "engine/move_text.h"

namespace tarvelle {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPuzzle = "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0";
constexpr const char* kKey = "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w";
constexpr const char* kOther = "9/5k3/3aRa3/9/9/9/P8/5A3/5C3/2B1KA3 w";
constexpr std::time_t kWhen = 1796796191;  // 2026-12-09 06:03:11 UTC

TEST(AttemptLine, LocalTimeWithItsOffsetThenPositionResultAndMoves) {
    struct Case {
        const char* zone;
        const char* time;
    };
    for (const Case& zone :
         {Case{"CST-8", "2026-12-09T14:03:11+08:00"}, Case{"NST+3:30", "2026-12-09T02:33:11-03:30"},
          Case{"UTC0", "2026-12-09T06:03:11+00:00"}}) {
        setenv("TZ", zone.zone, 1);
        tzset();
        EXPECT_EQ(LocalTimeText(kWhen), zone.time);
    }
    const MoveValue moves[] = {CoordToMove("e3d3"), CoordToMove("d6e8")};
    EXPECT_EQ(AttemptLine(kWhen, kKey, AttemptResult::kHint, moves),
              std::string("2026-12-09T06:03:11+00:00\t") + kKey + "\thint\te3d3 d6e8\n");
    EXPECT_EQ(AttemptLine(kWhen, kKey, AttemptResult::kFailed, {}),
              std::string("2026-12-09T06:03:11+00:00\t") + kKey + "\tfailed\t\n");
}

class AttemptRecordTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove(file); }
    void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string Text() const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path file = fs::path(::testing::TempDir()) /
                    ("attempt_record_" + std::to_string(getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
};

// Every line but the complete ones is skipped; the last complete line of a puzzle is its result.
TEST_F(AttemptRecordTest, DamagedLinesAreSkippedAndTheLastAttemptCounts) {
    const std::string time = "2026-12-09T14:03:11+08:00\t";
    const std::string key = std::string(kKey) + "\t";
    Write(time + key + "failed\te3e4\n" + time + key + "clean\te3d3\n" + time + key +
          "mistake\n" +                                       // three fields
          time + key + "hint\te3d3\textra\n" +                // five
          "2026-12-09 14:03:11+08:00\t" + key + "hint\t\n" +  // not the time's shape
          time + key + "solved\t\n" +                         // no result word
          time + "3k5/9/9 w\thint\t\n" +                      // no position
          time + key + "hint\te3d3  d6e8\n" +                 // an empty move
          time + key + "hint\te3z3\n" +                       // a file off the board
          "2026-02-30T14:03:11+08:00\t" + key + "hint\t\n" +  // a day the calendar lacks
          time + std::string(kOther) + "\tfailed\t\n" + time + key +
          "hint\te3d3");  // cut short by a crash
    const AttemptRecord record(file);
    EXPECT_EQ(record.LastResult(kPuzzle), AttemptResult::kClean);
    EXPECT_EQ(record.LastResult(std::string(kOther) + " - - 0 0"), AttemptResult::kFailed);
    EXPECT_EQ(record.LastResult("4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 0"), std::nullopt);
    std::vector<AttemptResult> all;
    for (const Attempt& attempt : record.All()) {
        EXPECT_EQ(attempt.day, ReadCalendarDay("2026-12-09"));
        all.push_back(attempt.result);
    }
    EXPECT_EQ(all,
              (std::vector{AttemptResult::kFailed, AttemptResult::kClean, AttemptResult::kFailed}));
}

TEST_F(AttemptRecordTest, ALineIsAppendedOnALineOfItsOwnAndReadBack) {
    Write("2026-12-09T14:03:11+08:00\t" + std::string(kKey) + "\tcle");
    AttemptRecord record(file);
    const MoveValue moves[] = {CoordToMove("e3d3")};
    ASSERT_TRUE(record.Add(kPuzzle, AttemptResult::kMistake, moves));
    EXPECT_EQ(record.LastResult(kPuzzle), AttemptResult::kMistake);
    const std::string text = Text();
    EXPECT_EQ(text.substr(text.find("cle") + 3, 1), "\n");
    EXPECT_EQ(AttemptRecord(file).LastResult(kPuzzle), AttemptResult::kMistake);
    EXPECT_FALSE(AttemptRecord("").Add(kPuzzle, AttemptResult::kClean, {}))
        << "without a file the attempt counts for the run only";
}

}  // namespace
}  // namespace tarvelle
