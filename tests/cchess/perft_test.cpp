#include <gtest/gtest.h>

#include <memory>

#include "perft_count.h"

namespace {

constexpr const char* kStart = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";

TEST(Perft, StartPositionMatchesPublishedCounts) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), kStart);
    EXPECT_EQ(tarvelle::Perft(*record, 1), 44u);
    EXPECT_EQ(tarvelle::Perft(*record, 2), 1920u);
    EXPECT_EQ(tarvelle::Perft(*record, 3), 79666u);
    EXPECT_EQ(tarvelle::Perft(*record, 4), 3290240u);
}

}  // namespace
