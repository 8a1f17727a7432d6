// Taking moves back: byte-for-byte restoration over long games, records copied mid-game, and a
// history filled to its capacity.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "position_samples.h"
#include "record_invariants.h"

namespace {

using tarvelle::testing::RecordFaults;

bool Same(const PositionRecord& a, const PositionRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::unique_ptr<PositionRecord> FromFen(const char* fen) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), fen);
    return record;
}

// A random legal move, quiet ones preferred so that games run long before pieces run out.
std::int32_t PickMove(tarvelle::testing::SampleRandom& random, const PositionRecord& record) {
    std::int32_t moves[CCHESS_MAX_MOVES];
    const int count = CchessLegalMoves(&record, moves, CCHESS_MAX_MOVES);
    if (count == 0) return 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::int32_t move = moves[random.Below(count)];
        if (record.squares[move >> 8] == 0) return move;
    }
    return moves[random.Below(count)];
}

TEST(History, EmptyHistoryUndoesNothing) {
    const char* const fens[] = {tarvelle::testing::kOpeningFen, "9/9/9/9/9/9/9/9/9/9 b",
                                "3aka3/9/9/9/9/9/4C4/4C4/9/3K5 b"};
    for (const char* fen : fens) {
        auto record = FromFen(fen);
        const auto before = std::make_unique<PositionRecord>(*record);
        EXPECT_EQ(CchessUndoMove(record.get()), 0) << fen;
        EXPECT_TRUE(Same(*record, *before)) << fen;
    }
    auto zeroed = std::make_unique<PositionRecord>();
    EXPECT_EQ(CchessUndoMove(zeroed.get()), 0);
    EXPECT_TRUE(Same(*zeroed, PositionRecord{}));
}

// Games of hundreds of moves, with a copy kept at every ply, taken back to the first position.
TEST(History, LongGamesUndoToTheStartByteForByte) {
    const std::vector<const char*> starts = {tarvelle::testing::kOpeningFen,
                                             tarvelle::testing::MiddleGameFens()[0],
                                             tarvelle::testing::MiddleGameFens()[3]};
    tarvelle::testing::SampleRandom random(2024);
    for (const char* start : starts) {
        auto record = FromFen(start);
        std::vector<PositionRecord> saved;
        saved.reserve(400);
        for (int ply = 0; ply < 400; ++ply) {
            const std::int32_t move = PickMove(random, *record);
            if (move == 0) break;
            saved.push_back(*record);
            // Every other move goes without a status pointer; both paths must record the same.
            int status = 0;
            ASSERT_EQ(CchessTryMove(record.get(), ply % 2 == 0 ? &status : nullptr, move), 1);
            ASSERT_EQ(RecordFaults(*record), "") << start << " ply " << ply;
        }
        EXPECT_GE(saved.size(), 200u) << start;
        while (!saved.empty()) {
            ASSERT_EQ(CchessUndoMove(record.get()), 1) << start << " ply " << saved.size();
            ASSERT_TRUE(Same(*record, saved.back())) << start << " ply " << saved.size();
            saved.pop_back();
        }
        EXPECT_EQ(CchessUndoMove(record.get()), 0) << start;
        EXPECT_TRUE(Same(*record, *FromFen(start))) << start;
    }
}

// Moves and take-backs in random order, as someone exploring lines back and forth would do.
TEST(History, MixedMovesAndTakeBacksFollowTheSavedPositions) {
    tarvelle::testing::SampleRandom random(99);
    auto record = FromFen(tarvelle::testing::kOpeningFen);
    std::vector<PositionRecord> saved;
    for (int step = 0; step < 3000; ++step) {
        if (!saved.empty() && random.Chance(40)) {
            ASSERT_EQ(CchessUndoMove(record.get()), 1) << step;
            ASSERT_TRUE(Same(*record, saved.back())) << step;
            saved.pop_back();
            continue;
        }
        const std::int32_t move = PickMove(random, *record);
        if (move == 0) continue;
        saved.push_back(*record);
        ASSERT_EQ(CchessTryMove(record.get(), nullptr, move), 1) << step;
        ASSERT_EQ(RecordFaults(*record), "") << step;
    }
    EXPECT_GT(saved.size(), 100u);
}

