// The library's move generation and move statuses against the plain reference rules, over
// thousands of seeded positions: random arrangements (odd points, missing kings, kings already
// attacked) and positions from random games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "position_samples.h"
#include "record_invariants.h"
#include "reference_rules.h"

namespace {

namespace ref = tarvelle::reference;
using tarvelle::testing::MoveName;
using tarvelle::testing::RecordFaults;
using tarvelle::testing::SampleCount;

std::string Names(const std::vector<std::int32_t>& moves) {
    std::string text;
    for (const std::int32_t move : moves)
        text += " " + MoveName(move);
    return text;
}

bool SamePosition(const ref::Position& a, const ref::Position& b) {
    for (int row = 0; row < ref::kRows; ++row) {
        for (int column = 0; column < ref::kColumns; ++column) {
            const ref::Piece& x = a.board[row][column];
            const ref::Piece& y = b.board[row][column];
            if (x.kind != y.kind || (x.kind != ref::Kind::kNone && x.side != y.side)) return false;
        }
    }
    return a.sideToMove == b.sideToMove;
}

// What the sampled positions held, so that a test can show its samples were not all alike.
struct Coverage {
    int positions = 0;
    int inCheck = 0;
    int withoutMoves = 0;
    int missingKing = 0;
    int captures = 0;
    int checks = 0;
    int losses = 0;
};

// Empty when the library agrees with the reference on every legal move of the position, the
// status of each move and the position after it; otherwise what went wrong.
std::string Compare(const PositionRecord& record, Coverage& coverage) {
    // Failure texts are only put together when needed: building them for every move would cost
    // more than the checks.
    const auto where = [&record] { return std::string(" in ") + CchessBoard2Fen(&record); };
    const ref::Position position = ref::FromRecord(record);

    std::int32_t buffer[CCHESS_MAX_MOVES];
    const int count = CchessLegalMoves(&record, buffer, CCHESS_MAX_MOVES);
    if (count < 0 || count > CCHESS_MAX_MOVES)
        return "move count " + std::to_string(count) + where();
    if (CchessLegalMoves(&record, nullptr, 0) != count) return "counting alone differs" + where();
    std::vector<std::int32_t> listed(buffer, buffer + count);
    std::sort(listed.begin(), listed.end());
    if (std::adjacent_find(listed.begin(), listed.end()) != listed.end()) {
        return "a move is listed twice:" + Names(listed) + where();
    }

    const std::vector<ref::Move> legal = ref::LegalMoves(position);
    std::vector<std::int32_t> expected;
    for (const ref::Move& move : legal)
        expected.push_back(ref::ToLibraryMove(move));
    std::sort(expected.begin(), expected.end());
    if (listed != expected) {
        std::vector<std::int32_t> missing;
        std::vector<std::int32_t> extra;
        std::set_difference(expected.begin(), expected.end(), listed.begin(), listed.end(),
                            std::back_inserter(missing));
        std::set_difference(listed.begin(), listed.end(), expected.begin(), expected.end(),
                            std::back_inserter(extra));
        return "missing:" + Names(missing) + "; not legal:" + Names(extra) + where();
    }

    ++coverage.positions;
    if (ref::KingAttacked(position, position.sideToMove)) ++coverage.inCheck;
    if (legal.empty()) ++coverage.withoutMoves;
    const int kings = (record.squares[record.pieceSquares[16]] == 16 ? 1 : 0) +
                      (record.squares[record.pieceSquares[32]] == 32 ? 1 : 0);
    if (kings < 2) ++coverage.missingKing;

    auto copy = std::make_unique<PositionRecord>(record);
    for (const ref::Move& move : legal) {
        const auto what = [&] { return " after " + MoveName(ref::ToLibraryMove(move)) + where(); };
        int status = -1;
        if (CchessTryMove(copy.get(), &status, ref::ToLibraryMove(move)) == 0) {
            return "refused" + what();
        }
        const int expectedStatus = ref::StatusOf(position, move);
        if (status != expectedStatus) {
            return "status " + std::to_string(status) + " instead of " +
                   std::to_string(expectedStatus) + what();
        }
        coverage.captures += (status & CCHESS_STATUS_CAPTURE) != 0 ? 1 : 0;
        coverage.checks += (status & CCHESS_STATUS_CHECK) != 0 ? 1 : 0;
        coverage.losses += (status & CCHESS_STATUS_LOST) != 0 ? 1 : 0;
        if (const std::string fault = RecordFaults(*copy); !fault.empty()) return fault + what();
        if (!SamePosition(ref::FromRecord(*copy), ref::Apply(position, move))) {
            const std::string after = CchessBoard2Fen(copy.get());  // before what() reuses the text
            return "wrong position " + after + what();
        }
        if (CchessUndoMove(copy.get()) != 1 ||
            std::memcmp(copy.get(), &record, sizeof record) != 0) {
            return "not restored by undo" + what();
        }
    }
    return {};
}

// Checks every visited position, reporting at most a few disagreements so that one fault does not
// bury the log.
class CrossCheck {
public:
    void operator()(const PositionRecord& record) {
        if (m_failures >= 5) return;
        if (const std::string fault = Compare(record, m_coverage); !fault.empty()) {
            ADD_FAILURE() << fault;
            ++m_failures;
        }
    }
    const Coverage& coverage() const { return m_coverage; }

private:
    Coverage m_coverage;
    int m_failures = 0;
};

// Perft over the reference alone; its agreement with the published opening counts is what makes
// it fit to judge the library.
std::uint64_t ReferencePerft(const ref::Position& position, int depth) {
    const std::vector<ref::Move> moves = ref::LegalMoves(position);
    if (depth == 1) return moves.size();
    std::uint64_t nodes = 0;
    for (const ref::Move& move : moves)
        nodes += ReferencePerft(ref::Apply(position, move), depth - 1);
    return nodes;
}

TEST(ReferenceRules, ReproducesPublishedOpeningCounts) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), tarvelle::testing::kOpeningFen);
    const ref::Position opening = ref::FromRecord(*record);
    EXPECT_EQ(ReferencePerft(opening, 1), 44u);
    EXPECT_EQ(ReferencePerft(opening, 2), 1920u);
    EXPECT_EQ(ReferencePerft(opening, 3), 79666u);
}

