// CchessTryMove must accept exactly the moves CchessLegalMoves lists, and a refused move must leave
// the record alone, history included. Every from/to pair of board points is tried.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "position_samples.h"
#include "record_invariants.h"

namespace {

using tarvelle::testing::MoveName;
using tarvelle::testing::RecordFaults;
using tarvelle::testing::SampleCount;

std::vector<int> BoardPoints() {
    std::vector<int> points;
    for (int row = 3; row <= 12; ++row) {
        for (int column = 3; column <= 11; ++column)
            points.push_back(16 * row + column);
    }
    return points;
}

std::vector<std::int32_t> SortedLegalMoves(const PositionRecord& record) {
    std::int32_t buffer[CCHESS_MAX_MOVES];
    const int count = CchessLegalMoves(&record, buffer, CCHESS_MAX_MOVES);
    std::vector<std::int32_t> moves(buffer, buffer + std::clamp(count, 0, int{CCHESS_MAX_MOVES}));
    std::sort(moves.begin(), moves.end());
    return moves;
}

bool Unchanged(const PositionRecord& a, const PositionRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Empty when TryMove and LegalMoves agree on every pair; otherwise the first disagreement.
std::string CheckAllPairs(const PositionRecord& record, bool withStatus) {
    const std::vector<std::int32_t> listed = SortedLegalMoves(record);
    const auto copy = std::make_unique<PositionRecord>(record);
    const auto where = [&record](std::int32_t move) {
        return " for " + MoveName(move) + " in " + CchessBoard2Fen(&record);
    };
    static const std::vector<int> points = BoardPoints();
    std::size_t accepted = 0;
    for (const int from : points) {
        for (const int to : points) {
            const std::int32_t move = from + 256 * to;
            int status = -1;
            const int result = CchessTryMove(copy.get(), withStatus ? &status : nullptr, move);
            const bool isListed = std::binary_search(listed.begin(), listed.end(), move);
            if (result == 0) {
                if (isListed) return "listed but refused" + where(move);
                if (withStatus && status != 0) return "refused with a status" + where(move);
                if (!Unchanged(*copy, record)) return "refusal changed the record" + where(move);
                continue;
            }
            ++accepted;
            if (!isListed) return "accepted but not listed" + where(move);
            if (withStatus && (status & ~7) != 0) return "unknown status bits" + where(move);
            if (const std::string fault = RecordFaults(*copy); !fault.empty()) {
                return fault + where(move);
            }
            if (CchessUndoMove(copy.get()) != 1 || !Unchanged(*copy, record)) {
                return "undo did not restore the record" + where(move);
            }
        }
    }
    if (accepted != listed.size()) return std::string("lost moves in ") + CchessBoard2Fen(&record);
    return {};
}

void CheckPositions(
    const std::function<void(const std::function<void(const PositionRecord&)>&)>& forEachPosition) {
    int failures = 0;
    int visited = 0;
    forEachPosition([&](const PositionRecord& record) {
        // Half the positions go without a status pointer: that path skips the status work and
        // must still accept and refuse the same moves.
        const bool withStatus = visited++ % 2 == 0;
        if (failures >= 3) return;
        if (const std::string fault = CheckAllPairs(record, withStatus); !fault.empty()) {
            ADD_FAILURE() << fault;
            ++failures;
        }
    });
    EXPECT_GT(visited, 0);
}

TEST(MoveAgreement, RandomArrangements) {
    CheckPositions([](const auto& visit) {
        tarvelle::testing::ForEachArrangement(31337, SampleCount(240), visit);
    });
}

TEST(MoveAgreement, PositionsFromGames) {
    std::vector<const char*> starts = tarvelle::testing::MiddleGameFens();
    starts.push_back(tarvelle::testing::kOpeningFen);
    CheckPositions([&](const auto& visit) {
        tarvelle::testing::ForEachPlayedPosition(4242, SampleCount(240), starts, visit);
    });
}

// Values that name no pair of board points, built around a move that is legal in the opening.
TEST(MoveAgreement, ValuesOutsideTheBoardAreRefused) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), tarvelle::testing::kOpeningFen);
    const std::int32_t from = 16 * 10 + 4;  // Red's left cannon, b2
    const std::int32_t to = 16 * 10 + 7;    // e2, the central file
    const std::vector<std::int32_t> listed = SortedLegalMoves(*record);
    ASSERT_TRUE(std::binary_search(listed.begin(), listed.end(), from + 256 * to));
    const auto before = std::make_unique<PositionRecord>(*record);
    const std::int32_t values[] = {
        0,  // "no move"
        -1,
        -(from + 256 * to),
        from + 256 * to + 0x10000,  // a valid pair with a stray high bit
        from + 256 * to + static_cast<std::int32_t>(0x80000000u),
        from + 256 * from,  // standing still
        0x7FFFFFFF,
        16 * 10 + 2 + 256 * to,                 // from column 2, just off the board
        from + 256 * (16 * 2 + 7),              // to row 2, above the board
        from + 256 * (16 * 13 + 7),             // to row 13, below the board
        (16 * 10 + 12) + 256 * (16 * 10 + 11),  // from column 12
        255 + 256 * 255,
    };
    for (const std::int32_t value : values) {
        int status = -1;
        EXPECT_EQ(CchessTryMove(record.get(), &status, value), 0) << value;
        EXPECT_EQ(status, 0) << value;
        EXPECT_TRUE(Unchanged(*record, *before)) << value;
    }
    // The pair itself is fine, which shows the refusals above came from the values alone.
    EXPECT_EQ(CchessTryMove(record.get(), nullptr, from + 256 * to), 1);
}

TEST(MoveAgreement, NullRecordIsRefused) {
    int status = -1;
    EXPECT_EQ(CchessTryMove(nullptr, &status, 16 * 10 + 4 + 256 * (16 * 10 + 7)), 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(CchessLegalMoves(nullptr, nullptr, 0), 0);
    EXPECT_EQ(CchessUndoMove(nullptr), 0);
}

// A short buffer receives a prefix of the full list, nothing past its end, and the full count.
TEST(MoveAgreement, LegalMovesRespectsTheCapacity) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), tarvelle::testing::kOpeningFen);
    std::int32_t full[CCHESS_MAX_MOVES];
    const int count = CchessLegalMoves(record.get(), full, CCHESS_MAX_MOVES);
    ASSERT_EQ(count, 44);
    for (const int capacity : {-5, 0, 1, 10, 43, 44}) {
        std::vector<std::int32_t> buffer(64, -7);
        EXPECT_EQ(CchessLegalMoves(record.get(), buffer.data(), capacity), count) << capacity;
        const int written = std::max(capacity, 0);
        for (int i = 0; i < 64; ++i) {
            if (i < written) {
                EXPECT_EQ(buffer[static_cast<std::size_t>(i)], full[i]) << capacity;
            } else {
                EXPECT_EQ(buffer[static_cast<std::size_t>(i)], -7) << capacity << " at " << i;
            }
        }
    }
}

}  // namespace
