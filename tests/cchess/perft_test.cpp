#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "perft_count.h"
#include "record_invariants.h"

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

struct PerftCase {
    const char* name;
    const char* fen;
    // Leaf counts at depths 1, 2, ...: the shallow ones point at the ply where a fault starts.
    std::vector<std::uint64_t> counts;
};

// Every count below was cross-checked with Fairy-Stockfish's perft (UCI_Variant xiangqi), which
// implements the rules independently of this library.
const PerftCase kCases[] = {
    {"middle game, central cannon against screen horses",
     "r1bakab1r/9/1cn3n2/p1p1p3p/6p2/2P6/P3P1P1P/1C2C1N2/9/RNBAKAB1R w",
     {33, 1076, 36813, 1200404}},
    {"middle game, Black to move with a pawn across the river",
     "r2akab2/4n4/1cn1b2c1/p1p1p1R1p/9/2P3p2/P3P3P/1CN1B1NC1/4A4/R2AK1B2 b",
     {34, 1525, 51463}},
    {"king in check from a chariot along the back rank",
     "3k5/4a4/4b4/9/2p6/9/2N6/4B1C2/4A4/3AK2r1 w",
     {3, 61, 1424, 30111}},
    // The horse on e2 is pinned by the chariot on e5; g0 and f0 lie between the king and the
    // black cannon, so nothing may step there.
    {"pinned horse and the gap before an enemy cannon",
     "3ak4/4a4/9/9/4r4/9/9/3ANN3/9/3RK2c1 w",
     {11, 310, 5395, 156915}},
    // Advisor and elephant both screen the red cannon: either one leaving exposes the king.
    {"cannon with two screens", "rn2k4/4a4/4b4/p8/9/9/9/4C4/9/3K5 b", {7, 119, 1704, 27972}},
    // Red's chariot is all that stands between the kings; Black's advisor is held by the chariot.
    {"kings facing with one piece between",
     "4k4/4a4/2n6/6P2/4R4/9/9/1C7/9/4K4 w",
     {38, 329, 11566, 87781}},
    {"bare kings that may not face each other", "3k5/9/9/9/9/9/9/9/9/4K4 w", {2, 3, 6, 14, 33}},
    {"horses with blocked legs and elephants with blocked eyes",
     "2bakab2/9/2n1c4/2p1p4/9/9/4P4/2NCNC3/3AR4/2B1KAB2 w",
     {30, 534, 17670, 352105}},
    {"pawns of both sides across the river",
     "3k5/4a4/2P1P1P2/9/9/p5p2/2p6/9/4A4/4K4 w",
     {14, 174, 2277, 25978, 323343}},
    {"mated by two chariots", "R3k4/1R7/9/9/9/9/9/9/9/3K5 b", {0, 0}},
    {"mated by two cannons on the king file", "3aka3/9/9/9/9/9/4C4/4C4/9/3K5 b", {0, 0}},
    {"stalemate, which loses too", "4k4/9/2N6/9/9/9/9/9/3R1R3/3K5 b", {0, 0}},
    {"horse moves that give a discovered check",
     "3akab2/9/9/9/4N4/2p6/9/4R4/4A4/3AK4 w",
     {22, 130, 3221, 23334}},
    // Only the chariot can answer by blocking the horse's leg; the king may not face Red's.
    {"horse check answered by blocking its leg",
     "4kab2/4a1N2/9/9/9/9/9/5r3/9/3K5 b",
     {1, 6, 62, 354}},
    // The cannon on e6 has no screen; any red piece stopping on e1..e5 would become one.
    {"open file between king and enemy cannon",
     "3k5/9/9/4c4/9/9/R8/2N6/9/4K4 w",
     {23, 379, 9045, 138173}},
};

class PerftPositions : public ::testing::TestWithParam<PerftCase> {};

TEST_P(PerftPositions, MatchFairyStockfishCounts) {
    const PerftCase& c = GetParam();
    auto record = std::make_unique<PositionRecord>();
    ASSERT_EQ(CchessFen2Board(record.get(), c.fen), 1) << c.fen;
    const auto before = std::make_unique<PositionRecord>(*record);
    for (std::size_t depth = 1; depth <= c.counts.size(); ++depth) {
        EXPECT_EQ(tarvelle::Perft(*record, static_cast<int>(depth)), c.counts[depth - 1])
            << c.name << " at depth " << depth;
    }
    // The walk over the tree makes and takes back every move; it must leave no trace.
    EXPECT_EQ(std::memcmp(record.get(), before.get(), sizeof *record), 0) << c.name;
    EXPECT_EQ(tarvelle::testing::RecordFaults(*record), "") << c.name;
}

INSTANTIATE_TEST_SUITE_P(Positions, PerftPositions, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PerftCase>& param) {
                             // "kings facing, with one piece" becomes "KingsFacingWithOnePiece".
                             std::string name;
                             bool wordStart = true;
                             for (const char* p = param.param.name; *p != '\0'; ++p) {
                                 if (std::isalnum(static_cast<unsigned char>(*p)) == 0) {
                                     wordStart = true;
                                     continue;
                                 }
                                 name += wordStart ? static_cast<char>(std::toupper(*p)) : *p;
                                 wordStart = false;
                             }
                             return name;
                         });

// The split by first move must add up to the plain count, move by move in the listed order.
TEST(Perft, DivideAddsUpToTheTotal) {
    for (const PerftCase& c : kCases) {
        auto record = std::make_unique<PositionRecord>();
        CchessFen2Board(record.get(), c.fen);
        const auto split = tarvelle::PerftDivide(*record, 2);
        std::int32_t moves[CCHESS_MAX_MOVES];
        const int count = CchessLegalMoves(record.get(), moves, CCHESS_MAX_MOVES);
        ASSERT_EQ(split.size(), static_cast<std::size_t>(count)) << c.name;
        std::uint64_t total = 0;
        for (std::size_t i = 0; i < split.size(); ++i) {
            EXPECT_EQ(split[i].move, moves[i]) << c.name;
            total += split[i].nodes;
        }
        EXPECT_EQ(total, c.counts.at(1)) << c.name;
    }
}

}  // namespace
