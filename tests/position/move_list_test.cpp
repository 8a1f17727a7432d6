#include "position/move_list.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvelle {
namespace {

TEST(MoveList, TheFirstMoveGoesInSlotOne) {
    auto list = std::make_unique<MoveList>();
    ASSERT_TRUE(AppendMove(*list, 42922));
    EXPECT_EQ(list->moveCount, 1);
    EXPECT_EQ(list->moves[0], 0);
    EXPECT_EQ(list->moves[1], 42922);
    EXPECT_EQ(list->currentPly, 0) << "appending does not play the move";
}

TEST(MoveList, RefusesAMoveBeyondItsCapacityAndChangesNothing) {
    auto list = std::make_unique<MoveList>();
    for (int i = 1; i <= MoveList::kCapacity; ++i)
        ASSERT_TRUE(AppendMove(*list, i)) << i;
    EXPECT_EQ(list->moveCount, 1997);
    EXPECT_EQ(list->moves[1997], 1997);

    const MoveList before = *list;
    EXPECT_FALSE(AppendMove(*list, 12345));
    EXPECT_EQ(list->moveCount, before.moveCount);
    EXPECT_EQ(list->moves, before.moves);
}

}  // namespace
}  // namespace tarvelle
