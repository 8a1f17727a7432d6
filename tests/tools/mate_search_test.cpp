// The exact short-mate search the puzzle tools trust over the engine for short mates.
#include <gtest/gtest.h>

#include <string>

#include "mate_search.h"

namespace tarvelle {
namespace {

std::string Keys(const char* fen, int moves, std::size_t most = 0) {
    PositionRecord record;
    EXPECT_EQ(CchessFen2Board(&record, fen), 1) << fen;
    MateSearch search(record);
    std::string text;
    for (const auto& [move, fewest] : search.MatingFirstMoves(moves, most)) {
        text += EngineMoveText(move) + " " + std::to_string(fewest) + ";";
    }
    return text;
}

TEST(MateSearch, FindsEveryMatingFirstMoveWithItsLength) {
    const struct {
        const char* fen;
        int moves;
        const char* keys;
    } kCases[] = {
        {"3k5/4a4/3P5/9/9/9/9/9/4A4/R2AK4 w", 1, "a1a10 1;"},
        // Whatever Black plays, e2f3 then mates: a quiet cannon move, the engine's blind spot.
        {"3aR4/9/3a1k3/9/9/9/P8/5C3/4A4/2B1KA3 w", 2, "f3f2 2;"},
        {"3aR4/9/3a1k3/9/9/9/P8/5C3/4A4/2B1KA3 w", 1, ""},
        // Two ways to mate in three, one of them by way of the position above.
        {"3a5/5k3/3aR4/9/9/9/P8/5C3/4A4/2B1KA3 w", 3, "e8e10 3;f3f2 3;"},
        // Black to move. Red's king is left with no move, though not in check, and has lost.
        {"4kr3/9/9/9/9/9/9/9/9/3K5 b", 1, "f10f2 1;"},
        // A mate in three within four, beside eight first moves that take all four.
        {"5k3/3c4C/3N5/6N2/9/9/9/4B4/4A4/2BAK4 w", 4,
         "e2d3 4;e2f3 4;e2f1 4;e3c5 4;e3g5 4;e3g1 4;c1a3 3;g7h9 4;g7e8 4;"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Keys(c.fen, c.moves), c.keys) << c.fen << " within " << c.moves;
    }
    EXPECT_EQ(Keys(kCases[5].fen, 4, 2), "e2d3 4;e2f3 4;");
}

}  // namespace
}  // namespace tarvelle
