// Which puzzles the picker lists and 下一题 and 上一题 visit: the keys read from each row and the
// filter's choices, alone and together.
#include "game/puzzle_filter.h"

#include <gtest/gtest.h>

namespace tarvelle {
namespace {

using Rows = std::vector<int>;

TEST(PuzzleCatalogue, TheLengthComesFromTheNameOrElseFromTheStoredLine) {
    const struct {
        const char* name;
        const char* line;
        std::optional<int> length;
    } cases[] = {
        {"一步杀 炮", "", 1},
        {"两步杀 双车", "", 2},
        {"十步杀", "", 10},
        {"十二步杀", "", 12},
        {"二十步杀 七星聚会", "", 20},
        {"二十三步杀", "", 23},
        {"12步杀", "", 12},
        {"三步杀", "h2e2 e9e8", 3},
        {"Test", "h2e2 e9e8 e2e8", 2},
        {"Test", "see the book", std::nullopt},
        {"步杀", "", std::nullopt},
        {"零步杀", "", std::nullopt},
        {"十十步杀", "", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<int> fromName = LengthInName(c.name);
        EXPECT_EQ(fromName ? fromName : LengthOfLine(c.line), c.length) << c.name << " " << c.line;
    }
}

class PuzzleFilterTest : public ::testing::Test {
protected:
    static constexpr const char* kFens[] = {
        "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0",
        "9/4a4/3ak4/4c4/9/6B2/3n5/9/9/3K5 b - - 0 0",
        "9/5k3/3aRa3/9/9/9/P8/5A3/5C3/2B1KA3 w - - 0 0",
        "4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w - - 0 0",
        "4ka3/4a4/9/4p3p/2b3b2/R7P/5n3/3A2p2/3KC2r1/5AB2 w - - 0 0",
    };

    void SetUp() override {
        attempts.Add(kFens[1], AttemptResult::kFailed, {});
        attempts.Add(kFens[2], AttemptResult::kMistake, {});
        solved.Add(kFens[3]);
    }

    PuzzleCatalogue Catalogue(PuzzleCatalogue::DueCheck due = {}) const {
        return PuzzleCatalogue(std::string("1,一步杀 炮,") + kFens[0] + ",,马后炮,1\r\n" +
                                   "2,一步杀 炮," + kFens[1] + ",,马后炮/卧槽马,3\r\n" +
                                   "12,两步杀 车," + kFens[2] + ",,铁门栓,3\r\n" + "21,两步杀 马," +
                                   kFens[3] + ",,/卧槽马/\r\n" + "30,Test," + kFens[4] + ",,,5\r\n",
                               marks, std::move(due));
    }

    AttemptRecord attempts{""};
    SolvedPuzzles solved{""};
    PuzzleMarks marks{attempts, solved};
};

TEST_F(PuzzleFilterTest, ChoicesCombineAndEachNarrowsTheRows) {
    const PuzzleCatalogue puzzles = Catalogue();
    EXPECT_EQ(puzzles.Themes(), (std::vector<std::string>{"马后炮", "卧槽马", "铁门栓"}));
    EXPECT_EQ(puzzles.Lengths(), (std::vector<int>{1, 2}));
    const struct {
        const char* what;
        PuzzleFilter filter;
        Rows rows;
    } cases[] = {
        {"none", {}, {0, 1, 2, 3, 4}},
        {"length", {.length = 2}, {2, 3}},
        {"theme, also between empty parts", {.theme = "卧槽马"}, {1, 3}},
        {"a theme no row names", {.theme = "卧槽"}, {}},
        {"stars", {.stars = 3}, {1, 2}},
        {"number or name", {.search = " 1 "}, {0, 2, 3}},
        {"a part of the name", {.search = "车"}, {2}},
        {"not solved cleanly", {.state = PuzzleState::kUnsolved}, {0, 1, 2, 4}},
        {"failed", {.state = PuzzleState::kFailed}, {1}},
        {"nothing due without a schedule", {.state = PuzzleState::kDue}, {}},
        {"length and theme", {.length = 1, .theme = "卧槽马"}, {1}},
        {"theme, stars and search", {.theme = "马后炮", .stars = 3, .search = "2"}, {1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.filter.Matching(puzzles), c.rows) << c.what;

    int asked = 0;
    const PuzzleCatalogue scheduled = Catalogue([&asked](std::string_view fen) {
        ++asked;
        return fen == kFens[4];
    });
    const PuzzleFilter dueOfLengthOne{.length = 1, .state = PuzzleState::kDue};
    EXPECT_EQ(dueOfLengthOne.Matching(scheduled), Rows{});
    EXPECT_EQ(asked, 2) << "only rows the other choices let pass are looked up";
    EXPECT_EQ(PuzzleFilter{.state = PuzzleState::kDue}.Matching(scheduled), Rows{4});
    EXPECT_EQ(asked, 5) << "each row once";
}

TEST_F(PuzzleFilterTest, NextAndPreviousStayWithinTheFilterAndGoRound) {
    const PuzzleCatalogue puzzles = Catalogue();
    const PuzzleFilter mateInTwo{.length = 2};
    EXPECT_EQ(mateInTwo.Next(puzzles, std::nullopt), 2);
    EXPECT_EQ(mateInTwo.Next(puzzles, 2), 3);
    EXPECT_EQ(mateInTwo.Next(puzzles, 3), 2);
    EXPECT_EQ(mateInTwo.Next(puzzles, 0), 2) << "from a puzzle outside the filter";
    EXPECT_EQ(mateInTwo.Previous(puzzles, std::nullopt), 3);
    EXPECT_EQ(mateInTwo.Previous(puzzles, 2), 3);
    EXPECT_EQ(mateInTwo.Previous(puzzles, 9), 3) << "past the end of a file that lost rows";
    const PuzzleFilter alone{.search = "21"};
    EXPECT_EQ(alone.Next(puzzles, 3), 3) << "the only one passing comes again";
    const PuzzleFilter none{.stars = 4};
    EXPECT_EQ(none.Next(puzzles, 1), -1);
    EXPECT_EQ(none.Previous(puzzles, 1), -1);
}

}  // namespace
}  // namespace tarvelle