TEST(ReferenceCrossCheck, RandomArrangements) {
    const int count = SampleCount(3000);
    CrossCheck check;
    tarvelle::testing::ForEachArrangement(20240611, count, std::ref(check));
    const Coverage& seen = check.coverage();
    EXPECT_EQ(seen.positions, count);
    // The arrangements must reach the awkward corners, or agreement proves little.
    EXPECT_GT(seen.inCheck, count / 5);
    EXPECT_GT(seen.withoutMoves, count / 50);
    EXPECT_GT(seen.missingKing, count / 10);
    EXPECT_GT(seen.checks, count);
    EXPECT_GT(seen.losses, count / 2);
}

TEST(ReferenceCrossCheck, GamesFromTheOpening) {
    const int count = SampleCount(1500);
    CrossCheck check;
    tarvelle::testing::ForEachPlayedPosition(7, count, {tarvelle::testing::kOpeningFen},
                                             std::ref(check));
    const Coverage& seen = check.coverage();
    EXPECT_EQ(seen.positions, count);
    EXPECT_GT(seen.inCheck, count / 100);
    EXPECT_GT(seen.captures, count);
}

TEST(ReferenceCrossCheck, GamesFromMiddleGames) {
    const int count = SampleCount(1500);
    CrossCheck check;
    tarvelle::testing::ForEachPlayedPosition(99, count, tarvelle::testing::MiddleGameFens(),
                                             std::ref(check));
    const Coverage& seen = check.coverage();
    EXPECT_EQ(seen.positions, count);
    EXPECT_GT(seen.inCheck, count / 100);
    EXPECT_GT(seen.captures, count);
}

}  // namespace
