// The one codec of engine move text, in both rank numberings: the table is the engine's text and
// the move it stands for.
#include "engine/move_text.h"

#include <gtest/gtest.h>

namespace tarvelle {
namespace {

constexpr auto kFromZero = RankNumbering::FromZero;
constexpr auto kFromOne = RankNumbering::FromOne;

TEST(MoveText, ReadsTheEnginesCoordinates) {
    struct Case {
        std::string_view text;
        RankNumbering ranks;
        MoveValue move;
    };
    const Case cases[] = {
        {"h2e2", kFromZero, MakeMoveValue(170, 167)},
        {"h2e2 ponder h9g7", kFromZero, MakeMoveValue(170, 167)},  // only four bytes count
        {"a9i0", kFromZero, MakeMoveValue(51, 203)},
        {"i0a9", kFromZero, MakeMoveValue(203, 51)},
        // Upper case reads as other squares, by the same formula.
        {"H2E2", kFromZero, MakeMoveValue(138, 135)},
        {"h2e", kFromZero, 0},
        {"", kFromZero, 0},
        {"z9a0", kFromZero, MakeMoveValue(76, 195)},  // letters past 'i' are not refused
        {"a=a0", kFromZero, 0},                       // '=' puts the from-square below 0
        {"a!a0", kFromZero, 0},                       // '!' puts it past 255
        {"\xff\xff\xff\xff", kFromZero, 0},
        {"h3e3", kFromOne, MakeMoveValue(170, 167)},
        {"a10i1", kFromOne, MakeMoveValue(51, 203)},
        {"a10a9", kFromOne, MakeMoveValue(51, 67)},
        {"i1a10 ponder", kFromOne, MakeMoveValue(203, 51)},
        {"h0e3", kFromOne, 0},
        {"h11e3", kFromOne, 0},
        {"j3e3", kFromOne, 0},
        {"H3E3", kFromOne, 0},
        {"h3e", kFromOne, 0},
        {"0000", kFromOne, 0},
        {"", kFromOne, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoordToMove(c.text, c.ranks), c.move) << c.text;
    EXPECT_EQ(CoordToMove("h2e2"), 42922) << "ranks from zero unless said otherwise";
}

TEST(MoveText, WritesEngineAndDisplayText) {
    // Written text is pinned by the table above and the round trip below; the display form here.
    EXPECT_EQ(MoveToDisplayCoord(42922), "H2-E2");
    EXPECT_EQ(MoveToDisplayCoord(MakeMoveValue(51, 203)), "A9-I0");
    EXPECT_EQ(MoveToCoord(42922), "h2e2") << "ranks from zero unless said otherwise";
}

TEST(MoveText, EveryMoveBetweenBoardPointsSurvivesTheRoundTrip) {
    for (const RankNumbering ranks : {kFromZero, kFromOne}) {
        for (Square from = 0; from < 256; ++from) {
            if (!IsBoardPoint(from)) continue;
            for (Square to = 0; to < 256; ++to) {
                if (!IsBoardPoint(to)) continue;
                const MoveValue move = MakeMoveValue(from, to);
                ASSERT_EQ(CoordToMove(MoveToCoord(move, ranks), ranks), move)
                    << MoveToCoord(move, ranks);
            }
        }
    }
}

}  // namespace
}  // namespace tarvelle