// A copy is a record of its own: taking moves back on it leaves the original untouched, and
// each goes on with its own line.
TEST(History, ACopyCarriesItsOwnHistory) {
    tarvelle::testing::SampleRandom random(5);
    auto original = FromFen(tarvelle::testing::kOpeningFen);
    const auto start = std::make_unique<PositionRecord>(*original);
    for (int ply = 0; ply < 12; ++ply) {
        ASSERT_EQ(CchessTryMove(original.get(), nullptr, PickMove(random, *original)), 1);
    }
    const auto atTwelve = std::make_unique<PositionRecord>(*original);

    auto copy = std::make_unique<PositionRecord>(*original);
    for (int ply = 0; ply < 5; ++ply)
        ASSERT_EQ(CchessUndoMove(copy.get()), 1);
    EXPECT_TRUE(Same(*original, *atTwelve));
    for (int ply = 0; ply < 8; ++ply) {
        ASSERT_EQ(CchessTryMove(copy.get(), nullptr, PickMove(random, *copy)), 1);
    }
    EXPECT_TRUE(Same(*original, *atTwelve));

    for (int ply = 0; ply < 12; ++ply)
        ASSERT_EQ(CchessUndoMove(original.get()), 1);
    EXPECT_TRUE(Same(*original, *start));
    for (int ply = 0; ply < 15; ++ply)
        ASSERT_EQ(CchessUndoMove(copy.get()), 1);
    EXPECT_TRUE(Same(*copy, *start));
    EXPECT_EQ(CchessUndoMove(copy.get()), 0);
}

// Both horses go out and come back, so the board repeats every four moves and nothing is taken:
// the history can be filled to the last slot.
TEST(History, FillsToCapacityAndRefusesTheNextMove) {
    auto record = FromFen(tarvelle::testing::kOpeningFen);
    const auto start = std::make_unique<PositionRecord>(*record);
    const int redOut = (16 * 12 + 4) + 256 * (16 * 10 + 5);  // b0-c2
    const int blackOut = (16 * 3 + 4) + 256 * (16 * 5 + 5);  // b9-c7
    const auto back = [](int move) { return (move >> 8) + 256 * (move & 0xFF); };
    const int cycle[4] = {redOut, blackOut, back(redOut), back(blackOut)};

    // The first four positions, without their history bytes, which differ from cycle to cycle.
    std::vector<PositionRecord> boards;
    for (int ply = 0; ply < CCHESS_HISTORY_CAPACITY; ++ply) {
        if (ply < 4) boards.push_back(*record);
        ASSERT_EQ(CchessTryMove(record.get(), nullptr, cycle[ply % 4]), 1) << ply;
        ASSERT_EQ(RecordFaults(*record), "") << ply;
    }
    static_assert(CCHESS_HISTORY_CAPACITY % 4 == 0);
    ASSERT_EQ(std::memcmp(record->squares, start->squares, sizeof start->squares), 0);

    // Full: the next move is refused without a trace, though it is still listed as legal.
    const auto full = std::make_unique<PositionRecord>(*record);
    int status = -1;
    EXPECT_EQ(CchessTryMove(record.get(), &status, redOut), 0);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(Same(*record, *full));
    EXPECT_EQ(CchessLegalMoves(record.get(), nullptr, 0), 44);

    // One move taken back makes room for exactly one more.
    ASSERT_EQ(CchessUndoMove(record.get()), 1);
    EXPECT_EQ(CchessTryMove(record.get(), nullptr, back(blackOut)), 1);
    EXPECT_TRUE(Same(*record, *full));

    const std::size_t compared = offsetof(PositionRecord, libInts1);
    for (int ply = CCHESS_HISTORY_CAPACITY - 1; ply >= 0; --ply) {
        ASSERT_EQ(CchessUndoMove(record.get()), 1) << ply;
        ASSERT_EQ(std::memcmp(record.get(), &boards[static_cast<std::size_t>(ply % 4)], compared),
                  0)
            << ply;
        ASSERT_EQ(RecordFaults(*record), "") << ply;
    }
    EXPECT_EQ(CchessUndoMove(record.get()), 0);
    EXPECT_TRUE(Same(*record, *start));
}

}  // namespace
