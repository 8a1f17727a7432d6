// The solver against a plain search over random endings, the kind of position a mate puzzle is:
// the fewest moves, the key, every other key, the main line, the longest defence and the
// refutations all have to agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "assets/opening_puzzle.h"
#include "mate/mate_solver.h"
#include "plain_mate_search.h"
#include "position_samples.h"
#include "reference_rules.h"

namespace tarvelle {
namespace {

using testing::AllLegalMoves;
using testing::MoveName;
using testing::PlainMateSearch;
using testing::SampleRandom;

constexpr int kPositions = testing::SampleCount(2000);

int Point(int row, int column) {
    return 16 * (row + 3) + column + 3;
}

// Points of a side's palace, and where its advisors and elephants may stand, rows from the top
// for Black; Red's are the mirror image.
constexpr int kPalace[][2] = {{0, 3}, {0, 4}, {0, 5}, {1, 3}, {1, 4},
                              {1, 5}, {2, 3}, {2, 4}, {2, 5}};
constexpr int kAdvisorPoints[][2] = {{0, 3}, {0, 5}, {1, 4}, {2, 3}, {2, 5}};
constexpr int kElephantPoints[][2] = {{0, 2}, {0, 6}, {2, 0}, {2, 4}, {2, 8}, {4, 2}, {4, 6}};

template <std::size_t N>
int HomePoint(SampleRandom& random, const int (&points)[N][2], int side) {
    const auto& point = points[random.Below(static_cast<int>(N))];
    return Point(side == kBlackSide ? point[0] : 9 - point[0], point[1]);
}

void Put(PositionRecord& record, int square, int code) {
    if (record.squares[square] == 0) CchessAddPiece(&record, square, code, 0);
}

// A random ending that could come up in a game: both kings in their palaces, two to four
// attacking pieces, and up to four guards, with the attacker to move and not giving check.
bool RandomEnding(SampleRandom& random, PositionRecord& record) {
    record = PositionRecord{};
    const int attacker = random.Below(2);
    const int defender = 1 - attacker;
    const int attackBase = attacker == kRedSide ? 16 : 32;
    const int defenceBase = defender == kRedSide ? 16 : 32;
    Put(record, HomePoint(random, kPalace, attacker), attackBase);
    Put(record, HomePoint(random, kPalace, defender), defenceBase);
    const int attackers = 2 + random.Below(3);
    for (int i = 0; i < attackers; ++i) {
        // Chariot, horse, cannon or a pawn across the river, anywhere on the defender's half.
        const int offsets[] = {7, 8, 5, 6, 9, 10, 11, 12, 13};
        const int offset = offsets[random.Below(9)];
        const int row = offset >= 11 ? random.Below(5) : random.Below(10);
        Put(record, Point(defender == kBlackSide ? row : 9 - row, random.Below(9)),
            attackBase + offset);
    }
    const int guards = random.Below(5);
    for (int i = 0; i < guards; ++i) {
        const int kind = random.Below(3);
        if (kind == 0)
            Put(record, HomePoint(random, kAdvisorPoints, defender), defenceBase + 1 + i % 2);
        if (kind == 1)
            Put(record, HomePoint(random, kElephantPoints, defender), defenceBase + 3 + i % 2);
        if (kind == 2)
            Put(record, Point(random.Below(10), random.Below(9)), defenceBase + 7 + i % 4);
    }
    record.side = attacker;
    return !reference::KingAttacked(reference::FromRecord(record), defender) &&
           CchessLegalMoves(&record, nullptr, 0) > 0;
}

std::string LineText(const std::vector<MoveValue>& moves) {
    std::string text;
    for (const MoveValue move : moves)
        text += MoveName(move) + " ";
    return text;
}

// Plays the line on a copy of the position: every move legal, the last one mating.
bool EndsInMate(const PositionRecord& position, const std::vector<MoveValue>& line) {
    auto record = std::make_unique<PositionRecord>(position);
    int status = 0;
    for (const MoveValue move : line) {
        if (!CchessTryMove(record.get(), &status, move)) return false;
    }
    return (status & CCHESS_STATUS_LOST) != 0;
}

TEST(MateSolver, AgreesWithAPlainSearchOnRandomEndings) {
    SampleRandom random(20261209);
    MateSolver solver(8);
    auto record = std::make_unique<PositionRecord>();
    int mates = 0;
    for (int done = 0; done < kPositions;) {
        if (!RandomEnding(random, *record)) continue;
        ++done;
        const int most = 1 + done % 3;
        PlainMateSearch plain;
        const int fewest = plain.MateLength(*record, most);
        const std::string fen = CchessBoard2Fen(record.get());
        const MateAnswer answer = solver.Solve(*record, most, {});
        if (fewest == 0) {
            ASSERT_EQ(answer.outcome, MateOutcome::kNoMate) << fen << " within " << most;
            continue;
        }
        ++mates;
        ASSERT_EQ(answer.outcome, MateOutcome::kMate) << fen << " within " << most;
        ASSERT_EQ(answer.moves, fewest) << fen;
        ASSERT_EQ(answer.line.size(), static_cast<std::size_t>(2 * fewest - 1)) << fen;
        EXPECT_TRUE(EndsInMate(*record, answer.line)) << fen << ": " << LineText(answer.line);
        std::vector<MoveValue> keys;
        for (const MoveValue move : AllLegalMoves(*record)) {
            CchessTryMove(record.get(), nullptr, move);
            if (plain.DefenderLoses(*record, fewest - 1)) keys.push_back(move);
            CchessUndoMove(record.get());
        }
        std::vector<MoveValue> found = answer.otherKeys;
        found.push_back(answer.line.front());
        std::sort(found.begin(), found.end());
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(found, keys) << fen;
        if (fewest >= 2) {
            // The defence on the main line holds out as long as any: the attacker needs all of
            // the moves left after it.
            CchessTryMove(record.get(), nullptr, answer.line[0]);
            CchessTryMove(record.get(), nullptr, answer.line[1]);
            EXPECT_FALSE(plain.AttackerMates(*record, fewest - 2))
                << fen << ": " << LineText(answer.line);
            CchessUndoMove(record.get());
            CchessUndoMove(record.get());
        }
        const MateAnswer first = solver.Solve(*record, most, {}, MateProof::kFound);
        ASSERT_EQ(first.outcome, MateOutcome::kMate) << fen;
        EXPECT_GE(first.moves, fewest) << fen;
        EXPECT_EQ(first.line.size(), static_cast<std::size_t>(2 * first.moves - 1)) << fen;
        EXPECT_TRUE(EndsInMate(*record, first.line)) << fen << ": " << LineText(first.line);
    }
    EXPECT_GT(mates, kPositions / 5);
}

TEST(MateSolver, JudgesTheDefendersMoveAgainstAPlainSearch) {
    SampleRandom random(7);
    MateSolver solver(8);
    auto record = std::make_unique<PositionRecord>();
    int rights = 0;
    int wrongs = 0;
    for (int done = 0; done < kPositions / 4;) {
        if (!RandomEnding(random, *record)) continue;
        ++done;
        // Any first move; the defender is then to move with the attacker having one or two
        // moves left.
        const std::vector<MoveValue> first = AllLegalMoves(*record);
        const MoveValue move =
            first[static_cast<std::size_t>(random.Below(static_cast<int>(first.size())))];
        CchessTryMove(record.get(), nullptr, move);
        const int left = 1 + done % 2;
        PlainMateSearch plain;
        const std::string fen = CchessBoard2Fen(record.get());
        const MateAnswer answer = solver.Defend(*record, left, {});
        if (plain.DefenderLoses(*record, left)) {
            ++rights;
            ASSERT_EQ(answer.outcome, MateOutcome::kMate) << fen;
            int fewest = 0;
            while (!plain.DefenderLoses(*record, fewest))
                ++fewest;
            EXPECT_EQ(answer.moves, fewest) << fen;
            EXPECT_TRUE(answer.fewest) << fen;
            if (fewest > 0) {
                EXPECT_TRUE(EndsInMate(*record, answer.line))
                    << fen << ": " << LineText(answer.line);
                CchessTryMove(record.get(), nullptr, answer.line.front());
                EXPECT_FALSE(plain.AttackerMates(*record, fewest - 1)) << fen;
                CchessUndoMove(record.get());
            }
        } else {
            ++wrongs;
            ASSERT_EQ(answer.outcome, MateOutcome::kNoMate) << fen;
            ASSERT_TRUE(CchessTryMove(record.get(), nullptr, answer.refutation)) << fen;
            EXPECT_FALSE(plain.AttackerMates(*record, left))
                << fen << ": " << MoveName(answer.refutation);
        }
    }
    EXPECT_GT(rights, 0);
    EXPECT_GT(wrongs, 0);
}

TEST(MateSolver, NamesARefutationForEveryFirstMoveThatDoesNotMate) {
    // Red's chariots mate in two; nothing mates at once.
    auto record = std::make_unique<PositionRecord>();
    ASSERT_EQ(CchessFen2Board(record.get(), "3k5/9/4R4/9/9/9/9/9/9/3K1R3 w"), 1);
    MateSolver solver;
    const auto refutations = solver.Refutations(*record, 1, {});
    ASSERT_TRUE(refutations);
    ASSERT_EQ(refutations->size(), AllLegalMoves(*record).size());
    PlainMateSearch plain;
    for (const Refutation& each : *refutations) {
        ASSERT_NE(each.reply, 0) << MoveName(each.move);
        CchessTryMove(record.get(), nullptr, each.move);
        ASSERT_TRUE(CchessTryMove(record.get(), nullptr, each.reply)) << MoveName(each.move);
        EXPECT_FALSE(plain.AttackerMates(*record, 0));
        CchessUndoMove(record.get());
        CchessUndoMove(record.get());
    }
}

TEST(MateSolver, AnswersTheSameWhateverItWasAskedBefore) {
    // A mate in four whose full proof fills a table of a megabyte many times over, so that which
    // entries are replaced decides much of the search.
    auto record = std::make_unique<PositionRecord>();
    ASSERT_EQ(CchessFen2Board(record.get(),
                              "3a1k1r1/4a4/1rn1b1n2/9/p1p1p2Np/3R5/P1P1P3P/N3B4/4A4/2BAK2R1 w"),
              1);
    MateSolver solver(1);
    const MateAnswer first = solver.Solve(*record, 4, {});
    const MateAnswer second = solver.Solve(*record, 4, {});
    EXPECT_EQ(first.outcome, MateOutcome::kMate);
    EXPECT_EQ(second.nodes, first.nodes);
    EXPECT_EQ(second.line, first.line);
}

// Node budgets are the fuzz target's to check, on every input of its corpus.
TEST(MateSolver, StopsWhenAsked) {
    // The opening puzzle mates in twenty: far beyond what the search settles in the time it runs.
    auto record = std::make_unique<PositionRecord>();
    ASSERT_EQ(CchessFen2Board(record.get(), kOpeningPuzzleFen), 1);
    MateSolver solver(4);
    std::atomic<bool> stop{false};
    MateAnswer stopped;
    std::thread search([&] { stopped = solver.Solve(*record, 15, {0, {}, &stop}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    stop = true;
    search.join();
    EXPECT_EQ(stopped.outcome, MateOutcome::kUnknown);
}

}  // namespace
}  // namespace tarvelle
