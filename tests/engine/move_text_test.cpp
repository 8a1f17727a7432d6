#include "engine/move_text.h"

#include <gtest/gtest.h>

namespace tarvelle {
namespace {

TEST(MoveText, ReadsTheEnginesCoordinates) {
    struct Case {
        std::string_view text;
        MoveValue move;
    };
    const Case cases[] = {
        {"h2e2", MakeMoveValue(170, 167)},
        {"h2e2 ponder h9g7", MakeMoveValue(170, 167)},  // only the first four bytes count
        {"a9i0", MakeMoveValue(51, 203)},
        {"i0a9", MakeMoveValue(203, 51)},
        {"H2E2",
         MakeMoveValue(138, 135)},  // upper case reads as other squares, by the same formula
        {"h2e", 0},
        {"", 0},
        {"z9a0", MakeMoveValue(76, 195)},  // letters past 'i' are not refused, only computed
        {"a=a0", 0},                       // '=' puts the from-square below 0
        {"a!a0", 0},                       // '!' puts it past 255
        {"\xff\xff\xff\xff", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CoordToMove(c.text), c.move) << c.text;
    EXPECT_EQ(CoordToMove("h2e2"), 42922);
}

TEST(MoveText, WritesEngineAndDisplayText) {
    EXPECT_EQ(MoveToCoord(42922), "h2e2");
    EXPECT_EQ(MoveToDisplayCoord(42922), "H2-E2");
    EXPECT_EQ(MoveToCoord(MakeMoveValue(51, 203)), "a9i0");
    EXPECT_EQ(MoveToDisplayCoord(MakeMoveValue(51, 203)), "A9-I0");
}

TEST(MoveText, EveryMoveBetweenBoardPointsSurvivesTheRoundTrip) {
    for (Square from = 0; from < 256; ++from) {
        if (!IsBoardPoint(from)) continue;
        for (Square to = 0; to < 256; ++to) {
            if (!IsBoardPoint(to)) continue;
            const MoveValue move = MakeMoveValue(from, to);
            ASSERT_EQ(CoordToMove(MoveToCoord(move)), move) << MoveToCoord(move);
        }
    }
}

}  // namespace
}  // namespace tarvelle
